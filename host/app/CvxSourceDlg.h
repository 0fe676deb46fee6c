#pragma once
// "Acquisition Source": the kind of source (simulated analyzer, capture file, libsigrok) and
// the options it offers, each with its value and what it means. OK applies every changed
// option or none: a value the source refuses is named with the source's own message and the
// dialog stays open.

#include <QDialog>

#include <memory>

class CvxAcquisitionSource;
class QComboBox;
class QTableWidget;

class CvxSourceDlg : public QDialog {
    Q_OBJECT
public:
    // `current` is the session's source (null for none); its kind and options are shown first.
    CvxSourceDlg(const CvxAcquisitionSource* current, QWidget* parent = nullptr);
    ~CvxSourceDlg() override;

    // The source to use after OK, configured.
    std::unique_ptr<CvxAcquisitionSource> TakeSource();

    void accept() override;

private:
    void ShowKind(const QString& kind);

    QComboBox* m_kind = nullptr;
    QTableWidget* m_options = nullptr;
    std::unique_ptr<CvxAcquisitionSource> m_source;
};
