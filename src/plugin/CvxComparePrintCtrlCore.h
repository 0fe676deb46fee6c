#pragma once
// The part of the Compare viewer's print controller that needs no window: its name, the six
// header/footer texts and the print range mode of its settings, and the framework's numbered
// queries that these and the acquired data answer. The window library's controller (drawing,
// layout, options page) extends it; without a window library the tool registers this one.
//
// Queries: text 11 and 12, the viewer's full name; text 26 to 31, the header/footer texts in
// order; capability 0, 1, 2, 8 and 10: 1; 3 and 4: 0; 5 and 6: 1 with valid acquired data; 7:
// 1 with valid acquired data of exactly one table; number 16: the print range mode (2 samples,
// else time), which SetNumber(16, ...) sets. SetText(26 to 31, ...) sets the texts.

#include "CvxID.h"
#include "CvxPrintCtrlBase.h"

#include <array>
#include <string>

class CvxCompareModel;

class CvxComparePrintCtrlCore : public CvxPrintCtrlBase {
public:
    static constexpr int kRangeModeSamples = 2;

    CvxComparePrintCtrlCore(CvxCompareModel& model, const CvxID& instance);

    std::u16string GetName() const override { return u"Compare Viewer"; }
    bool QueryText(int query, std::u16string& text) const override;
    int QueryCapability(int query) const override;
    bool QueryNumber(int query, int& value) const override;
    bool SetNumber(int query, int value) override;
    bool SetText(int query, const std::u16string& text) override;

    // The six header/footer texts: header left, centre, right, footer left, centre, right.
    const std::array<std::u16string, 6>& GetTexts() const { return m_texts; }
    int GetRangeMode() const { return m_rangeMode; }

protected:
    CvxCompareModel& GetModel() const { return m_model; }
    const CvxID& GetInstance() const { return m_instance; }

private:
    CvxCompareModel& m_model;
    CvxID m_instance;
    std::array<std::u16string, 6> m_texts{u"%Name%", u"", u"%Date% %Time%", u"%Span%", u"", u"Page %Page%"};
    int m_rangeMode = 1;
};
