#pragma once
// What a viewport can scroll, for its scroll-bar wrapper: per direction the range, the page
// and step sizes and the current value, and the value the user scrolled to. A viewport whose
// content is not pixels (rows of a time span) maps its own units onto these integers.

#include <Qt>

class CvxScrollable {
public:
    struct Range {
        int minimum = 0;
        int maximum = 0;
        int page = 0;
        int step = 1;
        int value = 0;
    };

    virtual ~CvxScrollable() = default;
    // `extent`: the pixels the view shows in that direction, as the wrapper lays it out now.
    virtual Range GetScrollRange(Qt::Orientation orientation, int extent) const = 0;
    virtual void ScrollTo(Qt::Orientation orientation, int value) = 0;
    // A step, page or end action of a bar (QAbstractSlider::SliderAction) that the viewport
    // takes as a move of its own (a row, a page, the first sample) instead of a new value;
    // false lets the bar's value change as usual.
    virtual bool ScrollAction(Qt::Orientation orientation, int action)
    {
        static_cast<void>(orientation);
        static_cast<void>(action);
        return false;
    }
    // The user let go of the bar's thumb.
    virtual void ScrollEnded(Qt::Orientation orientation) { static_cast<void>(orientation); }
};
