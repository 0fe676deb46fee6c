#pragma once
// Scoped painter helpers: each object sets one attribute of a QPainter and puts the old
// value back when it goes out of scope, so that painting code can nest them freely. They are
// kept together because they are one family of three-line classes. Colours are the host's
// 0x00BBGGRR values (CvxColor converts them).

#include <QBrush>
#include <QFont>
#include <QPainter>
#include <QPen>

// A 0x00BBGGRR value as a QColor, and back.
QColor CvxColor(int colorRef);
int CvxColorRef(const QColor& color);

// The painter a drawing works with (begins one on a paint device, ends it on destruction).
class CvxSelectDC {
public:
    explicit CvxSelectDC(QPaintDevice* device) : m_painter(device) {}
    QPainter& Get() { return m_painter; }

private:
    QPainter m_painter;
};

class CvxSelectFont {
public:
    CvxSelectFont(QPainter& p, const QFont& font) : m_p(p), m_old(p.font()) { p.setFont(font); }
    ~CvxSelectFont() { m_p.setFont(m_old); }
    CvxSelectFont(const CvxSelectFont&) = delete;
    CvxSelectFont& operator=(const CvxSelectFont&) = delete;

private:
    QPainter& m_p;
    QFont m_old;
};

class CvxSelectPen {
public:
    CvxSelectPen(QPainter& p, const QPen& pen) : m_p(p), m_old(p.pen()) { p.setPen(pen); }
    ~CvxSelectPen() { m_p.setPen(m_old); }
    CvxSelectPen(const CvxSelectPen&) = delete;
    CvxSelectPen& operator=(const CvxSelectPen&) = delete;

private:
    QPainter& m_p;
    QPen m_old;
};

class CvxSelectBrush {
public:
    CvxSelectBrush(QPainter& p, const QBrush& brush) : m_p(p), m_old(p.brush()) { p.setBrush(brush); }
    ~CvxSelectBrush() { m_p.setBrush(m_old); }
    CvxSelectBrush(const CvxSelectBrush&) = delete;
    CvxSelectBrush& operator=(const CvxSelectBrush&) = delete;

private:
    QPainter& m_p;
    QBrush m_old;
};

// The stock objects a drawing selects by name: no pen, no brush, a black or white pen.
class CvxSelectStock {
public:
    enum EvxStock { kNullPen, kNullBrush, kBlackPen, kWhitePen };
    CvxSelectStock(QPainter& p, EvxStock stock);
    ~CvxSelectStock();
    CvxSelectStock(const CvxSelectStock&) = delete;
    CvxSelectStock& operator=(const CvxSelectStock&) = delete;

private:
    QPainter& m_p;
    QPen m_oldPen;
    QBrush m_oldBrush;
};

// The raster operation: kXor draws outlines and drag feedback that a second drawing erases.
class CvxSelectROP2 {
public:
    enum EvxRop { kCopy, kXor, kNot };
    CvxSelectROP2(QPainter& p, EvxRop rop);
    ~CvxSelectROP2() { m_p.setCompositionMode(m_old); }
    CvxSelectROP2(const CvxSelectROP2&) = delete;
    CvxSelectROP2& operator=(const CvxSelectROP2&) = delete;

private:
    QPainter& m_p;
    QPainter::CompositionMode m_old;
};

class CvxSelectBkMode {
public:
    CvxSelectBkMode(QPainter& p, Qt::BGMode mode) : m_p(p), m_old(p.backgroundMode()) { p.setBackgroundMode(mode); }
    ~CvxSelectBkMode() { m_p.setBackgroundMode(m_old); }
    CvxSelectBkMode(const CvxSelectBkMode&) = delete;
    CvxSelectBkMode& operator=(const CvxSelectBkMode&) = delete;

private:
    QPainter& m_p;
    Qt::BGMode m_old;
};

class CvxSelectBkColor {
public:
    CvxSelectBkColor(QPainter& p, int colorRef) : m_p(p), m_old(p.background())
    {
        p.setBackground(CvxColor(colorRef));
    }
    ~CvxSelectBkColor() { m_p.setBackground(m_old); }
    CvxSelectBkColor(const CvxSelectBkColor&) = delete;
    CvxSelectBkColor& operator=(const CvxSelectBkColor&) = delete;

private:
    QPainter& m_p;
    QBrush m_old;
};

// Text is drawn with the pen's colour: the text colour is the pen's colour, width kept.
class CvxSelectTextColor {
public:
    CvxSelectTextColor(QPainter& p, int colorRef) : m_p(p), m_old(p.pen())
    {
        QPen pen = m_old;
        pen.setColor(CvxColor(colorRef));
        p.setPen(pen);
    }
    ~CvxSelectTextColor() { m_p.setPen(m_old); }
    CvxSelectTextColor(const CvxSelectTextColor&) = delete;
    CvxSelectTextColor& operator=(const CvxSelectTextColor&) = delete;

private:
    QPainter& m_p;
    QPen m_old;
};

// A font by face name, point size and weight (400 normal, 700 bold), as the host keeps fonts;
// "Courier New" and other fixed faces map to the system's fixed font, the dialog faces to the
// application font, so that saved names draw on any machine.
class CvxFont {
public:
    CvxFont(const QString& face, int pointSize, int weight = 400);
    const QFont& Get() const { return m_font; }

private:
    QFont m_font;
};
