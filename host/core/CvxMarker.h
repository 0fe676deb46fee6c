#pragma once
// A marker: a named position in the acquired data. The host keeps begin-of-data, end-of-data
// and trigger markers and user markers (M1, M2, ...); which kind a marker is shows in its
// flags. Colours are 0x00BBGGRR values.

#include "CvxID.h"
#include "CvxPosition.h"

#include <string>

enum EvxMarkerFlag : int {
    kMarkerFlagBeginData = 1,
    kMarkerFlagEndData = 2,
    kMarkerFlagTrigger = 3,
    kMarkerFlagUser = 7, // user markers: modifiable and draggable
};

class CvxMarker {
public:
    CvxMarker(const CvxID& id, std::u16string name, std::u16string abbreviation, int flag);

    const CvxID& GetID() const { return m_id; }
    const std::u16string& GetName() const { return m_name; }
    void SetName(std::u16string name) { m_name = std::move(name); }
    // The short name shown where space is tight ("M1", "T").
    const std::u16string& GetAbbreviatedName() const { return m_abbreviation; }
    void SetAbbreviatedName(std::u16string abbreviation) { m_abbreviation = std::move(abbreviation); }
    // "Trigger (T)"; the name alone when the abbreviation is empty or equal to it.
    std::u16string GetNameWithAbbreviation() const;

    const CvxPosition& GetPosition() const { return m_position; }
    void SetPosition(const CvxPosition& position) { m_position = position; }

    bool IsSetShow() const { return m_show; }
    void SetShow(bool show) { m_show = show; }

    // Flags 0 to 31; others are never set.
    bool IsFlagSet(int flag) const;
    void SetFlag(int flag, bool on);
    bool IsUserMarker() const { return IsFlagSet(kMarkerFlagUser); }

    int GetForegroundColor() const { return m_foreground; }
    void SetForegroundColor(int color) { m_foreground = color; }
    int GetBackgroundColor() const { return m_background; }
    void SetBackgroundColor(int color) { m_background = color; }

private:
    CvxID m_id;
    std::u16string m_name;
    std::u16string m_abbreviation;
    CvxPosition m_position = CvxPosition::AtTime(CvxTime());
    unsigned m_flags = 0;
    bool m_show = true;
    int m_foreground = 0x00000000;
    int m_background = 0x00FFFFFF;
};
