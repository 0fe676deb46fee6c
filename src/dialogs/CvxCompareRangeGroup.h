#pragma once
// The data-range box the range dialogs share: All or Markers, and the from and to markers.
// It edits a working copy of a range; the marker controls are enabled only for a range
// between markers, and everything only while the owner lets the range be chosen.

#include "CvxCompareRange.h"

#include <QGroupBox>

class CvxMarkerComboBox;
class CvxMarkerMgr;
class QRadioButton;

class CvxCompareRangeGroup : public QGroupBox {
public:
    // The controls' ids (object names) in the owner's template.
    struct Ids {
        int all, markers, fromLabel, from, toLabel, to;
    };

    CvxCompareRangeGroup(const QString& title, const Ids& ids, QWidget* parent);

    // Lists the markers and shows the range, whose markers the manager holds.
    void Show(const CvxCompareRange& range, CvxMarkerMgr& markers);
    const CvxCompareRange& GetRange() const { return m_range; }
    void SetChoosable(bool choosable);

private:
    void ApplyType(int type);
    void UpdateStates();

    CvxCompareRange m_range;
    bool m_choosable = true;
    QRadioButton* m_all = nullptr;
    QRadioButton* m_markers = nullptr;
    QWidget* m_fromLabel = nullptr;
    QWidget* m_toLabel = nullptr;
    CvxMarkerComboBox* m_from = nullptr;
    CvxMarkerComboBox* m_to = nullptr;
};
