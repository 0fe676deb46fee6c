#pragma once
// Measures and draws the fields of a Compare print. A field is one column of the grid: it is
// as wide on paper as on screen (its width in pixels over the screen's pixels per inch), shows
// its bus/signal information (its name, in the window's label font) above its values, and its
// values as the grid paints them (the column's cell painter, in the window's data font).
// The time and sample-number columns repeat in every field group.

#include "CvxPosition.h"

#include <memory>
#include <optional>
#include <vector>

class CvxCompareColumn;
class CvxCompareModel;
class CvxData;
class QPaintDevice;
class QPainter;
class QRect;

class CvxComparePrintSupport {
public:
    // One field of a page: its column and its place across the data area.
    struct Place {
        const CvxCompareColumn* column = nullptr;
        int left = 0;
        int width = 0;
    };

    explicit CvxComparePrintSupport(const CvxCompareModel& model) : m_model(model) {}

    // The acquired data printed from; set when a job begins.
    void SetData(std::shared_ptr<CvxData> data) { m_data = std::move(data); }
    const std::shared_ptr<CvxData>& GetData() const { return m_data; }

    double FieldInches(const CvxCompareColumn& column) const;
    static bool IsRepeating(const CvxCompareColumn& column);

    int InfoHeight(QPaintDevice& device) const;
    void DrawInfo(QPainter& painter, const Place& field, int top) const;
    // Draws the rows from `start` on, not past `end`, one per line from `top` while whole
    // lines fit above `bottom`; each row's sample number and time go in the strip. Answers
    // where the next page starts, or nothing when the range is done.
    std::optional<CvxPosition> DrawRows(QPainter& painter, const std::vector<Place>& fields, const QRect& strip, int top,
                                        int bottom, const CvxPosition& start, const CvxPosition& end) const;

private:
    const CvxCompareModel& m_model;
    std::shared_ptr<CvxData> m_data;
};
