#include "CvxCompareColumnWidthCommand.h"

#include "CvxCompareModel.h"

CvxCompareColumnWidthCommand::CvxCompareColumnWidthCommand(CvxCompareModel& model, const CvxID& column, int newWidth,
                                                           int oldWidth)
    : CvxCompareCommand(kColumnWidth, model), m_column(column), m_new(newWidth), m_old(oldWidth)
{
}

bool CvxCompareColumnWidthCommand::Execute()
{
    Model().SetColumnWidth(m_column, m_new);
    return true;
}

bool CvxCompareColumnWidthCommand::Undo()
{
    CvxCompareColumnWidthCommand(Model(), m_column, m_old, m_new).Execute();
    return true;
}
