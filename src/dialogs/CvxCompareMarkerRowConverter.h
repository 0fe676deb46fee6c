#pragma once
// The left marker bar's rows are the grid's rows: this converter turns a position into the
// pixel row of the grid row it falls on, and a pixel row into that grid row's position, by
// walking rows from the grid's centre row (which the grid draws around the middle of its
// height). Only positions inside the window (the rows the grid shows) are placed.

#include "CvxInt128.h"
#include "CvxMarkersConverter.h"

class CvxCompareModel;

class CvxCompareMarkerRowConverter : public CvxMarkersConverter {
public:
    explicit CvxCompareMarkerRowConverter(const CvxCompareModel& model) : m_model(model) {}

    // The grid's row height and client height, and the bar's pixel row of the grid's top.
    void SetGeometry(int rowHeight, int clientHeight, int top);
    int GetRowHeight() const { return m_rowHeight; }
    int GetClientHeight() const { return m_clientHeight; }
    // The first and last positions of the rows the grid shows.
    void SetWindow(CvxInt128 first, CvxInt128 last);

    bool PositionToPixel(const CvxPosition& position, int& y) const override;
    // Points beyond the grid's rows walk on past them, up to the data's ends.
    CvxPosition PixelToPosition(const QPoint& point) const override;

private:
    // The bar's pixel row of the top of the grid's centre row.
    int CentreTop() const { return m_top + m_clientHeight / 2 - m_rowHeight / 2; }

    const CvxCompareModel& m_model;
    int m_rowHeight = 1;
    int m_clientHeight = 0;
    int m_top = 0;
    bool m_hasWindow = false;
    CvxInt128 m_first = 0;
    CvxInt128 m_last = 0;
};
