#pragma once
// The text of outlined cells for the clipboard: optionally a first line of the columns' names,
// then one line per row from the first to the last outlined position, each column's input
// value and, unless the column shows the input only, a tab and its reference text as the cell
// shows it; columns are separated by tabs, lines end with a line break.

#include "CvxPosition.h"

#include <string>
#include <vector>

class CvxCompareColumn;
class CvxCompareModel;

class CvxCompareCopyText {
public:
    static std::u16string Build(const CvxCompareModel& model, const std::vector<const CvxCompareColumn*>& columns,
                                const CvxPosition& first, const CvxPosition& last, bool withNames);
};
