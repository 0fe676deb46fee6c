#pragma once
// The view of a pane: a QWidget that owns one viewport and one controller, gives the viewport
// its size, forwards input to the controller, and paints buffered: the viewport draws into one
// off-screen image, which is blitted once per paint; repaints asked for during one turn of the
// event loop are painted once (QWidget::update coalesces them).

#include "CvxController.h"
#include "CvxViewport.h"

#include <QImage>
#include <QWidget>

#include <memory>

class CvxViewportWidget : public QWidget {
    Q_OBJECT
public:
    CvxViewportWidget(std::unique_ptr<CvxViewport> viewport, std::unique_ptr<CvxController> controller,
                      QWidget* parent = nullptr);
    ~CvxViewportWidget() override;

    CvxViewport& GetViewport() { return *m_viewport; }
    const CvxViewport& GetViewport() const { return *m_viewport; }
    CvxController* GetController() { return m_controller.get(); }
    // Painted images so far (a test sees that repaints are coalesced).
    int GetPaintCount() const { return m_paints; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::unique_ptr<CvxViewport> m_viewport;
    std::unique_ptr<CvxController> m_controller;
    QImage m_buffer;
    QRect m_stale; // the part of the buffer the viewport must paint again
    int m_paints = 0;
};
