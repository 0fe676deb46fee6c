#pragma once
// A CvxNumericEditCtrl for whole numbers: the edit refuses anything but digits and a leading
// minus as it is typed, and values stay exact over the full 64-bit range. Its range and value
// are set through its own SetRange and SetValue, which hide the fractional ones.

#include "CvxNumericEditCtrl.h"

#include <QtGlobal>

class CvxIntegerEditCtrl : public CvxNumericEditCtrl {
public:
    CvxIntegerEditCtrl(int id, QWidget* parent);

    // A value outside the new range is brought to its nearer end.
    void SetRange(qint64 minimum, qint64 maximum);
    // Brought into the range; the command is not run.
    void SetValue(qint64 value);
    // The edit's number when it is valid, else the last valid one.
    qint64 GetIntegerValue() const;

protected:
    bool Read(const QString& text, QString& canonical) const override;
    QString MinimumText() const override;
    QString MaximumText() const override;

private:
    qint64 m_minimum = -999999999;
    qint64 m_maximum = 999999999;
};
