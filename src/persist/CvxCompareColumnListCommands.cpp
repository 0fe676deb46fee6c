#include "CvxCompareColumnListCommands.h"

#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"

CvxCompareRestoreModelCommand::CvxCompareRestoreModelCommand(CvxCompareModel& model,
                                                             std::vector<CvxCompareColumn> columns)
    : CvxCompareCommand(kRestoreModel, model), m_columns(std::move(columns)), m_snapshot(model.GetColumns())
{
}

bool CvxCompareRestoreModelCommand::Execute()
{
    Model().ReplaceColumns(m_columns);
    CvxCompareModelChangeMessage changed;
    Model().Broadcast(changed);
    return true;
}

bool CvxCompareRestoreModelCommand::Undo()
{
    CvxCompareRestoreModelCommand(Model(), m_snapshot).Execute();
    return true;
}

CvxCompareInsertCommand::CvxCompareInsertCommand(CvxCompareModel& model, std::vector<CvxCompareColumn> columns,
                                                 const CvxID& position, bool after, bool select)
    : CvxCompareCommand(kInsert, model)
    , m_columns(std::move(columns))
    , m_position(position)
    , m_after(after)
    , m_select(select)
    , m_snapshot(model.GetColumns())
{
}

bool CvxCompareInsertCommand::Execute()
{
    Model().InsertColumns(m_columns, m_position, m_after, m_select);
    return true;
}

bool CvxCompareInsertCommand::Undo()
{
    CvxCompareRestoreModelCommand(Model(), m_snapshot).Execute();
    return true;
}

CvxCompareDeleteCommand::CvxCompareDeleteCommand(CvxCompareModel& model, std::vector<CvxID> columns)
    : CvxCompareCommand(kDelete, model), m_columns(std::move(columns)), m_snapshot(model.GetColumns())
{
}

bool CvxCompareDeleteCommand::Execute()
{
    Model().DeleteColumns(m_columns);
    return true;
}

bool CvxCompareDeleteCommand::Undo()
{
    CvxCompareRestoreModelCommand(Model(), m_snapshot).Execute();
    return true;
}

CvxCompareStoreModelCommand::CvxCompareStoreModelCommand(CvxCompareModel& model,
                                                         std::vector<CvxCompareColumn> columns)
    : CvxCompareCommand(kStoreModel, model), m_columns(std::move(columns))
{
}

bool CvxCompareStoreModelCommand::Undo()
{
    CvxCompareRestoreModelCommand(Model(), m_columns).Execute();
    return true;
}
