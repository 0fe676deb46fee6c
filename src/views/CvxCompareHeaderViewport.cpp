#include "CvxCompareHeaderViewport.h"

#include "CvxActivityIndicatorPainter.h"
#include "CvxCompareCommand.h"
#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"
#include "CvxCompareViewMetrics.h"
#include "CvxLabelNameFormatter.h"
#include "CvxMarker.h"
#include "CvxMarkerMgr.h"
#include "CvxPainterSelect.h"
#include "CvxQtText.h"

#include <QApplication>
#include <QJsonArray>
#include <QPalette>

#include <algorithm>

namespace {

// A sunken line: a shadow line and a light line below (or right of) it.
void EtchedLine(QPainter& painter, QPoint from, QPoint to, bool horizontal)
{
    const QPalette palette = QApplication::palette();
    painter.setPen(palette.color(QPalette::Mid));
    painter.drawLine(from, to);
    painter.setPen(palette.color(QPalette::Light));
    const QPoint step = horizontal ? QPoint(0, 1) : QPoint(1, 0);
    painter.drawLine(from + step, to + step);
}

} // namespace

CvxCompareHeaderViewport::CvxCompareHeaderViewport(CvxCompareModel& model) : m_model(model) {}

void CvxCompareHeaderViewport::SetOriginX(int x)
{
    if (x != m_originX) {
        m_originX = x;
        Invalidate();
    }
}

QFont CvxCompareHeaderViewport::LabelFont() const
{
    const CvxCompareProperties& properties = m_model.GetProperties();
    QFont font = CvxFont(CvxQt(properties.GetLabelFontName()), properties.GetFontPointSize()).Get();
    font.setWeight(QFont::Normal);
    return font;
}

int CvxCompareHeaderViewport::GetLineHeight() const { return std::max(1, m_model.GetProperties().GetHeaderRowHeight()); }

int CvxCompareHeaderViewport::GetLineCount() const { return CvxCompareViewMetrics::HeaderLines(m_model.GetProperties()); }

QString CvxCompareHeaderViewport::NameText(const CvxCompareColumn& column)
{
    return CvxQt(CvxLabelNameFormatter::Format(column.GetLabel().GetLabelID(), column.GetLabel().GetChannel(), false));
}

QString CvxCompareHeaderViewport::BaseText(const CvxCompareColumn& column) const
{
    const QString name = CvxQt(column.GetBase().GetName());
    if (column.GetBase().GetCode() != kBaseTimeRelative) {
        return name;
    }
    const CvxMarker* marker = m_model.GetMarkerMgr().GetMarker(column.GetMarkerID());
    return QStringLiteral("%1 [%2]").arg(name, marker != nullptr ? CvxQt(marker->GetAbbreviatedName()) : QStringLiteral("?"));
}

void CvxCompareHeaderViewport::Paint(QPainter& painter, const QRect& dirty)
{
    static_cast<void>(dirty);
    m_hotSpots.Clear();
    m_fields.clear();
    const QRect all = GetRect();
    painter.fillRect(all, QApplication::palette().color(QPalette::Button));
    EtchedLine(painter, all.topLeft(), all.topRight(), true);
    const QFont font = LabelFont();
    const CvxSelectFont selectFont(painter, font);
    const QFontMetrics metrics(font);
    for (const CvxCompareColumn& column : m_model.GetColumns()) {
        const int left = column.GetLeft() - m_originX;
        if (left + column.GetWidth() <= 0 || left >= all.width()) {
            continue;
        }
        PaintColumn(painter, column, metrics);
    }
    if (m_dropMark >= 0) {
        const int x = m_dropMark - m_originX;
        painter.fillRect(QRect(x - 1, 0, 3, all.height()), QApplication::palette().color(QPalette::Highlight));
    }
    if (m_fieldsHook) {
        m_fieldsHook();
    }
}

void CvxCompareHeaderViewport::SetDropMark(int x)
{
    if (x != m_dropMark) {
        m_dropMark = x;
        Invalidate();
    }
}

void CvxCompareHeaderViewport::PaintColumn(QPainter& painter, const CvxCompareColumn& column, const QFontMetrics& metrics)
{
    const CvxCompareProperties& properties = m_model.GetProperties();
    const int lineHeight = GetLineHeight();
    const int height = lineHeight * GetLineCount();
    const int left = column.GetLeft() - m_originX;
    const int width = column.GetWidth();
    const QRect cell(left, 0, width, height);
    const bool selected = column.IsSelected();
    const QColor ink = CvxColor(selected ? properties.GetSelectionTextColor() : properties.GetTextColor());
    const QColor face = selected ? CvxColor(properties.GetSelectionBackgroundColor())
                                 : QApplication::palette().color(QPalette::Button);
    if (selected) {
        painter.fillRect(cell, face);
    }
    EtchedLine(painter, cell.topLeft(), cell.bottomLeft(), false);
    EtchedLine(painter, QPoint(cell.right() - 1, cell.top()), QPoint(cell.right() - 1, cell.bottom()), false);
    for (int line = 1; line <= GetLineCount(); ++line) {
        const int y = line * lineHeight - 2;
        EtchedLine(painter, QPoint(cell.left(), y), QPoint(cell.right(), y), true);
    }
    const int textHeight = metrics.height();
    const int a = std::max(1, metrics.averageCharWidth());
    const auto lineRect = [&](int line) { return QRect(left, line * lineHeight, width, lineHeight - 2); };
    const auto centredX = [&](int textWidth) { return left + width / 2 - textWidth / 2; };
    const CvxSelectPen pen(painter, ink);
    painter.save();
    painter.setClipRect(cell.adjusted(1, 0, -2, 0), Qt::IntersectClip);

    // Name line, with the activity indicator in front of the name: the two are centred
    // together, so that the indicator never covers the name.
    const QString name = NameText(column);
    const int nameWidth = metrics.horizontalAdvance(name);
    const bool indicator = properties.IsActivityIndicatorDisplayed() && column.IsActivityIndicatorSupported();
    const int boxWidth = indicator ? a + a / 4 : 0;
    const int groupWidth = nameWidth + (indicator ? boxWidth + 2 : 0);
    const int groupX = std::max(left + 1, centredX(groupWidth));
    const int nameX = groupX + (indicator ? boxWidth + 2 : 0);
    const QRect nameLine = lineRect(0);
    const QRect nameRect(nameX, nameLine.top(), nameWidth, nameLine.height());
    painter.setPen(ink);
    painter.drawText(nameRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, name);
    if (indicator) {
        QRect box(groupX, 3, boxWidth, std::min(textHeight + 3, lineHeight - 5));
        box.setRight(std::min(box.right(), left + width - 4));
        CvxActivityIndicatorPainter::Draw(painter, box, column.GetActivityIndicator().GetLevel(), ink, face);
    }
    m_hotSpots.Add(column.GetID(), CvxCompareHeaderHotSpots::kName, nameRect.intersected(cell));
    m_hotSpots.Add(column.GetID(), CvxCompareHeaderHotSpots::kCell, cell);
    m_hotSpots.Add(column.GetID(), CvxCompareHeaderHotSpots::kResize, QRect(left + width - 5, 0, 11, height));

    int line = 1;
    if (properties.IsBaseDisplayed()) {
        const QString base = BaseText(column);
        const int baseWidth = metrics.horizontalAdvance(base);
        const QRect baseLine = lineRect(line++);
        const QRect baseRect(std::max(left + 1, centredX(baseWidth)), baseLine.top(), baseWidth, baseLine.height());
        painter.setPen(ink);
        painter.drawText(baseRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, base);
        m_hotSpots.Add(column.GetID(), CvxCompareHeaderHotSpots::kBase, baseRect.intersected(cell));
    }

    const CvxCompareTriggerField::Kind kind = CvxCompareTriggerField::KindOf(
        column, properties.IsTriggerDisplayed() && m_model.IsDataValid());
    if (kind != CvxCompareTriggerField::kNone) {
        const QRect field = lineRect(line).adjusted(3, 3, -3, -2);
        {
            const CvxSelectPen red(painter, QPen(QColor(255, 0, 0), 2));
            const CvxSelectBrush none(painter, Qt::NoBrush);
            painter.drawRect(field.adjusted(1, 1, -1, -1));
        }
        const QRect inner = field.adjusted(2, 2, -2, -2).adjusted(1, 2, -1, -1);
        if (kind == CvxCompareTriggerField::kMenu) {
            painter.setPen(ink);
            const QString text = metrics.elidedText(QStringLiteral("Click here for trigger menu"), Qt::ElideRight, inner.width());
            painter.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine, text);
            m_hotSpots.Add(column.GetID(), CvxCompareHeaderHotSpots::kTriggerMenu, field);
        }
        m_fields.push_back({column.GetID(), kind, inner,
                            kind == CvxCompareTriggerField::kMenu ? CvxPatternModel() : CvxCompareTriggerField::PatternOf(column)});
    }
    painter.restore();
}

bool CvxCompareHeaderViewport::OnModelMessage(const CvxMvcDefMsg& message)
{
    // Centre moves leave the header as it is; everything else may change a name, a base, a
    // width, the selection or the trigger, and the header is cheap to paint again.
    if (message.GetType() == CvxCompareCommand::kCenterDelay) {
        return false;
    }
    Invalidate();
    return true;
}

QJsonObject CvxCompareHeaderViewport::Describe() const
{
    const CvxCompareProperties& properties = m_model.GetProperties();
    QJsonArray cells;
    for (const CvxCompareColumn& column : m_model.GetColumns()) {
        QJsonObject cell{{"name", NameText(column)},
                         {"left", column.GetLeft()},
                         {"width", column.GetWidth()},
                         {"selected", column.IsSelected()}};
        if (properties.IsBaseDisplayed()) {
            cell["base"] = BaseText(column);
        }
        if (properties.IsActivityIndicatorDisplayed() && column.IsActivityIndicatorSupported()) {
            cell["activity"] = CvxActivityIndicatorPainter::LevelName(column.GetActivityIndicator().GetLevel());
        }
        const auto field = std::find_if(m_fields.begin(), m_fields.end(),
                                        [&](const TriggerField& f) { return f.column == column.GetID(); });
        if (field != m_fields.end()) {
            static const char* const kinds[] = {"none", "bus", "signal", "menu"};
            cell["triggerKind"] = kinds[field->kind];
            cell["trigger"] = field->kind == CvxCompareTriggerField::kMenu ? QStringLiteral("Click here for trigger menu")
                              : field->kind == CvxCompareTriggerField::kSignal ? CvxCompareTriggerField::LevelText(field->pattern)
                                                                                : CvxQt(field->pattern.GetText());
        }
        cells.append(cell);
    }
    return {{"pane", "header"},
            {"lines", GetLineCount()},
            {"lineHeight", GetLineHeight()},
            {"originX", m_originX},
            {"cells", cells}};
}
