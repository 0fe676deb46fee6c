#pragma once
// What the Compare window derives from its fonts: default column widths, the header row's
// height, the header's height from its lines and the side columns' widths. Plain arithmetic
// over measured font metrics, so that tests check it for any font without a window.

class CvxCompareProperties;

// A font measured once: its average character width and its line height (height plus
// external leading).
struct CvxCompareFontMeasure {
    int averageCharWidth = 0;
    int lineHeight = 0;
};

class CvxCompareViewMetrics {
public:
    // From the label font: DefColWidth = 20 a, MinDefColWidth = a + a / 2, HeaderRowHeight =
    // h + 10.
    static void ApplyLabelFont(CvxCompareProperties& properties, const CvxCompareFontMeasure& label);
    static int HeaderRowHeight(int lineHeight) { return lineHeight + 10; }
    // One line for the names, one more for the bases and one for the trigger when shown.
    static int HeaderLines(const CvxCompareProperties& properties);
    static int HeaderHeight(const CvxCompareProperties& properties);
    // The side columns from the host's standard font: the left marker bar 6 b, the right
    // column (marker bar and overview) 12 b.
    static int LeftColumnWidth(int standardAverageCharWidth) { return 6 * standardAverageCharWidth; }
    static int RightColumnWidth(int standardAverageCharWidth) { return 12 * standardAverageCharWidth; }
};
