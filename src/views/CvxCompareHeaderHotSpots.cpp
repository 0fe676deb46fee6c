#include "CvxCompareHeaderHotSpots.h"

int CvxCompareHeaderHotSpots::Test(const QPoint& point, const CvxID& column) const
{
    int parts = 0;
    for (const Entry& entry : m_entries) {
        if (entry.column == column && entry.rect.contains(point)) {
            parts |= entry.part;
        }
    }
    return parts;
}

QRect CvxCompareHeaderHotSpots::GetRect(const CvxID& column, int part) const
{
    for (const Entry& entry : m_entries) {
        if (entry.column == column && entry.part == part) {
            return entry.rect;
        }
    }
    return {};
}

bool CvxCompareHeaderHotSpots::ColumnAt(const QPoint& point, CvxID& column) const
{
    const Entry* cell = nullptr;
    for (const Entry& entry : m_entries) {
        if (!entry.rect.contains(point)) {
            continue;
        }
        if (entry.part == kResize) {
            column = entry.column;
            return true;
        }
        if (entry.part == kCell && cell == nullptr) {
            cell = &entry;
        }
    }
    if (cell == nullptr) {
        return false;
    }
    column = cell->column;
    return true;
}
