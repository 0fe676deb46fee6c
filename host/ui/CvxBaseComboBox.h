#pragma once
// A drop-down list of the number bases of one base group (CvxBase), each item carrying its
// base code. The user's choice is told as CvxComboBox tells it.

#include "CvxBase.h"
#include "CvxComboBox.h"

class CvxBaseComboBox : public CvxComboBox {
    Q_OBJECT
public:
    CvxBaseComboBox(int id, QWidget* parent);

    // Lists the group's bases in code order. The base chosen before stays chosen when the
    // group has it; otherwise the group's first base is.
    void SetBaseGroup(EvxBaseGroup group);
    EvxBaseGroup GetBaseGroup() const { return m_group; }
    // False (the choice unchanged) for a base the list does not hold.
    bool SetBase(int code);
    // kBaseNone when no base is chosen.
    int GetBase() const;

private:
    EvxBaseGroup m_group = kBaseGroupNumeric;
};
