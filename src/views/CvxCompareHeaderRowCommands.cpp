#include "CvxCompareHeaderRowCommands.h"

#include "CvxCompareContextMenu.h"
#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"

using C = CvxCompareContextMenu;

bool CvxCompareHeaderRowCommands::IsHandled(int id)
{
    switch (id) {
    case C::kUndo:
    case C::kInsertColumn:
    case C::kShowActivity:
    case C::kShowBase:
    case C::kShowTrigger:
    case C::kShowMarkers: return true;
    default: return false;
    }
}

bool CvxCompareHeaderRowCommands::IsEnabled(const CvxCompareModel& model, int id)
{
    if (id == C::kUndo) {
        return !model.IsHistoryEmpty();
    }
    if (id == C::kInsertColumn) {
        return model.IsDataValid();
    }
    return IsHandled(id);
}

bool CvxCompareHeaderRowCommands::IsChecked(const CvxCompareModel& model, int id)
{
    const CvxCompareProperties& properties = model.GetProperties();
    switch (id) {
    case C::kShowActivity: return properties.IsActivityIndicatorDisplayed();
    case C::kShowBase: return properties.IsBaseDisplayed();
    case C::kShowTrigger: return properties.IsTriggerDisplayed();
    case C::kShowMarkers: return properties.IsMarkersDisplayed();
    default: return false;
    }
}

bool CvxCompareHeaderRowCommands::Execute(CvxCompareModel& model, int id)
{
    if (!IsEnabled(model, id)) {
        return false;
    }
    if (id == C::kUndo) {
        return model.Undo();
    }
    if (id == C::kInsertColumn) {
        // The header opens the dialog, from the event loop.
        CvxCompareDisplayLabelInsertDialogMessage insert(C::kInsertColumn);
        model.Broadcast(insert);
        return true;
    }
    CvxCompareProperties properties = model.GetProperties();
    const bool on = !IsChecked(model, id);
    switch (id) {
    case C::kShowActivity: properties.SetActivityIndicatorDisplayed(on); break;
    case C::kShowBase: properties.SetBaseDisplayed(on); break;
    case C::kShowTrigger: properties.SetTriggerDisplayed(on); break;
    case C::kShowMarkers: properties.SetMarkersDisplayed(on); break;
    default: return false;
    }
    return model.RequestProperties(properties);
}
