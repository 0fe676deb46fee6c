#pragma once
// How a value's text sits in one half of a grid cell: cut with the ellipsis when it does not
// fit, placed by the column's alignment, and which of its characters differ from the other
// half's text. Plain functions over measured widths, so that tests check them as tables.

#include <QFontMetrics>

#include <string>
#include <string_view>

class CvxCompareTextLayout {
public:
    static constexpr char16_t kEllipsis = 0x2026;
    // Alignments of a column (as the column record keeps them).
    static constexpr int kLeft = 0;
    static constexpr int kCenter = 1;
    static constexpr int kRight = 2;

    // A text (`textWidth` pixels wide) at least as wide as `width` less half a character is cut
    // to n = width / a - 1 characters (at least 0) followed by the ellipsis; a text of one
    // character is never cut. Answers whether it cut.
    static bool Cut(std::u16string& text, int width, int averageCharWidth, int textWidth);
    // Where the text starts in an area from x0, `width` wide: half a character in from the
    // left, centred, or half a character in from the right; never left of x0.
    static int TextX(int alignment, int x0, int width, int textWidth, int averageCharWidth);
    // The width one character of a value takes in the data font: its average character, or a
    // digit's advance rounded up where that is wider.
    static int CharWidth(const QFont& font);
    // Whether character i differs from the other text's character i; a character the other
    // text has no counterpart for differs.
    static bool Differs(std::u16string_view text, std::u16string_view other, std::size_t i)
    {
        return i >= other.size() || text[i] != other[i];
    }
};
