#pragma once
// A named bus/signal (or a folder of them) as the host knows it.

#include "CvxBase.h"
#include "CvxID.h"
#include "CvxUInt.h"

#include <map>
#include <string>
#include <vector>

// One enumeration for folder-component types and label-channel types.
enum class EvxLabelKind : int {
    None = 0,
    ModuleFolder = 1,
    GroupFolder = 2,
    BusSignal = 3,         // a bus or signal over acquisition channels
    StringLabel = 4,       // string values (decoded commands, wide four-state vectors, reals)
    TimeLabel = 5,         // the time of each sample
    SampleNumberLabel = 6, // the sample number of each sample
};

class CvxLabelBase {
public:
    // Horizontal alignments of values in a column.
    static constexpr int kAlignLeft = 0;
    static constexpr int kAlignCenter = 1;
    static constexpr int kAlignRight = 2;

    CvxLabelBase(const CvxID& id, std::u16string name, EvxLabelKind kind, int numberOfChannels = 0);

    const CvxID& GetID() const { return m_id; }
    const std::u16string& GetName() const { return m_name; }
    void SetName(std::u16string name) { m_name = std::move(name); }
    // The name the label's source gives it. A label renamed in this session keeps it, so that
    // the source's next acquisition finds the label again under its new name.
    const std::u16string& GetSourceName() const { return m_sourceName.empty() ? m_name : m_sourceName; }
    void SetSourceName(std::u16string name) { m_sourceName = std::move(name); }
    EvxLabelKind GetKind() const { return m_kind; }
    bool IsA(EvxLabelKind kind) const { return m_kind == kind; }
    bool IsFolder() const { return m_kind == EvxLabelKind::ModuleFolder || m_kind == EvxLabelKind::GroupFolder; }

    // Width in bits for buses/signals; time labels are 128 bits wide (a signed time in fs),
    // sample-number labels 64; folders and string labels have no channels of their own.
    int GetNumberOfChannels() const { return m_numberOfChannels; }
    void SetNumberOfChannels(int channels) { m_numberOfChannels = channels; }
    // Name of an acquisition channel of the bus (bit i), empty when the source gave none.
    std::u16string GetChannelName(int channel) const;
    void SetChannelNames(std::vector<std::u16string> names) { m_channelNames = std::move(names); }

    const CvxBase& GetBase() const { return m_base; }
    void SetBase(const CvxBase& base) { m_base = base; }
    int GetColor() const { return m_color; } // 0x00BBGGRR
    void SetColor(int color) { m_color = color; }
    int GetHorzAlignment() const { return m_alignment; }
    void SetHorzAlignment(int alignment) { m_alignment = alignment; }
    bool Locked() const { return m_locked; }
    void SetLocked(bool locked) { m_locked = locked; }
    const std::u16string& GetComment() const { return m_comment; }
    void SetComment(std::u16string comment) { m_comment = std::move(comment); }
    // Instance identifier of the plug-in (source or tool) that created the label.
    const CvxID& GetCreatorInstanceID() const { return m_creator; }
    void SetCreatorInstanceID(const CvxID& creator) { m_creator = creator; }
    const CvxID& GetParentID() const { return m_parent; }
    void SetParentID(const CvxID& parent) { m_parent = parent; }

    // Whether values may carry X/Z bits (four-state encoding of CvxUInt).
    bool IsFourState() const { return m_fourState; }
    void SetFourState(bool fourState) { m_fourState = fourState; }

    // Symbol table for the Symbols base: value -> name.
    void SetSymbol(const CvxUInt& value, std::u16string name) { m_symbols[value] = std::move(name); }
    void SetSymbols(std::map<CvxUInt, std::u16string> symbols) { m_symbols = std::move(symbols); }
    const std::u16string* FindSymbol(const CvxUInt& value) const;
    const std::map<CvxUInt, std::u16string>& GetSymbols() const { return m_symbols; }

private:
    CvxID m_id;
    std::u16string m_name;
    EvxLabelKind m_kind;
    int m_numberOfChannels;
    std::vector<std::u16string> m_channelNames;
    std::u16string m_sourceName;
    CvxBase m_base{kBaseHex};
    int m_color = 0x00FFFFFF;
    int m_alignment = kAlignRight;
    bool m_locked = false;
    bool m_fourState = false;
    std::u16string m_comment;
    CvxID m_creator;
    CvxID m_parent;
    std::map<CvxUInt, std::u16string> m_symbols;
};
