#include "CvxComparePrintSupport.h"

#include "CvxCompareCellPainter.h"
#include "CvxCompareColumnWidth.h"
#include "CvxCompareModel.h"
#include "CvxData.h"
#include "CvxLabelNameFormatter.h"
#include "CvxPainterSelect.h"
#include "CvxQtText.h"
#include "CvxTimeCorrelatedIter.h"
#include "CvxTimeEngineeringFormatter.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {

// Without a screen (a command line without a display) the common 96 pixels per inch.
constexpr double kDefaultScreenDpi = 96.0;

QFont LabelFont(const CvxCompareProperties& properties)
{
    return CvxFont(CvxQt(properties.GetLabelFontName()), properties.GetFontPointSize()).Get();
}

QFont DataFont(const CvxCompareProperties& properties)
{
    return CvxFont(CvxQt(properties.GetDataFontName()), properties.GetFontPointSize()).Get();
}

QString StripText(const CvxPosition& position)
{
    CvxTimeEngineeringFormatter formatter;
    QString sample = QString::number(position.AsSample());
    if (position.GetSubrowIndex() != 0) {
        sample += QString(".%1").arg(position.GetSubrowIndex());
    }
    return sample + "  " + CvxQt(formatter.Format(position.AsTime()));
}

} // namespace

double CvxComparePrintSupport::FieldInches(const CvxCompareColumn& column) const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchX() : kDefaultScreenDpi;
    // A column no window has sized yet (a print from the command line) prints at the width
    // the window would give it.
    const int pixels = column.GetWidth() == CvxCompareColumn::kUnsized ? CvxCompareColumnWidth::Measure(m_model, column)
                                                                      : column.GetWidth();
    return pixels / (dpi > 0.0 ? dpi : kDefaultScreenDpi);
}

bool CvxComparePrintSupport::IsRepeating(const CvxCompareColumn& column)
{
    const EvxLabelKind kind = column.GetLabel().GetType();
    return kind == EvxLabelKind::TimeLabel || kind == EvxLabelKind::SampleNumberLabel;
}

int CvxComparePrintSupport::InfoHeight(QPaintDevice& device) const
{
    const QFontMetrics metrics(LabelFont(m_model.GetProperties()), &device);
    return metrics.height() + metrics.height() / 4;
}

void CvxComparePrintSupport::DrawInfo(QPainter& painter, const Place& field, int top) const
{
    const CvxLabelChannel& label = field.column->GetLabel();
    const QFont font = LabelFont(m_model.GetProperties());
    const QFontMetrics metrics(font, painter.device());
    const QRect area(field.left, top, field.width, metrics.height());
    painter.save();
    painter.setClipRect(area);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine,
                     CvxQt(CvxLabelNameFormatter::Format(label.GetLabelID(), label.GetChannel(), false)));
    painter.restore();
    const int line = top + InfoHeight(*painter.device()) - metrics.height() / 8;
    painter.drawLine(field.left, line, field.left + field.width - 1, line);
}

std::optional<CvxPosition> CvxComparePrintSupport::DrawRows(QPainter& painter, const std::vector<Place>& fields,
                                                            const QRect& strip, int top, int bottom,
                                                            const CvxPosition& start, const CvxPosition& end) const
{
    if (m_data == nullptr || fields.empty()) {
        return std::nullopt;
    }
    const CvxCompareProperties& properties = m_model.GetProperties();
    const QFont font = DataFont(properties);
    const QFontMetrics metrics(font, painter.device());
    const int rowHeight = std::max(1, metrics.height());
    CvxCompareCellStyle style;
    style.metrics = &metrics;
    style.averageCharWidth = std::max(1, metrics.averageCharWidth());
    style.referenceBackground = CvxColor(properties.GetRefBackgroundColor());
    style.noReferenceBackground = CvxColor(properties.GetNoRefBackgroundColor());
    style.differenceForeground = CvxColor(properties.GetDiffForegroundColor());
    style.differenceBackground = CvxColor(properties.GetDiffBackgroundColor());
    style.onPaper = true;
    style.Prepare();

    // The fields with data, each with its iterator and cell painter, as the grid walks them.
    std::vector<const Place*> shown;
    std::vector<std::unique_ptr<CvxSampleIterBase>> owned;
    std::vector<CvxSampleIterBase*> iters;
    std::vector<std::unique_ptr<CvxCompareCellPainter>> painters;
    for (const Place& field : fields) {
        const CvxDataColumnComponent* column = m_data->GetColumnWithLabelID(field.column->GetLabel().GetLabelID());
        if (column == nullptr) {
            continue;
        }
        const bool subRows = column->GetAttributes().Contains(CvxDataColumnComponent::kAttrSubRows);
        owned.push_back(m_data->CreateIter(field.column->GetLabel(),
                                           subRows ? CvxSampleIterBase::kModeSubRows : CvxSampleIterBase::kModeSamples));
        iters.push_back(owned.back().get());
        painters.push_back(std::make_unique<CvxCompareCellPainter>(m_model, *field.column, style));
        shown.push_back(&field);
    }
    if (shown.empty()) {
        return std::nullopt;
    }
    CvxTimeCorrelatedIter walk(*m_data, iters, m_model.GetRepresentedTables());
    walk.SetPosition(start);
    // At least one row a page, so that the pages always move on.
    const int rows = std::max(1, (bottom - top) / rowHeight);
    painter.setFont(font);
    std::u16string text;
    for (int r = 0; r < rows && !walk.IsDone() && walk.GetPosition() <= end; ++r) {
        const int y = top + r * rowHeight;
        painter.save();
        painter.setClipRect(QRect(strip.left(), y, strip.width(), rowHeight));
        painter.setPen(Qt::black);
        painter.drawText(QRect(strip.left(), y, strip.width(), rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         StripText(walk.GetPosition()));
        painter.restore();
        for (std::size_t c = 0; c < shown.size(); ++c) {
            painters[c]->PaintWalked(painter, walk, static_cast<int>(c),
                                     QRect(shown[c]->left, y, shown[c]->width, rowHeight), text);
        }
        walk.Next();
    }
    if (walk.IsDone() || walk.GetPosition() > end) {
        return std::nullopt;
    }
    return walk.GetPosition();
}
