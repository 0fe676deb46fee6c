#pragma once
// Columns as the clipboard carries them between Compare windows: markup text with a "Viewer"
// element (the copying window's name) holding "Labels", one "Label" element per column with
// the attributes LabelID, Channel, Width, Base, Color, Alignment, Display and
// RelativeMarkerID.

#include "CvxCompareColumn.h"

#include <string>
#include <vector>

class CvxCompareColumnClipboard {
public:
    static std::u16string ToMarkup(const std::vector<CvxCompareColumn>& columns, const std::u16string& viewerName);
    // New columns (new identifiers) for the "Label" elements of the text, in order; an element
    // without a readable LabelID is skipped, absent attributes keep a new column's defaults.
    // Empty when the text has no root or no "Labels" element (as the root or below it).
    static std::vector<CvxCompareColumn> FromMarkup(const std::u16string& text);
};
