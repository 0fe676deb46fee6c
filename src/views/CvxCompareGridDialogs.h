#pragma once
// The host dialogs the grid opens, and what their answers do to the window: new, place, go to
// and delete markers, go to a sample or time, and find (the dialog, then Find Next and Find
// Previous through the host's find manager). Each runs modal over `parent` and answers whether
// the window changed.

#include "CvxPosition.h"

class CvxCompareColumn;
class CvxCompareModel;
class QWidget;

class CvxCompareGridDialogs {
public:
    static bool NewMarker(CvxCompareModel& model, QWidget* parent);
    // The chosen user marker moves to `at`.
    static bool PlaceMarker(CvxCompareModel& model, const CvxPosition& at, QWidget* parent);
    static bool GotoMarker(CvxCompareModel& model, QWidget* parent);
    static bool DeleteMarkers(CvxCompareModel& model, QWidget* parent);
    // "Go To" for the column's bus/signal: a time becomes the centre, a sample its row's place.
    static bool Goto(CvxCompareModel& model, const CvxCompareColumn& column, QWidget* parent);
    // "Find" with one pattern for the column's bus/signal, from the centre; each find centres.
    static bool Find(CvxCompareModel& model, const CvxCompareColumn& column, QWidget* parent);
    // Find Next / Find Previous from the centre with the host's current find; a find that
    // fails says why in a message box. Without a current find, Find for the column (when
    // there is one) asks for it first.
    static bool FindAgain(CvxCompareModel& model, const CvxCompareColumn* column, bool forward, QWidget* parent);
};
