#include "CvxBaseComboBox.h"

#include "CvxQtText.h"

CvxBaseComboBox::CvxBaseComboBox(int id, QWidget* parent) : CvxComboBox(id, parent)
{
    SetBaseGroup(kBaseGroupNumeric);
}

void CvxBaseComboBox::SetBaseGroup(EvxBaseGroup group)
{
    const int chosen = GetBase();
    m_group = group;
    Clear();
    for (int code = kBaseHex; code <= kBaseTimeRelative; ++code) {
        const CvxBase base(code);
        if (base.IsInGroup(group)) {
            AddItem(CvxQt(base.GetName()), code);
        }
    }
    if (!SetBase(chosen)) {
        SelectIndex(count() > 0 ? 0 : -1);
    }
}

bool CvxBaseComboBox::SetBase(int code)
{
    return SelectData(code);
}

int CvxBaseComboBox::GetBase() const
{
    return GetSelectedData().value_or(kBaseNone);
}
