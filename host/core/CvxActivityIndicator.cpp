#include "CvxActivityIndicator.h"

#include "CvxData.h"
#include "CvxSampleIterBase.h"

void CvxActivityIndicator::Update(const CvxData* data, const CvxLabelChannel& label)
{
    m_level = kLevelUnknown;
    if (data == nullptr || !data->IsDataValid()) {
        return;
    }
    const auto it = data->CreateIter(label, CvxSampleIterBase::kModeSubRows);
    if (it == nullptr) {
        return;
    }
    bool any = false;
    CvxUInt first;
    CvxUInt value;
    for (it->First(); !it->IsDone(); it->Next()) {
        if (it->GetDataStatus() != kStatusValid || !it->GetValue(value)) {
            continue;
        }
        if (!any) {
            first = value;
            any = true;
        } else if (value != first) {
            m_level = kLevelToggling;
            return;
        }
    }
    if (any) {
        m_level = first.IsZero() ? kLevelLow : kLevelHigh;
    }
}
