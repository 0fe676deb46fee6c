#pragma once
// The status bar at the bottom of the Compare window: the four comparison counters and a
// size grip.

#include "CvxViewportWidget.h"

#include <array>

class CvxCompareStatusViewport;
class QSizeGrip;

class CvxCompareStatusBar : public CvxViewportWidget {
    Q_OBJECT
public:
    static constexpr int kObjectID = 35461;

    explicit CvxCompareStatusBar(QWidget* parent);

    CvxCompareStatusViewport& GetStatus();
    void SetCounters(const std::array<int, 4>& counters);
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QSizeGrip* m_grip = nullptr;
};
