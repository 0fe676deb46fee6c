#include "CvxCompareTriggerField.h"

#include "CvxBase.h"
#include "CvxCompareColumn.h"
#include "CvxLabelBase.h"
#include "CvxLabelMgr.h"
#include "CvxQtText.h"
#include "CvxStdCmdIFaceMgr.h"

#include <QFontMetrics>

#include <algorithm>

namespace {

int WidthOf(const CvxLabelChannel& label)
{
    if (label.GetChannel() >= 0) {
        return 1;
    }
    const CvxLabelBase* base = CvxLabelMgr::GetInstance().IDToLabel(label.GetLabelID());
    return base != nullptr ? std::clamp(base->GetNumberOfChannels(), 1, 128) : 1;
}

} // namespace

CvxCompareTriggerField::Kind CvxCompareTriggerField::KindOf(const CvxCompareColumn& column, bool shown)
{
    if (!shown) {
        return kNone;
    }
    const CvxStdCmdIFaceMgr& ifaces = CvxStdCmdIFaceMgr::GetInstance();
    if (!ifaces.AreAllAnalyzerModuleTriggersSimple()) {
        return kMenu;
    }
    if (!ifaces.IsValidTriggerLabel(column.GetLabel())) {
        return kNone;
    }
    return WidthOf(column.GetLabel()) > 1 ? kBus : kSignal;
}

CvxPatternModel CvxCompareTriggerField::PatternOf(const CvxCompareColumn& column)
{
    const CvxLabelChannel& label = column.GetLabel();
    const int width = WidthOf(label);
    CvxPatternModel current;
    if (CvxStdCmdIFaceMgr::GetInstance().GetSimpleTrigger(current) && current.GetLabel() == label
        && current.GetWidth() == width) {
        return current;
    }
    int base = kBaseHex;
    if (width == 1) {
        base = kBaseBinary;
    } else if (const int code = column.GetBase().GetCode(); code == kBaseBinary || code == kBaseOctal) {
        base = code;
    }
    CvxPatternModel pattern(label, width, base);
    // Every digit don't care: as many X as the base needs digits for the width.
    const int bitsPerDigit = base == kBaseBinary ? 1 : base == kBaseOctal ? 3 : 4;
    std::string error;
    pattern.Parse(std::u16string(static_cast<std::size_t>((width + bitsPerDigit - 1) / bitsPerDigit), u'X'), error);
    return pattern;
}

int CvxCompareTriggerField::Width(Kind kind, const CvxPatternModel& pattern, const QFontMetrics& metrics)
{
    const int a = std::max(1, metrics.averageCharWidth());
    switch (kind) {
    case kBus: return metrics.horizontalAdvance(CvxQt(pattern.GetText())) + 3 * a + 4;
    case kSignal: return 6 * a + 4;
    case kMenu: return metrics.horizontalAdvance(QStringLiteral("Click here for trigger menu")) + 2 * a + 4;
    default: return 0;
    }
}

QString CvxCompareTriggerField::LevelText(const CvxPatternModel& pattern)
{
    if (pattern.GetCareBits() == 0) {
        return QStringLiteral("X");
    }
    return pattern.GetValueBits() == 0 ? QStringLiteral("0") : QStringLiteral("1");
}
