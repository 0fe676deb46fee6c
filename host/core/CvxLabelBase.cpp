#include "CvxLabelBase.h"

CvxLabelBase::CvxLabelBase(const CvxID& id, std::u16string name, EvxLabelKind kind, int numberOfChannels)
    : m_id(id), m_name(std::move(name)), m_kind(kind), m_numberOfChannels(numberOfChannels)
{
    if (kind == EvxLabelKind::TimeLabel) {
        m_base = CvxBase(kBaseTime);
        m_numberOfChannels = 128;
    } else if (kind == EvxLabelKind::SampleNumberLabel) {
        m_base = CvxBase(kBaseSample);
        m_numberOfChannels = 64;
    }
}

std::u16string CvxLabelBase::GetChannelName(int channel) const
{
    if (channel < 0 || static_cast<size_t>(channel) >= m_channelNames.size()) {
        return {};
    }
    return m_channelNames[static_cast<size_t>(channel)];
}

const std::u16string* CvxLabelBase::FindSymbol(const CvxUInt& value) const
{
    const auto it = m_symbols.find(value);
    return it == m_symbols.end() ? nullptr : &it->second;
}
