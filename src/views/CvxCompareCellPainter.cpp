#include "CvxCompareCellPainter.h"

#include "CvxCompareModel.h"
#include "CvxCompareTextLayout.h"
#include "CvxDataTable.h"
#include "CvxPainterSelect.h"
#include "CvxSampleIterBase.h"

#include <QPainter>

namespace {

const QColor kUncertainText(128, 128, 128);

QString Raw(const std::u16string& text)
{
    return QString::fromRawData(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

} // namespace

CvxCompareCellPainter::CvxCompareCellPainter(const CvxCompareModel& model, const CvxCompareColumn& column,
                                             const CvxCompareCellStyle& style)
    : m_column(column), m_style(style), m_display(column.GetDifferenceDisplay().GetCode())
{
    if (const CvxCompareSource* source = model.GetReferenceBuffer().Find(column.GetLabel())) {
        m_store = source->GetDataSource();
    }
    if (m_store != nullptr) {
        m_stringStore = m_store->IsString();
        m_reference = CvxMakeStoreIter(*m_store);
        m_offset = model.GetResults().GetPairedOffset();
    }
}

bool CvxCompareCellPainter::ShowsReference() const
{
    return m_decision.compared && (m_display == CvxCompareColumnDifference::kAll
                                   || (m_display == CvxCompareColumnDifference::kPairedDifferences && m_decision.differ));
}

void CvxCompareCellPainter::Decide(const CvxCompareCellRequest& request)
{
    m_decision.compared = m_store != nullptr && m_reference != nullptr;
    m_decision.referencePresent = false;
    m_decision.differ = false;
    m_decision.referenceText.clear();
    if (!m_decision.compared || request.input == nullptr || request.input->IsDone()) {
        return;
    }
    CvxSampleIterBase& input = *request.input;
    // Rows pair as the last comparison paired them: from the start of its interval, less the offset.
    std::int64_t start = 0;
    if (!request.model->GetResults().GetIntervalStart(input.GetTable()->GetID(), start)) {
        return;
    }
    const std::int64_t row = input.GetRow() - start - m_offset;
    if (row < 0 || row >= m_store->GetCount()) {
        return; // outside the reference: nothing to compare with
    }
    m_decision.referencePresent = true;
    const bool slot = m_reference->Goto(static_cast<std::int32_t>(row))
                      && (!m_reference->HasSubRows() || m_reference->GotoSubRow(input.GetSubRowIndex()));
    if (slot && m_stringStore && m_reference->GetValue(m_decision.referenceText)) {
        m_decision.differ = m_decision.referenceText != request.text;
        return;
    }
    CvxUInt reference;
    CvxUInt value;
    if (slot && !m_stringStore && m_reference->GetValue(reference)) {
        input.GetFormatter().Format(reference, m_decision.referenceText);
        m_decision.differ = !input.GetValue(value) || value != reference;
        return;
    }
    m_decision.referenceText = u"<empty>";
    m_decision.differ = true;
}

void CvxCompareCellPainter::Paint(CvxCompareCellRequest& request)
{
    Decide(request);
    if (request.painter != nullptr && request.status != kStatusNoSample && request.status != kStatusCancelled) {
        QPainter& painter = *request.painter;
        const QRect& cell = request.cell;
        const int width = cell.width();
        const bool inputOnly = !m_decision.compared || m_display == CvxCompareColumnDifference::kInputOnly;
        const QColor text = request.status == kStatusUncertain ? kUncertainText : CvxColor(request.color);
        if (inputOnly) {
            DrawText(painter, QRect(cell.left(), cell.top(), width - 1, cell.height()), cell, request.text, request.text,
                     text, false);
        } else {
            const QRect inputArea(cell.left(), cell.top(), width / 2 - 1, cell.height());
            const QRect referenceArea(cell.left() + width / 2, cell.top(), width - 1 - width / 2, cell.height());
            painter.fillRect(referenceArea, m_decision.referencePresent ? m_style.referenceBackground
                                                                        : m_style.noReferenceBackground);
            DrawText(painter, inputArea, cell, request.text, m_decision.referenceText, text, m_decision.differ);
            if (ShowsReference()) {
                DrawText(painter, referenceArea, cell, m_decision.referenceText, request.text, text, m_decision.differ);
            }
        }
    }
    if (request.returnReferenceText) {
        request.text = m_decision.compared ? m_decision.referenceText : std::u16string();
    }
}

void CvxCompareCellPainter::DrawText(QPainter& painter, const QRect& area, const QRect& clip, std::u16string text,
                                     const std::u16string& other, const QColor& color, bool differ) const
{
    const QFontMetrics& metrics = *m_style.metrics;
    const int a = m_style.averageCharWidth;
    const bool cut = CvxCompareTextLayout::Cut(text, area.width(), a, metrics);
    const QString shown = Raw(text);
    const int textWidth = metrics.horizontalAdvance(shown);
    int x = CvxCompareTextLayout::TextX(m_column.GetAlignment(), area.left(), area.width(), textWidth, a);
    const int baseline = area.top() + metrics.ascent();
    painter.save();
    painter.setClipRect(clip, Qt::IntersectClip);
    painter.setPen(color);
    if (!differ) {
        painter.drawText(x, baseline, shown);
        painter.restore();
        return;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const QChar character(text[i]);
        const int advance = metrics.horizontalAdvance(character);
        const bool ellipsis = cut && i + 1 == text.size();
        if (ellipsis || CvxCompareTextLayout::Differs(text, other, i)) {
            painter.fillRect(QRect(x, area.top(), advance, area.height()), m_style.differenceBackground);
            painter.setPen(m_style.differenceForeground);
        } else {
            painter.setPen(color);
        }
        painter.drawText(x, baseline, QString(character));
        x += advance;
    }
    painter.restore();
}
