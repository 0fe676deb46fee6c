#pragma once
// The persisted form of the column list and of one column record.
//
//   CompareColumnModel      key "NumberOfColumns", then per column i (display order) "column<i>"
//     column<i>
//       CompareColumn       key "Config": Width, ActivityIndicatorSupported, Color, Alignment
//                           ("Left", "Center", "Right")
//         LabelInfo         the label channel
//         MarkerID          the marker identifier
//         Base              the number base
//         DifferenceDisplay the difference display (its own element CompareColumnDifference)
//
// The column identifier, left edge, selection and activity level are not persisted: a loaded
// column is a new column with a new identifier.

#include "CvxCompareColumn.h"

#include <vector>

class CvxPersistenceSetup;

class CvxCompareColumnPersistence {
public:
    static void SaveColumn(CvxPersistenceSetup& setup, const CvxCompareColumn& column);
    // Loads into `column` what the setup holds; answers whether the host label manager still
    // knows the column's label (a column whose bus/signal is gone is not to be shown).
    static bool LoadColumn(CvxPersistenceSetup& setup, CvxCompareColumn& column);

    static void SaveColumns(CvxPersistenceSetup& setup, const std::vector<CvxCompareColumn>& columns);
    // Without a CompareColumnModel element: false, `columns` untouched. Otherwise `columns`
    // becomes the loaded columns whose labels still exist, in their saved order. The saved
    // count is not trusted: reading stops at the first column element that is not there.
    static bool LoadColumns(CvxPersistenceSetup& setup, std::vector<CvxCompareColumn>& columns);
};
