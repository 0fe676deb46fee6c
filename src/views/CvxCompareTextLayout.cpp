#include "CvxCompareTextLayout.h"


#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

bool CvxCompareTextLayout::Cut(std::u16string& text, int width, int averageCharWidth, int textWidth)
{
    if (text.size() <= 1 || averageCharWidth <= 0) {
        return false;
    }
    if (textWidth < width - averageCharWidth / 2) {
        return false;
    }
    const std::size_t n = static_cast<std::size_t>(std::max(0, width / averageCharWidth - 1));
    if (n >= text.size() - 1) {
        return false;
    }
    text.resize(n + 1);
    text[n] = kEllipsis;
    return true;
}

int CvxCompareTextLayout::TextX(int alignment, int x0, int width, int textWidth, int averageCharWidth)
{
    int x = x0 + averageCharWidth / 2;
    if (alignment == kCenter) {
        x = x0 + (width - textWidth) / 2;
    } else if (alignment == kRight) {
        x = x0 + width - textWidth - averageCharWidth / 2;
    }
    return std::max(x, x0);
}

int CvxCompareTextLayout::CharWidth(const QFont& font)
{
    // Advances are fractional: a digit of 7.2 pixels rounds to 7, but eight of them take 58.
    const QFontMetricsF metrics(font);
    const auto digit = static_cast<int>(std::ceil(metrics.horizontalAdvance(QLatin1Char('0'))));
    return std::max({1, QFontMetrics(font).averageCharWidth(), digit});
}
