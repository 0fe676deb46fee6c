#pragma once
// "Symbols": the symbol table of one bus/signal, a value (hexadecimal) and a name per row,
// rows added and removed. OK checks every row (a value within the bus's width, a name, each
// value once; the first bad row is named in the dialog, which stays open) and hands the
// table to the command interface of the bus's creator, which stores it and tells the tools.
// Controls: "table", "add", "remove", "error", "ok", "cancel".

#include <QDialog>

#include <memory>

class CvxID;
class QLabel;
class QTableWidget;

class CvxSymbolsDlg : public QDialog {
    Q_OBJECT
public:
    CvxSymbolsDlg(const CvxID& label, QWidget* parent = nullptr);
    ~CvxSymbolsDlg() override;

    // Whether the bus/signal has symbols this dialog can edit: a bus/signal of up to 64 bits
    // whose creator takes symbol edits.
    static bool HasSymbolsToEdit(const CvxID& label);

    void accept() override;

private:
    void AddRow(const QString& value, const QString& name);

    std::unique_ptr<const CvxID> m_label;
    QTableWidget* m_table = nullptr;
    QLabel* m_error = nullptr;
};
