#include "CvxLabelTooltipFormatter.h"

#include "CvxLabelMgr.h"
#include "CvxStringConvert.h"

namespace {

std::u16string Number(long long n)
{
    return CvxStringConvert::FromUtf8(std::to_string(n));
}

// "D7..D0": the acquisition channels of the bus, most significant first, as the source named them.
std::u16string Channels(const CvxLabelBase& label)
{
    const int width = label.GetNumberOfChannels();
    if (width <= 0 || label.GetChannelName(0).empty()) {
        return {};
    }
    if (width == 1) {
        return label.GetChannelName(0);
    }
    return label.GetChannelName(width - 1) + u".." + label.GetChannelName(0);
}

} // namespace

std::u16string CvxLabelTooltipFormatter::Format(const CvxLabelChannel& channel)
{
    const CvxLabelMgr& mgr = CvxLabelMgr::GetInstance();
    const CvxLabelBase* label = mgr.IDToLabel(channel.GetLabelID());
    if (label == nullptr) {
        return {};
    }
    std::u16string text = label->GetName();
    const int width = label->GetNumberOfChannels();
    if (channel.GetChannel() >= 0) {
        text += u"[" + Number(channel.GetChannel()) + u"]";
        const std::u16string name = label->GetChannelName(channel.GetChannel());
        text += u"\nSignal, bit " + Number(channel.GetChannel()) + u" of a " + Number(width) + u"-bit bus";
        if (!name.empty()) {
            text += u", channel " + name;
        }
    } else {
        switch (label->GetKind()) {
        case EvxLabelKind::BusSignal: text += width == 1 ? u"\nSignal" : u"\n" + Number(width) + u"-bit bus"; break;
        case EvxLabelKind::StringLabel: text += u"\nText"; break;
        case EvxLabelKind::TimeLabel: text += u"\nTime"; break;
        case EvxLabelKind::SampleNumberLabel: text += u"\nSample number"; break;
        default: break;
        }
        if (const std::u16string channels = Channels(*label); !channels.empty()) {
            text += u", channels " + channels;
        }
    }
    if (label->IsA(EvxLabelKind::BusSignal)) {
        text += u"\nBase: " + label->GetBase().GetName();
    }
    if (label->IsFourState()) {
        text += u"\nValues with X/Z";
    }
    if (!label->GetComment().empty()) {
        text += u"\n" + label->GetComment();
    }
    if (label->Locked()) {
        text += u"\nLocked";
    }
    if (const CvxLabelBase* folder = mgr.IDToLabel(label->GetParentID()); folder != nullptr && folder->IsFolder()) {
        text += u"\nFrom " + folder->GetName();
    }
    return text;
}
