#include "CvxCompareStatusViewport.h"

#include <QApplication>
#include <QFontMetrics>
#include <QJsonArray>
#include <QPainter>
#include <QPalette>
#include <qdrawutil.h>

namespace {

constexpr int kMargin = 4; // text to the part's edge, each side
const char* const kCounterLabels[] = {"Samples Compared: ", "Columns Compared: ", "Comparisons: ", "Differences: "};
const char* const kCounterSamples[] = {"999999999", "9999", "999999999", "999999999"};

} // namespace

CvxCompareStatusViewport::CvxCompareStatusViewport() : m_font(QApplication::font()) {}

void CvxCompareStatusViewport::SetFont(const QFont& font)
{
    m_font = font;
    Invalidate();
}

void CvxCompareStatusViewport::SetGripWidth(int width)
{
    m_grip = width;
    Invalidate();
}

void CvxCompareStatusViewport::SetCounters(const std::array<int, kCounters>& counters)
{
    if (counters != m_counters) {
        m_counters = counters;
        Invalidate();
    }
}

QString CvxCompareStatusViewport::GetText(int counter) const
{
    return QString::asprintf("%s%d", kCounterLabels[counter], m_counters[static_cast<std::size_t>(counter)]);
}

int CvxCompareStatusViewport::GetCounterWidth(int counter) const
{
    const QFontMetrics metrics(m_font);
    return metrics.horizontalAdvance(QString(kCounterLabels[counter]) + kCounterSamples[counter]) + 2 * kMargin;
}

CvxCompareStatusLayout CvxCompareStatusViewport::GetLayout() const
{
    std::array<int, kCounters> widths{};
    for (int counter = 0; counter < kCounters; ++counter) {
        widths[static_cast<std::size_t>(counter)] = GetCounterWidth(counter);
    }
    return CvxCompareStatusLayout(GetSize().width(), widths, m_grip);
}

int CvxCompareStatusViewport::GetHeight() const
{
    return QFontMetrics(m_font).height() + 2 * kMargin;
}

void CvxCompareStatusViewport::Paint(QPainter& painter, const QRect& dirty)
{
    const QPalette palette = QApplication::palette();
    painter.fillRect(dirty, palette.color(QPalette::Window));
    painter.setFont(m_font);
    painter.setPen(palette.color(QPalette::WindowText));
    const CvxCompareStatusLayout layout = GetLayout();
    for (int counter = 0; counter < kCounters; ++counter) {
        const int part = counter + 1;
        const QRect box(layout.GetLeft(part), 1, layout.GetWidth(part), GetSize().height() - 2);
        qDrawShadePanel(&painter, box, palette, true, 1);
        painter.drawText(box.adjusted(kMargin, 0, -kMargin, 0), Qt::AlignLeft | Qt::AlignVCenter, GetText(counter));
    }
}

QJsonObject CvxCompareStatusViewport::Describe() const
{
    const CvxCompareStatusLayout layout = GetLayout();
    QJsonArray parts;
    for (int part = 0; part < CvxCompareStatusLayout::kParts; ++part) {
        parts.append(QJsonObject{{"text", part == 0 ? QString() : GetText(part - 1)},
                                 {"left", layout.GetLeft(part)},
                                 {"right", layout.GetRight(part)}});
    }
    return QJsonObject{{"parts", parts}};
}
