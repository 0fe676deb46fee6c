#pragma once
// The host dialogs the column header opens, and what their answers do to the window: insert
// columns for chosen buses/signals, rename a bus/signal, edit its symbols or see its channels,
// find a bus/signal by name, and the analyzer's simple and advanced trigger dialogs. Each runs
// modal over `parent` (Find Bus/Signal stays open for further finds) and answers whether the
// window changed.

#include <functional>

class CvxCompareColumn;
class CvxCompareModel;
class CvxID;
class QString;
class QWidget;

class CvxCompareHeaderDialogs {
public:
    // New columns for the buses/signals chosen, before or after `at` (at the end for a null
    // column), selected and sized.
    static bool Insert(CvxCompareModel& model, const CvxCompareColumn* at, bool after, QWidget* parent);
    static bool Rename(CvxCompareModel& model, const CvxCompareColumn& column, QWidget* parent);
    static bool Symbols(const CvxCompareColumn& column, QWidget* parent);
    static bool HasSymbolsToEdit(const CvxCompareColumn& column);
    static bool AssignChannels(const CvxCompareColumn& column, QWidget* parent);
    // `find(text, direction)`: 0 first, 1 next, -1 previous; false when nothing matched.
    static void FindLabel(std::function<bool(const QString& text, int direction)> find, QWidget* parent);
    static bool SimpleTrigger(const CvxCompareModel& model, QWidget* parent);
    static bool AdvancedTrigger(const CvxCompareModel& model, QWidget* parent);
};
