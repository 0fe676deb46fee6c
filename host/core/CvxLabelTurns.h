#pragma once
// Orders the label work of data builders that run at once (two captures read on two threads),
// so that labels come out exactly as if the builders had run one after the other: the same
// labels in the same order, with the last builder's settings. Each member's label work is
// split into sections (making its labels, then setting their flags at the end); sections are
// taken in turns: every member's first in member order, then every member's second, and so on.
// A member that is done (or failed) leaves, and its remaining turns are skipped.

#include <condition_variable>
#include <mutex>
#include <vector>

class CvxLabelTurns {
public:
    explicit CvxLabelTurns(int members);
    CvxLabelTurns(const CvxLabelTurns&) = delete;
    CvxLabelTurns& operator=(const CvxLabelTurns&) = delete;

    // Waits for the member's next turn.
    void Enter(int member);
    // Ends the member's section: the next turn is someone else's.
    void Exit(int member);
    // The member takes no more turns.
    void Leave(int member);

    // A section of label work, taken in turn when there are turns to take.
    class Section {
    public:
        Section(CvxLabelTurns* turns, int member) : m_turns(turns), m_member(member)
        {
            if (m_turns != nullptr) {
                m_turns->Enter(m_member);
            }
        }
        ~Section()
        {
            if (m_turns != nullptr) {
                m_turns->Exit(m_member);
            }
        }
        Section(const Section&) = delete;
        Section& operator=(const Section&) = delete;

    private:
        CvxLabelTurns* m_turns;
        int m_member;
    };

private:
    // Moves the turn past members that left; called with the mutex held.
    void SkipLeft();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_members;
    long long m_turn = 0;             // turn t belongs to member t % members
    std::vector<long long> m_next;    // each member's next turn
    std::vector<bool> m_left;
};
