#include "CvxCompareQuickTrigger.h"

#include "CvxCompareModel.h"
#include "CvxData.h"
#include "CvxLabelMgr.h"
#include "CvxLabelNameFormatter.h"
#include "CvxSampleFormatter.h"
#include "CvxSampleIterBase.h"
#include "CvxStdCmdIFaceMgr.h"

#include <algorithm>

void CvxCompareQuickTrigger::Build(const CvxCompareModel& model, const std::vector<const CvxCompareColumn*>& columns,
                                   const CvxPosition& first, const CvxPosition& last)
{
    m_patterns.clear();
    m_text.clear();
    // One term per bus/signal: channels of the same bus are one.
    std::vector<CvxLabelChannel> labels;
    for (const CvxCompareColumn* column : columns) {
        const CvxLabelChannel& label = column->GetLabel();
        const bool known = std::any_of(labels.begin(), labels.end(), [&](const CvxLabelChannel& l) {
            return l.GetLabelID() == label.GetLabelID() && (l.GetChannel() < 0 || label.GetChannel() < 0 || l == label);
        });
        if (!known) {
            labels.push_back(label);
        }
    }
    bool triggerable = !labels.empty();
    for (const CvxLabelChannel& label : labels) {
        triggerable = triggerable && CvxStdCmdIFaceMgr::GetInstance().IsValidTriggerLabel(label);
    }
    std::u16string terms;
    int listed = 0;
    const std::shared_ptr<CvxData>& data = model.GetInputData();
    for (const CvxLabelChannel& label : labels) {
        if (data == nullptr || !model.IsDataValid()) {
            break;
        }
        const auto it = data->CreateIter(label, CvxSampleIterBase::kModeSamples);
        it->SetPosition(std::min(first, last));
        if (it->IsDone()) {
            continue;
        }
        const int status = it->GetDataStatus();
        std::u16string value;
        if (status == kStatusNotAvailable) {
            value = u"Not Available";
        } else if (status == kStatusCancelled) {
            value = u"Cancelled";
        } else {
            it->GetValue(value);
        }
        const CvxLabelBase* base = CvxLabelMgr::GetInstance().IDToLabel(label.GetLabelID());
        const int width = label.GetChannel() >= 0 ? 1 : (base != nullptr ? base->GetNumberOfChannels() : 1);
        if (width == 1 && status != kStatusNotAvailable && status != kStatusCancelled) {
            value = value == u"0" ? u"Low" : u"High";
        }
        const std::u16string term = CvxLabelNameFormatter::Format(label.GetLabelID(), label.GetChannel(), false) + u" = " + value;
        ++listed;
        if (listed == 1) {
            terms = term;
        } else if (listed <= 4) {
            terms += u" and\n" + term;
        } else if (listed == 5) {
            terms += u" and ... ";
        }
        CvxPatternModel pattern(label, std::max(1, width), kBaseHex);
        CvxUInt number;
        if (it->GetValue(number)) {
            pattern.SetValue(number);
        }
        m_patterns.push_back(std::move(pattern));
    }
    const bool any = !m_patterns.empty();
    m_triggerAllowed = triggerable && any;
    m_findAllowed = any;
    m_text = (triggerable ? u"Set Quick Trigger / Find = " : u"Set Quick Find = ");
    m_text += any ? u"\n" + terms : u"<empty>";

    const CvxPosition begin = std::min(first, last);
    const CvxPosition end = std::max(first, last);
    m_toolTip = u"Begin sample = " + CvxSampleFormatter::Format(begin.AsSample()) + u"\nEnd sample = "
                + CvxSampleFormatter::Format(end.AsSample()) + u"\nDelta sample = "
                + CvxSampleFormatter::Format(end.AsSample() - begin.AsSample()) + u"\n" + m_text;
}
