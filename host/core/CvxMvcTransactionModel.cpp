#include "CvxMvcTransactionModel.h"

#include "CvxMvcCommand.h"

CvxMvcTransactionModel::CvxMvcTransactionModel() = default;
CvxMvcTransactionModel::~CvxMvcTransactionModel() = default;

bool CvxMvcTransactionModel::Execute(std::unique_ptr<CvxMvcCommand> command)
{
    if (!command) {
        return false;
    }
    if (!command->Execute()) {
        return false;
    }
    m_history.push_back(std::move(command));
    Trim();
    return true;
}

bool CvxMvcTransactionModel::Undo()
{
    if (m_history.empty()) {
        return false;
    }
    // Off the history before its Undo runs, so that an Undo that records commands of its own
    // cannot undo itself twice.
    std::unique_ptr<CvxMvcCommand> command = std::move(m_history.back());
    m_history.pop_back();
    return command->Undo();
}

void CvxMvcTransactionModel::ClearHistory()
{
    m_history.clear();
}

void CvxMvcTransactionModel::SetHistoryDepth(std::size_t depth)
{
    m_depth = depth;
    Trim();
}

const CvxMvcCommand* CvxMvcTransactionModel::GetLatestCommand() const
{
    return m_history.empty() ? nullptr : m_history.back().get();
}

void CvxMvcTransactionModel::Trim()
{
    while (m_history.size() > m_depth) {
        m_history.pop_front();
    }
}
