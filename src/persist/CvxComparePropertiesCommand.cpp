#include "CvxComparePropertiesCommand.h"

#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"

CvxComparePropertiesCommand::CvxComparePropertiesCommand(CvxCompareModel& model,
                                                         const CvxCompareProperties& newProperties,
                                                         const CvxCompareProperties& oldProperties)
    : CvxCompareCommand(kProperties, model), m_new(newProperties), m_old(oldProperties)
{
}

bool CvxComparePropertiesCommand::Execute()
{
    Model().SetProperties(m_new);
    CvxComparePropertiesChangedMessage properties;
    Model().Broadcast(properties);
    CvxCompareColumnsChangedMessage columns;
    Model().Broadcast(columns);
    CvxCompareSetDefaultColumnWidthMessage widths;
    Model().Broadcast(widths);
    return true;
}

bool CvxComparePropertiesCommand::Undo()
{
    CvxComparePropertiesCommand(Model(), m_old, m_new).Execute();
    return true;
}
