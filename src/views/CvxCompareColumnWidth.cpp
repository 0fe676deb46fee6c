#include "CvxCompareColumnWidth.h"

#include "CvxCompareModel.h"
#include "CvxCompareTextLayout.h"
#include "CvxCompareTriggerField.h"
#include "CvxLabelMgr.h"
#include "CvxLabelNameFormatter.h"
#include "CvxPainterSelect.h"
#include "CvxQtText.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxValueFormatter.h"

#include <QFontMetrics>

#include <algorithm>

int CvxCompareColumnWidth::Measure(const CvxCompareModel& model, const CvxCompareColumn& column)
{
    return Measure(model, model.GetProperties(), column);
}

int CvxCompareColumnWidth::Measure(const CvxCompareModel& model, const CvxCompareProperties& properties,
                                   const CvxCompareColumn& column)
{
    const QFontMetrics label(CvxFont(CvxQt(properties.GetLabelFontName()), properties.GetFontPointSize()).Get());
    const QFont dataFont = CvxFont(CvxQt(properties.GetDataFontName()), properties.GetFontPointSize()).Get();
    const CvxLabelChannel& channel = column.GetLabel();
    const CvxLabelBase* base = CvxLabelMgr::GetInstance().IDToLabel(channel.GetLabelID());
    const int bits = channel.GetChannel() >= 0 ? 1 : (base != nullptr ? base->GetNumberOfChannels() : 1);
    const int characters = std::max(1, CvxValueFormatter(column.GetBase(), std::max(1, bits), base).GetFormattedWidth());
    const int a = CvxCompareTextLayout::CharWidth(dataFont);
    const bool halves = model.GetReferenceBuffer().Find(channel) != nullptr
                        && column.GetDifferenceDisplay().GetCode() != CvxCompareColumnDifference::kInputOnly;
    const int value = (characters + 1) * a * (halves ? 2 : 1) + (halves ? 2 : 1);
    const int la = std::max(1, label.averageCharWidth());
    int name = label.horizontalAdvance(CvxQt(CvxLabelNameFormatter::Format(channel.GetLabelID(), channel.GetChannel(), false))) + la;
    if (properties.IsActivityIndicatorDisplayed() && column.IsActivityIndicatorSupported()) {
        name += la + la / 4 + 2; // the indicator box in front of the name
    }
    int baseLine = 0;
    if (properties.IsBaseDisplayed()) {
        // A marker-relative base is measured with a sample marker name.
        QString text = CvxQt(column.GetBase().GetName());
        if (column.GetBase().GetCode() == kBaseTimeRelative) {
            text += QStringLiteral(" [M1]");
        }
        baseLine = label.horizontalAdvance(text) + la;
    }
    int trigger = 0;
    if (properties.IsTriggerDisplayed() && CvxStdCmdIFaceMgr::GetInstance().IsValidTriggerLabel(channel)) {
        const CvxCompareTriggerField::Kind kind = bits > 1 ? CvxCompareTriggerField::kBus : CvxCompareTriggerField::kSignal;
        trigger = CvxCompareTriggerField::Width(kind, CvxCompareTriggerField::PatternOf(column), label) + 6;
    }
    return std::max({CvxCompareColumn::kMinWidth, value, name, baseLine, trigger});
}

bool CvxCompareColumnWidth::SizeUnsized(CvxCompareModel& model)
{
    std::vector<std::pair<CvxID, int>> sizes;
    for (const CvxCompareColumn& column : model.GetColumns()) {
        if (column.GetWidth() < 0) {
            sizes.emplace_back(column.GetID(), Measure(model, column));
        }
    }
    for (const auto& [id, width] : sizes) {
        model.SetColumnWidth(id, width);
    }
    return !sizes.empty();
}

void CvxCompareColumnWidth::SizeAll(CvxCompareModel& model)
{
    std::vector<CvxCompareColumn> sized;
    for (const CvxCompareColumn& column : model.GetColumns()) {
        CvxCompareColumn copy = column;
        copy.SetWidth(Measure(model, column), true);
        if (copy.GetWidth() != column.GetWidth()) {
            sized.push_back(copy);
        }
    }
    model.RequestColumnProperties(sized);
}
