#pragma once
// What the host knows of the user's screen and system palette. A GUI host sets them from
// its windowing system; a headless host answers the defaults (a 1920-pixel desktop and a
// light palette). Colours are 0x00BBGGRR values, indexed like the usual system colours.

#include <map>

enum EvxSystemColor : int {
    kSysColorWindow = 5,
    kSysColorWindowText = 8,
    kSysColorHighlight = 13,
    kSysColorHighlightText = 14,
    kSysColorGrayText = 17,
};

class CvxDesktop {
public:
    static CvxDesktop& GetInstance();
    CvxDesktop(const CvxDesktop&) = delete;
    CvxDesktop& operator=(const CvxDesktop&) = delete;

    // Width of the desktop in pixels.
    int GetWidth() const { return m_width; }
    void SetWidth(int width) { m_width = width > 0 ? width : kDefaultWidth; }

    int GetSysColor(int index) const;
    void SetSysColor(int index, int color) { m_colors[index] = color; }

    void Reset();

private:
    static constexpr int kDefaultWidth = 1920;
    CvxDesktop() = default;

    int m_width = kDefaultWidth;
    std::map<int, int> m_colors;
};
