#pragma once
// The commands of the header row's context menus that need no column: Undo, Insert Column...
// (which the header opens, asked by message) and the four Display toggles (each a properties
// change, so that Undo brings it back). Their enabled and checked states follow the model.

class CvxCompareModel;

class CvxCompareHeaderRowCommands {
public:
    static bool IsHandled(int id);
    static bool IsEnabled(const CvxCompareModel& model, int id);
    static bool IsChecked(const CvxCompareModel& model, int id);
    // Runs the command; false when it is not one of these or not enabled now.
    static bool Execute(CvxCompareModel& model, int id);
};
