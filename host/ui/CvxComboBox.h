#pragma once
// A drop-down list known by its control id (also its object name) whose items carry integer
// data. selectionChanged tells of an item chosen by the user (or by setCurrentIndex, as remote
// clients choose), not of the caller's own AddItem, Clear and Select calls.

#include <QComboBox>

#include <optional>

class CvxComboBox : public QComboBox {
    Q_OBJECT
public:
    CvxComboBox(int id, QWidget* parent);

    int GetID() const { return m_id; }
    // The new item's index. The first item added becomes the chosen one.
    int AddItem(const QString& text, int data);
    void Clear();
    // The first item with this data; false (the choice unchanged) when there is none.
    bool SelectData(int data);
    // -1 chooses nothing.
    void SelectIndex(int index);
    // Nothing when no item is chosen.
    std::optional<int> GetSelectedData() const;

signals:
    void selectionChanged(int id);

private:
    int m_id;
    bool m_quiet = false;
};
