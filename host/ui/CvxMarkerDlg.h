#pragma once
// The host's marker dialogs that choose markers from a viewer's marker manager, each with its
// markers listed by position with their times:
//   Go To    "Go To Marker": any one marker; the viewer centres on it.
//   Place    "Place Marker": one user marker; the caller moves it to the viewer's position.
//   Delete   "Delete Markers": one or more user markers; OK deletes them.
// OK needs a choice (a double click chooses and confirms one).

#include <QDialog>

#include <vector>

class CvxID;
class CvxMarkerMgr;
class QListWidget;

class CvxMarkerDlg : public QDialog {
    Q_OBJECT
public:
    enum class EvxMode { Goto, Place, Delete };

    CvxMarkerDlg(EvxMode mode, CvxMarkerMgr& markers, QWidget* parent = nullptr);

    std::vector<CvxID> GetSelection() const;
    void accept() override;

private:
    EvxMode m_mode;
    CvxMarkerMgr& m_markers;
    QListWidget* m_list = nullptr;
};
