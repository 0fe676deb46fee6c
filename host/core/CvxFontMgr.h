#pragma once
// The host's single font manager: the fonts the host offers by number (3 the label font,
// 4 the data font). A GUI host sets them from its own settings; a headless host answers the
// defaults (a monospaced face at 9 points).

#include <map>
#include <string>
#include <utility>

class CvxFontInfo {
public:
    CvxFontInfo() = default;
    CvxFontInfo(std::u16string faceName, int pointSize, int weight = 400)
        : m_face(std::move(faceName)), m_points(pointSize), m_weight(weight)
    {
    }
    const std::u16string& GetFaceName() const { return m_face; }
    int GetPointSize() const { return m_points; }
    int GetWeight() const { return m_weight; }

private:
    std::u16string m_face = u"DejaVu Sans Mono";
    int m_points = 9;
    int m_weight = 400;
};

class CvxFontMgr {
public:
    static constexpr int kLabelFont = 3;
    static constexpr int kDataFont = 4;

    static CvxFontMgr& GetInstance();
    CvxFontMgr(const CvxFontMgr&) = delete;
    CvxFontMgr& operator=(const CvxFontMgr&) = delete;

    // Unknown numbers answer the default font.
    CvxFontInfo GetFontInfo(int number) const;
    void SetFontInfo(int number, CvxFontInfo info) { m_fonts[number] = std::move(info); }
    void Reset() { m_fonts.clear(); }

private:
    CvxFontMgr() = default;
    std::map<int, CvxFontInfo> m_fonts;
};
