// The model's requests: every change that views and dialogs make to the column set and the
// display settings becomes one undoable command, built with the model's current state as
// its old values and executed through the transaction base, which records it for undo.
// (The model's state and the primitive changes the commands make live in CvxCompareModel.cpp.)

#include "CvxCompareModel.h"

#include "CvxCompareCenterDelayCommand.h"
#include "CvxCompareColumnListCommands.h"
#include "CvxCompareColumnPropertiesCommand.h"
#include "CvxCompareColumnWidthCommand.h"
#include "CvxCompareLabelRenameCommand.h"
#include "CvxCompareMoveColumnsCommand.h"
#include "CvxCompareMoveOriginCommand.h"
#include "CvxComparePropertiesCommand.h"
#include "CvxLabelMgr.h"

void CvxCompareModel::RequestInsertColumns(std::vector<CvxCompareColumn> columns, const CvxID& position, bool after,
                                           bool select)
{
    if (!columns.empty()) {
        Execute(std::make_unique<CvxCompareInsertCommand>(*this, std::move(columns), position, after, select));
    }
}

void CvxCompareModel::RequestDeleteColumns(std::vector<CvxID> columns)
{
    if (!columns.empty()) {
        Execute(std::make_unique<CvxCompareDeleteCommand>(*this, std::move(columns)));
    }
}

bool CvxCompareModel::RequestColumnWidth(const CvxID& column, int width)
{
    const CvxCompareColumn* current = FindColumn(column);
    if (current == nullptr) {
        return false;
    }
    return Execute(std::make_unique<CvxCompareColumnWidthCommand>(*this, column, width, current->GetWidth()));
}

void CvxCompareModel::RequestMoveColumns(std::vector<CvxID> columns, const CvxID& target, int position)
{
    if (!columns.empty()) {
        Execute(std::make_unique<CvxCompareMoveColumnsCommand>(*this, std::move(columns), target, position));
    }
}

void CvxCompareModel::RequestRestoreColumns(std::vector<CvxCompareColumn> columns)
{
    Execute(std::make_unique<CvxCompareRestoreModelCommand>(*this, std::move(columns)));
}

void CvxCompareModel::RequestStoreColumns(std::vector<CvxCompareColumn> columns)
{
    Execute(std::make_unique<CvxCompareStoreModelCommand>(*this, std::move(columns)));
}

bool CvxCompareModel::RequestRenameLabel(const CvxID& column, std::u16string name)
{
    const CvxCompareColumn* current = FindColumn(column);
    if (current == nullptr) {
        return false;
    }
    const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(current->GetLabel().GetLabelID());
    std::u16string old = label != nullptr ? label->GetName() : std::u16string();
    return Execute(std::make_unique<CvxCompareLabelRenameCommand>(*this, column, std::move(name), std::move(old)));
}

void CvxCompareModel::RequestColumnProperties(std::vector<CvxCompareColumn> records)
{
    if (!records.empty()) {
        Execute(std::make_unique<CvxCompareColumnPropertiesCommand>(*this, std::move(records)));
    }
}

bool CvxCompareModel::RequestProperties(const CvxCompareProperties& properties)
{
    if (properties == GetProperties()) {
        return false;
    }
    return Execute(std::make_unique<CvxComparePropertiesCommand>(*this, properties, GetProperties()));
}

void CvxCompareModel::RequestMoveOrigin(int x, int y, int oldX, int oldY)
{
    Execute(std::make_unique<CvxCompareMoveOriginCommand>(*this, x, y, oldX, oldY));
}

void CvxCompareModel::RequestCenter(const CvxPosition& center, bool broadcast)
{
    Execute(std::make_unique<CvxCompareCenterDelayCommand>(*this, center, GetCenter(), broadcast));
}
