#pragma once
// "New Marker": a user marker with a name (unique among the viewer's markers, "M<n>" offered)
// at a time (the viewer's position offered; "2.5us", a bare number counts femtoseconds). OK
// refuses an empty or used name and a time that is not one, keeps the dialog open, and adds
// the marker to the marker manager.

#include "CvxTime.h"

#include <QDialog>

class CvxMarker;
class CvxMarkerMgr;
class QLineEdit;

class CvxMarkerNewDlg : public QDialog {
    Q_OBJECT
public:
    CvxMarkerNewDlg(CvxMarkerMgr& markers, CvxTime at, QWidget* parent = nullptr);

    // The marker OK added (null before).
    CvxMarker* GetMarker() const { return m_added; }
    void accept() override;

private:
    CvxMarkerMgr& m_markers;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_time = nullptr;
    CvxMarker* m_added = nullptr;
};
