#include "CvxIntegerEditCtrl.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

#include <algorithm>

CvxIntegerEditCtrl::CvxIntegerEditCtrl(int id, QWidget* parent) : CvxNumericEditCtrl(id, true, parent)
{
    GetEdit()->setValidator(new QRegularExpressionValidator(QRegularExpression("\\s*-?[0-9]*\\s*"), GetEdit()));
}

void CvxIntegerEditCtrl::SetRange(qint64 minimum, qint64 maximum)
{
    m_minimum = std::min(minimum, maximum);
    m_maximum = std::max(minimum, maximum);
    SetValue(GetIntegerValue());
}

void CvxIntegerEditCtrl::SetValue(qint64 value)
{
    ShowValue(QString::number(std::clamp(value, m_minimum, m_maximum)));
}

qint64 CvxIntegerEditCtrl::GetIntegerValue() const
{
    return CurrentText().toLongLong();
}

bool CvxIntegerEditCtrl::Read(const QString& text, QString& canonical) const
{
    bool ok = false;
    // Beyond 64 bits the reading fails, so such text is refused rather than wrapped.
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok || value < m_minimum || value > m_maximum) {
        return false;
    }
    canonical = QString::number(value);
    return true;
}

QString CvxIntegerEditCtrl::MinimumText() const
{
    return QString::number(m_minimum);
}

QString CvxIntegerEditCtrl::MaximumText() const
{
    return QString::number(m_maximum);
}
