#pragma once
// Moves the centre of the grid; with its flag set it also tells the viewers locked to this one
// where the centre went. Undo moves it back (with the same flag).

#include "CvxCompareCommand.h"
#include "CvxPosition.h"

class CvxCompareCenterDelayCommand : public CvxCompareCommand {
public:
    CvxCompareCenterDelayCommand(CvxCompareModel& model, const CvxPosition& newCenter, const CvxPosition& oldCenter,
                                 bool broadcast);
    bool Execute() override;
    bool Undo() override;

    const CvxPosition& GetNewCenter() const { return m_new; }

private:
    CvxPosition m_new;
    CvxPosition m_old;
    bool m_broadcast;
};
