#include "CvxCompareTextLayout.h"


#include <algorithm>

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

int CvxCompareTextLayout::CharWidth(const QFontMetrics& metrics)
{
    return std::max({1, metrics.averageCharWidth(), metrics.horizontalAdvance(QLatin1Char('0'))});
}
