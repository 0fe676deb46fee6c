#include "CvxCompareViewMetrics.h"

#include "CvxCompareProperties.h"

void CvxCompareViewMetrics::ApplyLabelFont(CvxCompareProperties& properties, const CvxCompareFontMeasure& label)
{
    const int a = label.averageCharWidth;
    properties.SetDefColWidth(20 * a);
    properties.SetMinDefColWidth(a + a / 2);
    properties.SetHeaderRowHeight(HeaderRowHeight(label.lineHeight));
}

int CvxCompareViewMetrics::HeaderLines(const CvxCompareProperties& properties)
{
    return 1 + (properties.IsBaseDisplayed() ? 1 : 0) + (properties.IsTriggerDisplayed() ? 1 : 0);
}

int CvxCompareViewMetrics::HeaderHeight(const CvxCompareProperties& properties)
{
    return properties.GetHeaderRowHeight() * HeaderLines(properties);
}
