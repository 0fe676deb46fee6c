#pragma once
// The painting of the column header: for every column that meets the visible range its cell
// with the bus/signal name (and activity indicator), its base and its trigger field, stacked
// in one to three lines; a selected column in the highlight colours. Every paint rebuilds the
// hot-spot list the controller hit-tests and the list of trigger fields the view places its
// controls in. It describes the header cells for the UI dump.

#include "CvxCompareHeaderHotSpots.h"
#include "CvxCompareTriggerField.h"
#include "CvxViewport.h"

#include <QFont>

#include <functional>
#include <vector>

class CvxCompareColumn;
class CvxCompareModel;
class CvxMvcDefMsg;
class QFontMetrics;

class CvxCompareHeaderViewport : public CvxViewport {
public:
    // A trigger control's place: the field inside its red frame.
    struct TriggerField {
        CvxID column;
        CvxCompareTriggerField::Kind kind = CvxCompareTriggerField::kNone;
        QRect rect;
        CvxPatternModel pattern;
    };

    explicit CvxCompareHeaderViewport(CvxCompareModel& model);

    void Paint(QPainter& painter, const QRect& dirty) override;
    QJsonObject Describe() const override;

    int GetOriginX() const { return m_originX; }
    void SetOriginX(int x);
    QFont LabelFont() const;
    int GetLineHeight() const;
    int GetLineCount() const;

    // The column's texts as painted: the formatted name, and the base line ("Hex",
    // "Time Relative [M1]", or with "?" for a marker that is gone).
    static QString NameText(const CvxCompareColumn& column);
    QString BaseText(const CvxCompareColumn& column) const;

    const CvxCompareHeaderHotSpots& GetHotSpots() const { return m_hotSpots; }
    // The trigger fields of the visible columns, as last painted.
    const std::vector<TriggerField>& GetTriggerFields() const { return m_fields; }
    // Told after each paint, so that the view places (or hides) its trigger controls.
    void SetFieldsHook(std::function<void()> hook) { m_fieldsHook = std::move(hook); }

    // The place a column move would drop the columns (a pixel of the columns; -1: none),
    // marked with a bar.
    void SetDropMark(int x);
    int GetDropMark() const { return m_dropMark; }

    // A message of the model: answers whether the header must be repainted.
    bool OnModelMessage(const CvxMvcDefMsg& message);

private:
    void PaintColumn(QPainter& painter, const CvxCompareColumn& column, const QFontMetrics& metrics);

    CvxCompareModel& m_model;
    int m_originX = 0;
    int m_dropMark = -1;
    CvxCompareHeaderHotSpots m_hotSpots;
    std::vector<TriggerField> m_fields;
    std::function<void()> m_fieldsHook;
};
