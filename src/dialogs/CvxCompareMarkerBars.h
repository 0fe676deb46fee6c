#pragma once
// What the two marker bars beside the grid share: the messages after which they draw again,
// and their tool tips.

#include "CvxCompareMessage.h"
#include "CvxMarkerMgr.h"
#include "CvxMarkersViewPort.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace CvxCompareMarkerBars {

inline constexpr int kCenterMoved = 11; // the undoable centre move

// Markers move with new data; a moved centre, other columns or another size change what the
// grid shows; marker messages change names, colours and positions.
inline bool Repaints(int type)
{
    switch (type) {
    case kCenterMoved:
    case CvxCompareResizeMessage::kType:
    case CvxCompareNewDataMessage::kType:
    case CvxCompareDataChangedMessage::kType:
    case CvxCompareColumnsChangedMessage::kType:
    case CvxComparePropertiesChangedMessage::kType:
    case CvxCompareMarkerPropertiesMessage::kType:
    case CvxMarkerMgr::kMarkersChangedMessage: return true;
    default: return false;
    }
}

// Shows the names of the markers under a tool-tip event's point; false for other events.
inline bool ShowToolTip(QWidget& bar, const CvxMarkersViewPort& markers, QEvent& event)
{
    if (event.type() != QEvent::ToolTip) {
        return false;
    }
    const auto& help = static_cast<const QHelpEvent&>(event);
    const QString text = markers.ToolTipAt(help.pos());
    if (text.isEmpty()) {
        QToolTip::hideText();
        event.ignore();
    } else {
        QToolTip::showText(help.globalPos(), text, &bar);
    }
    return true;
}

} // namespace CvxCompareMarkerBars
