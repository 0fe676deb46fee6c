#pragma once
// A model whose changes go through commands: Execute runs a command and records it in the
// undo history; Undo takes the latest recorded command off the history, calls its Undo and
// destroys it. The history keeps at most GetHistoryDepth commands (default 100): recording
// one more drops the oldest. There is no redo.

#include "CvxMvcModel.h"

#include <cstddef>
#include <deque>
#include <memory>

class CvxMvcCommand;

class CvxMvcTransactionModel : public CvxMvcModel {
public:
    static constexpr std::size_t kDefaultHistoryDepth = 100;

    CvxMvcTransactionModel();
    ~CvxMvcTransactionModel() override;

    // Runs the command and records it; answers the command's Execute answer. A null command
    // answers false. A command whose Execute answers false is not recorded.
    virtual bool Execute(std::unique_ptr<CvxMvcCommand> command);
    // False when the history is empty.
    virtual bool Undo();
    // Forgets every recorded command.
    virtual void ClearHistory();

    bool IsHistoryEmpty() const { return m_history.empty(); }
    std::size_t GetHistorySize() const { return m_history.size(); }
    std::size_t GetHistoryDepth() const { return m_depth; }
    // A depth of 0 records nothing; lowering the depth drops the oldest commands at once.
    void SetHistoryDepth(std::size_t depth);
    // The latest recorded command (null when the history is empty).
    const CvxMvcCommand* GetLatestCommand() const;

private:
    void Trim();

    std::deque<std::unique_ptr<CvxMvcCommand>> m_history;
    std::size_t m_depth = kDefaultHistoryDepth;
};
