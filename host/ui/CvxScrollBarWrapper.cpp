#include "CvxScrollBarWrapper.h"

#include "CvxScrollable.h"

#include <QScrollBar>

CvxScrollBarWrapper::CvxScrollBarWrapper(QWidget* view, CvxScrollable& scrollable, Qt::Orientations bars,
                                         QWidget* parent)
    : QWidget(parent), m_view(view), m_scrollable(scrollable)
{
    m_view->setParent(this);
    const auto make = [this](Qt::Orientation orientation, const char* name) {
        auto* bar = new QScrollBar(orientation, this);
        bar->setObjectName(name);
        connect(bar, &QScrollBar::valueChanged, this, [this, orientation](int value) {
            if (!m_updating) {
                m_scrollable.ScrollTo(orientation, value);
            }
        });
        connect(bar, &QScrollBar::sliderReleased, this,
                [this, orientation] { m_scrollable.ScrollEnded(orientation); });
        connect(bar, &QScrollBar::actionTriggered, this, [this, bar, orientation](int action) {
            if (action == QAbstractSlider::SliderMove || action == QAbstractSlider::SliderNoAction) {
                return;
            }
            if (m_scrollable.ScrollAction(orientation, action)) {
                // The viewport moved by itself: the bar keeps its place until it is told the new one.
                bar->setSliderPosition(bar->value());
                UpdateScrollBars();
            }
        });
        return bar;
    };
    if (bars & Qt::Vertical) {
        m_vertical = make(Qt::Vertical, "VerticalScrollBar");
    }
    if (bars & Qt::Horizontal) {
        m_horizontal = make(Qt::Horizontal, "HorizontalScrollBar");
    }
    UpdateScrollBars();
}

QScrollBar* CvxScrollBarWrapper::GetScrollBar(Qt::Orientation orientation) const
{
    return orientation == Qt::Vertical ? m_vertical : m_horizontal;
}

void CvxScrollBarWrapper::UpdateScrollBars()
{
    m_updating = true;
    for (QScrollBar* bar : {m_vertical, m_horizontal}) {
        if (bar == nullptr) {
            continue;
        }
        const int extent = bar->orientation() == Qt::Vertical ? m_view->height() : m_view->width();
        const CvxScrollable::Range range = m_scrollable.GetScrollRange(bar->orientation(), extent);
        bar->setRange(range.minimum, std::max(range.minimum, range.maximum));
        bar->setPageStep(std::max(1, range.page));
        bar->setSingleStep(std::max(1, range.step));
        bar->setValue(range.value);
        bar->setEnabled(range.maximum > range.minimum);
    }
    m_updating = false;
}

void CvxScrollBarWrapper::resizeEvent(QResizeEvent*)
{
    Place();
}

void CvxScrollBarWrapper::Place()
{
    const int right = m_vertical != nullptr ? m_vertical->sizeHint().width() : 0;
    const int bottom = m_horizontal != nullptr ? m_horizontal->sizeHint().height() : 0;
    const int width = std::max(0, this->width() - right);
    const int height = std::max(0, this->height() - bottom);
    m_view->setGeometry(0, 0, width, height);
    if (m_vertical != nullptr) {
        m_vertical->setGeometry(width, 0, right, height);
    }
    if (m_horizontal != nullptr) {
        m_horizontal->setGeometry(0, height, width, bottom);
    }
    // The view's new size changes what a page is.
    UpdateScrollBars();
}
