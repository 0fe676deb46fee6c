#pragma once
// A painting object: draws what a pane shows into a QPainter over a rectangle, and knows its
// geometry without a window, so that tests paint it into an image and ask it where things are.
// A view (CvxViewportWidget) owns it, gives it its size and repaints what it invalidates.
// Every viewport can describe what it shows, for the UI dump.

#include <QJsonObject>
#include <QRect>
#include <QSize>

#include <functional>

class QPainter;

class CvxViewport {
public:
    virtual ~CvxViewport() = default;

    void SetSize(const QSize& size);
    const QSize& GetSize() const { return m_size; }
    QRect GetRect() const { return QRect(QPoint(0, 0), m_size); }

    // Paints the part `dirty` of the pane (the painter may clip to it).
    virtual void Paint(QPainter& painter, const QRect& dirty) = 0;
    // What the pane shows (texts, colours, geometry), as JSON for the UI dump.
    virtual QJsonObject Describe() const { return {}; }

    // Asks for a repaint of `area` (all of the pane when empty); the view sets the hook.
    void Invalidate(const QRect& area = QRect()) const;
    void SetInvalidateHook(std::function<void(const QRect&)> hook) { m_invalidate = std::move(hook); }

protected:
    // The size changed (before the next paint).
    virtual void OnSize() {}

private:
    QSize m_size;
    std::function<void(const QRect&)> m_invalidate;
};
