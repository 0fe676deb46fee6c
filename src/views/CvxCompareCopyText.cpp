#include "CvxCompareCopyText.h"

#include "CvxCompareCellPainter.h"
#include "CvxCompareModel.h"
#include "CvxLabelNameFormatter.h"
#include "CvxTimeCorrelatedIter.h"

std::u16string CvxCompareCopyText::Build(const CvxCompareModel& model, const std::vector<const CvxCompareColumn*>& columns,
                                         const CvxPosition& first, const CvxPosition& last, bool withNames)
{
    const std::shared_ptr<CvxData>& data = model.GetInputData();
    if (data == nullptr || !model.IsDataValid() || columns.empty()) {
        return {};
    }
    std::u16string text;
    if (withNames) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const CvxLabelChannel& label = columns[c]->GetLabel();
            text += (c == 0 ? u"" : u"\t") + CvxLabelNameFormatter::Format(label.GetLabelID(), label.GetChannel(), false);
        }
        text += u'\n';
    }
    std::vector<std::unique_ptr<CvxSampleIterBase>> iters;
    std::vector<CvxSampleIterBase*> members;
    std::vector<std::unique_ptr<CvxCompareCellPainter>> cells;
    const CvxCompareCellStyle style;
    for (const CvxCompareColumn* column : columns) {
        const CvxDataColumnComponent* dataColumn = data->GetColumnWithLabelID(column->GetLabel().GetLabelID());
        const bool subRows = dataColumn != nullptr && dataColumn->GetAttributes().Contains(CvxDataColumnComponent::kAttrSubRows);
        iters.push_back(data->CreateIter(column->GetLabel(), subRows ? CvxSampleIterBase::kModeSubRows
                                                                     : CvxSampleIterBase::kModeSamples));
        members.push_back(iters.back().get());
        cells.push_back(std::make_unique<CvxCompareCellPainter>(model, *column, style));
    }
    CvxTimeCorrelatedIter walk(*data, members, model.GetRepresentedTables());
    walk.SetPosition(std::min(first, last));
    const CvxPosition end = std::max(first, last);
    std::u16string value;
    int status = 0;
    for (; !walk.IsDone() && !(end < walk.GetPosition()); walk.Next()) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            walk.GetValue(static_cast<int>(c), value, status);
            text += (c == 0 ? u"" : u"\t") + value;
            if (columns[c]->GetDifferenceDisplay().GetCode() != CvxCompareColumnDifference::kInputOnly) {
                CvxCompareCellRequest request;
                request.model = &model;
                request.input = walk.GetIter(static_cast<int>(c));
                request.text = value;
                request.status = status;
                request.returnReferenceText = true;
                if (status != kStatusNoSample) {
                    cells[c]->Paint(request);
                } else {
                    request.text.clear();
                }
                text += u'\t' + request.text;
            }
        }
        text += u'\n';
    }
    return text;
}
