#pragma once
// Moves the centre of the grid: to the first or last sample, by a number of samples, to a
// position, and to the next or previous difference that the last comparison found. Every
// move is one undoable centre command; moves made here tell locked viewers where the centre
// went, except those that follow another viewer.

#include "CvxPosition.h"

class CvxCompareModel;

class CvxCompareNavigator {
public:
    explicit CvxCompareNavigator(CvxCompareModel& model) : m_model(model) {}

    void GotoFirst();
    void GotoLast();
    // n is taken as its absolute value. With `clamp`, a step past the end stops at the first
    // or last sample; without, a step that cannot be made whole does not move.
    void StepForward(int n, bool clamp);
    void StepBackward(int n, bool clamp);
    // Centres on the first sample at or after the position (the last sample when none).
    void SetCenter(const CvxPosition& position, bool broadcast);
    void NextDifference();
    void PreviousDifference();
    // Whether a difference lies before and after the centre.
    static void GetDifferenceAvailability(const CvxCompareModel& model, bool& previous, bool& next);

private:
    enum class Move { First, Last, Forward, Backward };
    void MoveCenter(Move move, int n, bool clamp);
    void SeekDifference(bool forward);

    CvxCompareModel& m_model;
};
