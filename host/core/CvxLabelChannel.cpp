#include "CvxLabelChannel.h"

#include "CvxLabelMgr.h"

#include <string>

EvxLabelKind CvxLabelChannel::GetType() const
{
    const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(m_label);
    return label == nullptr ? EvxLabelKind::None : label->GetKind();
}

std::u16string CvxLabelChannel::GetChannelSuffix() const
{
    if (m_channel < 0) {
        return {};
    }
    const std::string digits = std::to_string(m_channel);
    return u"[" + std::u16string(digits.begin(), digits.end()) + u"]";
}

std::u16string CvxLabelChannel::GetName() const
{
    const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(m_label);
    if (label == nullptr) {
        return {};
    }
    return label->GetName() + GetChannelSuffix();
}

int CvxLabelChannel::GetNumberOfChannels() const
{
    if (m_channel >= 0) {
        return 1;
    }
    const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(m_label);
    return label == nullptr ? 0 : label->GetNumberOfChannels();
}
