#pragma once
// How wide a column must be for what it shows: the largest of its name in the label font (with
// room for the activity indicator when shown), its base line, its trigger field, and its
// widest value in the data font (the formatter's width in characters, with half a character
// of margin each side, twice over when the reference half is shown beside it), and never
// under the columns' smallest width. Columns that have no width yet get this one.

class CvxCompareColumn;
class CvxCompareModel;
class CvxCompareProperties;

class CvxCompareColumnWidth {
public:
    static int Measure(const CvxCompareModel& model, const CvxCompareColumn& column);
    // With other display properties than the model's (those being edited).
    static int Measure(const CvxCompareModel& model, const CvxCompareProperties& properties,
                       const CvxCompareColumn& column);
    // Gives every column without a width its measured width; answers whether any changed.
    static bool SizeUnsized(CvxCompareModel& model);
    // Every column to its measured width, as one undoable command.
    static void SizeAll(CvxCompareModel& model);
};
