#pragma once
// The hit areas of the column header as last painted: per column its cell, name text, base
// text, resize zone and trigger-menu field. The header's controller asks which parts of a
// column a point is in and where a part of a column is; the list is rebuilt by every paint.

#include "CvxID.h"

#include <QPoint>
#include <QRect>

#include <vector>

class CvxCompareHeaderHotSpots {
public:
    enum Part : int {
        kName = 1,
        kCell = 2,
        kBase = 4,
        kResize = 8,        // 5 pixels either side of the column's right edge, over the header's height
        kTriggerMenu = 0x10, // the "Click here for trigger menu" field
    };
    struct Entry {
        CvxID column; // a fresh identifier for an area of no column
        int part = 0;
        QRect rect;
    };

    void Clear() { m_entries.clear(); }
    void Add(const CvxID& column, int part, const QRect& rect) { m_entries.push_back({column, part, rect}); }
    const std::vector<Entry>& GetEntries() const { return m_entries; }

    // The parts of `column` that hold the point, combined (0: none).
    int Test(const QPoint& point, const CvxID& column) const;
    // The rectangle of a part of a column (empty when it was not painted).
    QRect GetRect(const CvxID& column, int part) const;
    // The column whose resize zone holds the point, else the column whose cell holds it; false
    // outside every column. A resize zone reaches into the next column's cell and wins there.
    bool ColumnAt(const QPoint& point, CvxID& column) const;

private:
    std::vector<Entry> m_entries;
};
