#pragma once
// A button showing a colour swatch, known by its control id (also its object name). A click
// opens the colour dialog ("ColorDialog", modal) on the well's colour; a colour chosen there
// becomes the well's, ends the no-colour state and is told through colorChanged, even when it
// is the colour the well had (choosing it may be what ends the no-colour state). SetColor
// tells nothing. The no-colour state (an empty, crossed swatch) stands for several
// differing colours; a disabled well paints its swatch grey.

#include <QColor>
#include <QPushButton>

class CvxColorWellButton : public QPushButton {
    Q_OBJECT
public:
    CvxColorWellButton(int id, QWidget* parent);

    int GetID() const { return m_id; }
    // Ends the no-colour state.
    void SetColor(const QColor& color);
    QColor GetColor() const { return m_color; }
    // The host's 0x00BBGGRR colour values, as records and setups keep them.
    void SetColorRef(int colorRef);
    int GetColorRef() const;
    void SetNoColorState(bool noColor);
    bool IsNoColorState() const { return m_noColor; }

    QSize sizeHint() const override;

signals:
    void colorChanged(int id, QColor color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ChooseColor();

    int m_id;
    QColor m_color = Qt::black;
    bool m_noColor = false;
};
