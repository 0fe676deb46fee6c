#include "CvxComparePrintLayout.h"

#include "CvxComparePrintSettings.h"

#include <algorithm>

namespace {

// Inches to device units, truncated as the pages have always been measured.
int Units(double inches, int dpi)
{
    return static_cast<int>(inches * dpi);
}

} // namespace

bool CvxComparePrintLayout::Compute(const QRect& page, int dpiX, int dpiY, const CvxComparePrintSettings& settings,
                                    const std::vector<Field>& fields, std::u16string& error)
{
    m_groups.clear();
    m_widths.clear();
    m_printable = QRect(QPoint(page.left() + Units(settings.left, dpiX), page.top() + Units(settings.top, dpiY)),
                        QPoint(page.right() - Units(settings.right, dpiX), page.bottom() - Units(settings.bottom, dpiY)));

    const int bandInset = Units(settings.bandInset, dpiX);
    const int headerHeight = Units(settings.headerHeight, dpiY);
    const int footerHeight = Units(settings.footerHeight, dpiY);
    m_header = QRect(m_printable.left() + bandInset, m_printable.top(), m_printable.width() - 2 * bandInset, headerHeight);
    m_footer = QRect(m_printable.left() + bandInset, m_printable.bottom() + 1 - footerHeight,
                     m_printable.width() - 2 * bandInset, footerHeight);
    const int bodyTop = m_printable.top() + headerHeight;
    const int bodyHeight = std::max(0, m_printable.height() - headerHeight - footerHeight);
    m_strip = QRect(m_printable.left(), bodyTop, kStripWidth, bodyHeight);
    const int dataInset = Units(settings.dataInset, dpiX);
    m_data = QRect(m_strip.right() + 1 + dataInset, bodyTop,
                   std::max(0, m_printable.right() - m_strip.right() - 2 * dataInset), bodyHeight);

    int repeating = 0;
    int widest = 0;
    for (const Field& field : fields) {
        m_widths.push_back(Units(field.inches, dpiX));
        if (field.repeating) {
            repeating += m_widths.back();
        } else {
            widest = std::max(widest, m_widths.back());
        }
    }
    const int available = m_data.width();
    if (repeating > available - widest) {
        error = u"Total repeating fields cannot be wider than the available page minus the largest non-repeating field.";
        return false;
    }

    std::vector<int> start;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].repeating) {
            start.push_back(static_cast<int>(i));
        }
    }
    std::vector<int> group = start;
    int width = repeating;
    bool hasOwn = false; // the group holds a field besides the repeating ones
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].repeating) {
            continue;
        }
        if (hasOwn && width + m_widths[i] > available) {
            m_groups.push_back(std::move(group));
            group = start;
            width = repeating;
        }
        group.push_back(static_cast<int>(i));
        width += m_widths[i];
        hasOwn = true;
    }
    if (hasOwn || !group.empty()) {
        m_groups.push_back(std::move(group));
    }
    return true;
}
