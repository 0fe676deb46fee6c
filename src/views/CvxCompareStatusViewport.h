#pragma once
// The painting of the Compare window's status bar: part 0 without a border, then the four
// counters ("Samples Compared: ", "Columns Compared: ", "Comparisons: ", "Differences: "
// followed by the number), each in a sunken part as wide as its label and a sample value in
// the bar's font, laid out by CvxCompareStatusLayout.

#include "CvxCompareStatusLayout.h"
#include "CvxViewport.h"

#include <QFont>
#include <QString>

#include <array>

class CvxCompareStatusViewport : public CvxViewport {
public:
    enum Counter { kSamples, kColumns, kComparisons, kDifferences };
    static constexpr int kCounters = CvxCompareStatusLayout::kCounters;

    CvxCompareStatusViewport();

    void SetFont(const QFont& font);
    const QFont& GetFont() const { return m_font; }
    // Space kept free at the right edge (the size grip).
    void SetGripWidth(int width);
    void SetCounters(const std::array<int, kCounters>& counters);
    // The counter's text as shown ("%s%d" from its label and value).
    QString GetText(int counter) const;
    // The width a counter's part gets: its label and sample value, with the part's margins.
    int GetCounterWidth(int counter) const;
    CvxCompareStatusLayout GetLayout() const;
    int GetHeight() const;

    void Paint(QPainter& painter, const QRect& dirty) override;
    QJsonObject Describe() const override;

private:
    QFont m_font;
    int m_grip = 0;
    std::array<int, kCounters> m_counters{};
};
