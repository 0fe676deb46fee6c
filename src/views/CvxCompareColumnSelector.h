#pragma once
// Column selection by mouse, as the grid and the header share it: a plain click selects only
// the column, Ctrl toggles it, Shift selects the run from the column last clicked.

#include <Qt>

class CvxCompareModel;
class CvxID;

class CvxCompareColumnSelector {
public:
    void Select(CvxCompareModel& model, const CvxID& column, Qt::KeyboardModifiers modifiers);

private:
    int m_anchor = -1; // the place of the column a Shift click extends from
};
