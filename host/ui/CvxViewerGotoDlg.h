#pragma once
// "Go To": where a viewer should go, for one bus/signal's table: a sample number, a time with
// its unit ("2.5us", "-300ns") or a marker. OK refuses a sample or
// time outside the table's data and text that is not one, naming the range, and keeps the
// dialog open. A marker is a time: its position's.

#include "CvxTime.h"

#include <QDialog>

#include <cstdint>
#include <memory>

class CvxData;
class CvxDataTable;
class CvxLabelChannel;
class CvxMarkerMgr;
class QComboBox;
class QLineEdit;
class QRadioButton;

class CvxViewerGotoDlg : public QDialog {
    Q_OBJECT
public:
    enum class EvxKind { Sample, Time };

    // `markers` may be null (no marker choice).
    // The dialog keeps the data alive while it is open (a run may replace the host's).
    CvxViewerGotoDlg(std::shared_ptr<const CvxData> data, const CvxLabelChannel& label, const CvxMarkerMgr* markers,
                     QWidget* parent = nullptr);

    EvxKind GetKind() const { return m_kind; }
    std::int64_t GetSample() const { return m_sample; }
    CvxTime GetTime() const { return m_time; }
    // The table the sample number counts in (null when the data has no column for the label).
    const CvxDataTable* GetTable() const { return m_table; }

    void accept() override;

private:
    std::shared_ptr<const CvxData> m_data;
    const CvxDataTable* m_table = nullptr;
    const CvxMarkerMgr* m_markers = nullptr;
    QRadioButton* m_bySample = nullptr;
    QRadioButton* m_byTime = nullptr;
    QRadioButton* m_byMarker = nullptr;
    QLineEdit* m_sampleEdit = nullptr;
    QLineEdit* m_timeEdit = nullptr;
    QComboBox* m_markerCombo = nullptr;
    EvxKind m_kind = EvxKind::Sample;
    std::int64_t m_sample = 0;
    CvxTime m_time;
};
