#include "CvxLabelNameFormatter.h"

#include "CvxLabelChannel.h"
#include "CvxLabelMgr.h"

std::u16string CvxLabelNameFormatter::Format(const CvxID& label, int channel, bool withPath)
{
    const CvxLabelMgr& mgr = CvxLabelMgr::GetInstance();
    const CvxLabelBase* base = mgr.IDToLabel(label);
    if (base == nullptr) {
        return {};
    }
    std::u16string name = CvxLabelChannel(label, channel).GetName();
    if (withPath) {
        // Bounded walk: a broken parent chain cannot loop forever.
        const CvxLabelBase* parent = mgr.IDToLabel(base->GetParentID());
        for (int depth = 0; parent != nullptr && parent->GetID() != mgr.GetLabelRootID() && depth < 64; ++depth) {
            name = parent->GetName() + u"/" + name;
            parent = mgr.IDToLabel(parent->GetParentID());
        }
    }
    return name;
}
