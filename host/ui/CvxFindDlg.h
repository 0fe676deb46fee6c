#pragma once
// "Find": the patterns of a find description, one row per bus/signal (its name, the pattern in
// its base, the base), the occurrence and the direction. Find Next takes every pattern first
// (a bad one is named with the problem and nothing is searched), makes the description the
// find manager's current one and searches from the current position; a find moves the
// current position there and is reported to the caller, "not found" is said in the dialog.
// The dialog stays open for further finds.

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class CvxData;
class CvxFindModel;
class CvxPosition;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

class CvxFindDlg : public QDialog {
    Q_OBJECT
public:
    using Found = std::function<void(const CvxPosition& position)>;

    CvxFindDlg(const CvxFindModel& model, std::shared_ptr<const CvxData> data, const CvxPosition& from, Found found,
               QWidget* parent = nullptr);
    ~CvxFindDlg() override;

    // Searches once as the Find Next button does; false when nothing was found.
    bool FindNext();

private:
    struct Row;
    std::vector<Row> m_rows;
    std::unique_ptr<CvxFindModel> m_model;
    std::shared_ptr<const CvxData> m_data;
    std::unique_ptr<CvxPosition> m_position;
    Found m_found;
    QSpinBox* m_occurrence = nullptr;
    QRadioButton* m_forward = nullptr;
    QLabel* m_status = nullptr;
};
