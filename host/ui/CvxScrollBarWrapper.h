#pragma once
// A pane with scroll bars: the wrapped view fills the wrapper but for a vertical bar on the
// right and a horizontal bar at the bottom (each only when asked for). The bars show what the
// viewport says can be scrolled (CvxScrollable); a bar the user moves tells the viewport, and
// UpdateScrollBars reads the ranges again after the content or the size changed. A bar whose
// range is empty stays, disabled, so that the pane does not jump.

#include <QWidget>

class CvxScrollable;
class QScrollBar;

class CvxScrollBarWrapper : public QWidget {
    Q_OBJECT
public:
    // The wrapper takes the view as its child.
    CvxScrollBarWrapper(QWidget* view, CvxScrollable& scrollable, Qt::Orientations bars, QWidget* parent = nullptr);

    void UpdateScrollBars();
    QScrollBar* GetScrollBar(Qt::Orientation orientation) const;
    QWidget* GetView() const { return m_view; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Place();

    QWidget* m_view;
    CvxScrollable& m_scrollable;
    QScrollBar* m_vertical = nullptr;
    QScrollBar* m_horizontal = nullptr;
    bool m_updating = false; // setting the bars from the viewport, not the user
};
