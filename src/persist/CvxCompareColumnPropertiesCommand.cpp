#include "CvxCompareColumnPropertiesCommand.h"

#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"

namespace {

std::vector<CvxCompareColumn> CurrentRecords(const CvxCompareModel& model, const std::vector<CvxCompareColumn>& of)
{
    std::vector<CvxCompareColumn> current;
    for (const CvxCompareColumn& record : of) {
        if (const CvxCompareColumn* column = model.FindColumn(record.GetID())) {
            current.push_back(*column);
        }
    }
    return current;
}

} // namespace

CvxCompareColumnPropertiesCommand::CvxCompareColumnPropertiesCommand(CvxCompareModel& model,
                                                                     std::vector<CvxCompareColumn> newRecords)
    : CvxCompareCommand(kColumnProperties, model), m_new(std::move(newRecords)), m_old(CurrentRecords(model, m_new))
{
}

CvxCompareColumnPropertiesCommand::CvxCompareColumnPropertiesCommand(CvxCompareModel& model,
                                                                     std::vector<CvxCompareColumn> newRecords,
                                                                     std::vector<CvxCompareColumn> oldRecords)
    : CvxCompareCommand(kColumnProperties, model), m_new(std::move(newRecords)), m_old(std::move(oldRecords))
{
}

bool CvxCompareColumnPropertiesCommand::Execute()
{
    Model().ReplaceColumnRecords(m_new);
    CvxCompareColumnsChangedMessage changed;
    Model().Broadcast(changed);
    CvxCompareSetDefaultColumnWidthMessage widths;
    Model().Broadcast(widths);
    return true;
}

bool CvxCompareColumnPropertiesCommand::Undo()
{
    CvxCompareColumnPropertiesCommand(Model(), m_old, m_new).Execute();
    return true;
}
