#include "CvxPainterSelect.h"

#include <QApplication>
#include <QFontDatabase>

QColor CvxColor(int colorRef)
{
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

int CvxColorRef(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

CvxSelectStock::CvxSelectStock(QPainter& p, EvxStock stock) : m_p(p), m_oldPen(p.pen()), m_oldBrush(p.brush())
{
    switch (stock) {
    case kNullPen: p.setPen(Qt::NoPen); break;
    case kNullBrush: p.setBrush(Qt::NoBrush); break;
    case kBlackPen: p.setPen(QPen(Qt::black)); break;
    case kWhitePen: p.setPen(QPen(Qt::white)); break;
    }
}

CvxSelectStock::~CvxSelectStock()
{
    m_p.setPen(m_oldPen);
    m_p.setBrush(m_oldBrush);
}

CvxSelectROP2::CvxSelectROP2(QPainter& p, EvxRop rop) : m_p(p), m_old(p.compositionMode())
{
    switch (rop) {
    case kCopy: p.setCompositionMode(QPainter::CompositionMode_SourceOver); break;
    case kXor: p.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case kNot: p.setCompositionMode(QPainter::RasterOp_NotDestination); break;
    }
}

CvxFont::CvxFont(const QString& face, int pointSize, int weight)
{
    const QString lower = face.toLower();
    if (lower.contains("courier") || lower.contains("mono") || lower.contains("fixed")) {
        m_font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    } else if (lower.isEmpty() || lower == "ms sans serif" || lower == "arial" || lower == "ms shell dlg") {
        m_font = QApplication::font();
    } else {
        m_font = QFont(face);
    }
    if (pointSize > 0) {
        m_font.setPointSize(pointSize);
    }
    m_font.setWeight(weight >= 600 ? QFont::Bold : QFont::Normal);
}
