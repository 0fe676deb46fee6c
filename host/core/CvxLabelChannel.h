#pragma once
// A bus/signal and a channel of it: channel -1 stands for the whole bus, 0 or more for one bit.

#include "CvxID.h"
#include "CvxLabelBase.h"

#include <string>

class CvxLabelChannel {
public:
    static constexpr int kWholeLabel = -1;

    CvxLabelChannel() = default;
    explicit CvxLabelChannel(const CvxID& label, int channel = kWholeLabel) : m_label(label), m_channel(channel) {}

    const CvxID& GetLabelID() const { return m_label; }
    void SetLabelID(const CvxID& label) { m_label = label; }
    int GetChannel() const { return m_channel; }
    void SetChannel(int channel) { m_channel = channel; }
    bool IsWholeLabel() const { return m_channel < 0; }

    // The kind of the label as the label manager holds it (None when it holds no such label).
    EvxLabelKind GetType() const;
    // The label's name, followed for a single channel by its suffix ("ADDR[3]").
    std::u16string GetName() const;
    // "[c]" for a single channel, empty for the whole label.
    std::u16string GetChannelSuffix() const;
    // Bits of the value: the label's channel count, or 1 for a single channel.
    int GetNumberOfChannels() const;

    friend bool operator==(const CvxLabelChannel&, const CvxLabelChannel&) = default;
    friend auto operator<=>(const CvxLabelChannel&, const CvxLabelChannel&) = default;

private:
    CvxID m_label;
    int m_channel = kWholeLabel;
};
