#pragma once
// Gives the window new display properties; undo gives it the old ones back.

#include "CvxCompareCommand.h"
#include "CvxCompareProperties.h"

class CvxComparePropertiesCommand : public CvxCompareCommand {
public:
    CvxComparePropertiesCommand(CvxCompareModel& model, const CvxCompareProperties& newProperties,
                                const CvxCompareProperties& oldProperties);
    bool Execute() override;
    bool Undo() override;

private:
    CvxCompareProperties m_new;
    CvxCompareProperties m_old;
};
