#pragma once
// The pages of a Compare print, computed from the page rectangle, the printer's resolution
// and the settings, without drawing: the printable rectangle (the page less the margins), the
// header and footer bands, the body with its left strip (the sample number and time of each
// printed row) and its data area, each field's width in device units and the field groups,
// the fields that fit side by side; each group is printed down the whole range.
//
// Repeating fields (the time and sample-number columns) begin every group. The available
// width is the data area's: the fields are drawn there, beside the strip.

#include <QRect>

#include <string>
#include <vector>

struct CvxComparePrintSettings;

class CvxComparePrintLayout {
public:
    static constexpr int kStripWidth = 125;

    struct Field {
        double inches = 0.0;
        bool repeating = false;
    };

    // False with the message when the repeating fields leave no room for the widest other one.
    bool Compute(const QRect& page, int dpiX, int dpiY, const CvxComparePrintSettings& settings,
                 const std::vector<Field>& fields, std::u16string& error);

    const QRect& GetPrintable() const { return m_printable; }
    const QRect& GetHeader() const { return m_header; }
    const QRect& GetFooter() const { return m_footer; }
    const QRect& GetStrip() const { return m_strip; }
    const QRect& GetData() const { return m_data; }
    int GetFieldWidth(int field) const { return m_widths.at(static_cast<std::size_t>(field)); }
    // Each group's fields, as indexes into the fields given, in the order they are drawn.
    const std::vector<std::vector<int>>& GetGroups() const { return m_groups; }
    int GetGroupCount() const { return static_cast<int>(m_groups.size()); }

private:
    QRect m_printable;
    QRect m_header;
    QRect m_footer;
    QRect m_strip;
    QRect m_data;
    std::vector<int> m_widths;
    std::vector<std::vector<int>> m_groups;
};
