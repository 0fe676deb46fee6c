#include "CvxCompareCellPainter.h"

#include "CvxCompareModel.h"
#include "CvxCompareTextLayout.h"
#include "CvxDataTable.h"
#include "CvxPainterSelect.h"
#include "CvxSampleIterBase.h"
#include "CvxTimeCorrelatedIter.h"

#include <QPainter>

namespace {

QString Raw(const std::u16string& text)
{
    return QString::fromRawData(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

} // namespace

void CvxCompareCellStyle::Prepare()
{
    referenceBrush = QBrush(referenceBackground);
    noReferenceBrush = QBrush(noReferenceBackground);
    differenceBrush = QBrush(differenceBackground);
    differencePen = QPen(differenceForeground);
    uncertainPen = QPen(QColor(128, 128, 128));
    for (std::size_t c = 0; c < advances.size(); ++c) {
        advances[c] = metrics != nullptr ? metrics->horizontalAdvance(QChar(static_cast<char16_t>(c))) : averageCharWidth;
    }
}

int CvxCompareCellStyle::Advance(char16_t character) const
{
    if (character < advances.size()) {
        return advances[character];
    }
    return metrics != nullptr ? metrics->horizontalAdvance(QChar(character)) : averageCharWidth;
}

int CvxCompareCellStyle::TextWidth(std::u16string_view text) const
{
    int width = 0;
    for (const char16_t character : text) {
        width += Advance(character);
    }
    return width;
}

CvxCompareCellPainter::CvxCompareCellPainter(const CvxCompareModel& model, const CvxCompareColumn& column,
                                             const CvxCompareCellStyle& style)
    : m_model(model), m_column(column), m_style(style), m_display(column.GetDifferenceDisplay().GetCode()),
      m_textPen(CvxColor(column.GetColor()))
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
        if (m_textPen.color() != CvxColor(request.color)) {
            m_textPen = QPen(CvxColor(request.color));
        }
        const QPen& text = request.status == kStatusUncertain ? m_style.uncertainPen : m_textPen;
        if (inputOnly) {
            DrawText(painter, QRect(cell.left(), cell.top(), width - 1, cell.height()), cell, request.text, request.text,
                     text, false);
        } else {
            const QRect inputArea(cell.left(), cell.top(), width / 2 - 1, cell.height());
            const QRect referenceArea(cell.left() + width / 2, cell.top(), width - 1 - width / 2, cell.height());
            painter.fillRect(referenceArea, m_decision.referencePresent ? m_style.referenceBrush : m_style.noReferenceBrush);
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

void CvxCompareCellPainter::DrawText(QPainter& painter, const QRect& area, const QRect& clip, const std::u16string& text,
                                     const std::u16string& other, const QPen& pen, bool differ)
{
    const QFontMetrics& metrics = *m_style.metrics;
    const int a = m_style.averageCharWidth;
    m_shown.assign(text);
    int textWidth = m_style.TextWidth(m_shown);
    const bool cut = CvxCompareTextLayout::Cut(m_shown, area.width(), a, textWidth);
    if (cut) {
        textWidth = m_style.TextWidth(m_shown);
    }
    const QString shown = Raw(m_shown);
    int x = CvxCompareTextLayout::TextX(m_column.GetAlignment(), area.left(), area.width(), textWidth, a);
    const int baseline = area.top() + metrics.ascent();
    // A text that still does not fit (one wide character) is clipped to its cell; the others
    // fit, and clipping them would cost an allocation a cell.
    const bool clipped = x + textWidth > clip.right() + 1;
    if (clipped) {
        painter.save();
        painter.setClipRect(clip, Qt::IntersectClip);
    }
    painter.setPen(pen);
    if (!differ) {
        painter.drawText(x, baseline, shown);
    } else {
        for (std::size_t i = 0; i < m_shown.size(); ++i) {
            const QString character = QString::fromRawData(reinterpret_cast<const QChar*>(&m_shown[i]), 1);
            const int advance = m_style.Advance(m_shown[i]);
            const bool ellipsis = cut && i + 1 == m_shown.size();
            if (ellipsis || CvxCompareTextLayout::Differs(m_shown, other, i)) {
                painter.fillRect(QRect(x, area.top(), advance, area.height()), m_style.differenceBrush);
                painter.setPen(m_style.differencePen);
            } else {
                painter.setPen(pen);
            }
            painter.drawText(x, baseline, character);
            x += advance;
        }
    }
    if (clipped) {
        painter.restore();
    }
}

void CvxCompareCellPainter::PaintWalked(QPainter& painter, CvxTimeCorrelatedIter& walk, int index, const QRect& cell,
                                        std::u16string& text)
{
    int status = 0;
    walk.GetValue(index, text, status);
    if (status == kStatusNoSample) {
        return;
    }
    CvxCompareCellRequest request;
    request.painter = &painter;
    request.model = &m_model;
    request.input = walk.GetIter(index);
    request.cell = cell;
    request.text.swap(text);
    request.status = status;
    constexpr int kWhite = 0x00FFFFFF;
    constexpr int kBlack = 0x00000000;
    request.color = m_style.onPaper && m_column.GetColor() == kWhite ? kBlack : m_column.GetColor();
    Paint(request);
    text.swap(request.text);
}
