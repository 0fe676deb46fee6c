#pragma once
// "Rename Bus/Signal": a new name for a bus/signal, preset with its current name. OK refuses
// an empty name, and a name the caller's check refuses (its text is shown), and keeps the
// dialog open; the name is taken trimmed.

#include <QDialog>

#include <functional>

class QLineEdit;

class CvxLabelRenameDlg : public QDialog {
    Q_OBJECT
public:
    // `check` answers why a name cannot be taken (empty: it can), for example a name in use.
    using Check = std::function<QString(const QString& name)>;

    CvxLabelRenameDlg(const QString& current, Check check, QWidget* parent = nullptr);

    QString GetName() const;
    void accept() override;

private:
    QLineEdit* m_name = nullptr;
    Check m_check;
};
