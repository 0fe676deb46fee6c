#pragma once
// A drop-down list whose items have check boxes, known by its control id (also its object
// name). Closed, it shows the checked items' texts joined by ", ", or the empty text when none
// is checked. A click on an item (or Space on it) toggles it and leaves the list open;
// selectionChanged tells of the user's toggles, not of the caller's AddItem and SetCheck.

#include <QComboBox>

class QStandardItemModel;

class CvxCheckComboBox : public QComboBox {
    Q_OBJECT
public:
    CvxCheckComboBox(int id, QWidget* parent);

    void SetEmptyText(const QString& text);
    const QString& GetEmptyText() const { return m_emptyText; }
    // The new item's index.
    int AddItem(const QString& text, bool checked);
    // False for an index that is no item.
    bool GetCheck(int index) const;
    void SetCheck(int index, bool checked);
    // What the closed box shows.
    QString GetText() const;

    // Wide enough for every item checked, or the empty text; fixed, so that the dialog does not
    // change its layout as items are toggled.
    QSize sizeHint() const override;

signals:
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Toggle(int index);
    void UpdateText();

    QStandardItemModel* m_model = nullptr;
    QString m_emptyText;
    bool m_quiet = false; // the caller's own changes, which selectionChanged does not tell
};
