#pragma once
// A pane's viewport that fills the pane with one colour of the palette: what the grid, header,
// marker bars and overview paint until their own viewports draw them.

#include "CvxViewport.h"

#include <QPalette>
#include <QString>

class CvxComparePlainViewport : public CvxViewport {
public:
    CvxComparePlainViewport(QString pane, QPalette::ColorRole role) : m_pane(std::move(pane)), m_role(role) {}

    void Paint(QPainter& painter, const QRect& dirty) override;
    QJsonObject Describe() const override;

private:
    QString m_pane;
    QPalette::ColorRole m_role;
};
