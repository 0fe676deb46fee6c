#pragma once
// "Assign Channels": the acquisition channels a bus/signal is made of, one row per bit (most
// significant first) with the channel's name. The channels are the source's: none of the
// host's sources regroups them at run time, so the list is read-only and a line says why.
// Controls: "channels", "note", "ok", "cancel".

#include <QDialog>

class CvxID;

class CvxChannelAssignDlg : public QDialog {
    Q_OBJECT
public:
    CvxChannelAssignDlg(const CvxID& label, QWidget* parent = nullptr);
};
