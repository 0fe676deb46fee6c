#include "CvxCompareColumn.h"

#include "CvxLabelMgr.h"

CvxCompareColumn::CvxCompareColumn() : m_id(CvxID::New()), m_marker(CvxID::New()) {}

CvxCompareColumn::CvxCompareColumn(const CvxLabelChannel& label) : CvxCompareColumn()
{
    m_label = label;
    RefreshFromLabel();
}

bool CvxCompareColumn::RefreshFromLabel()
{
    const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(m_label.GetLabelID());
    if (label == nullptr) {
        return false;
    }
    m_base = label->GetBase();
    m_color = label->GetColor();
    m_alignment = label->GetHorzAlignment();
    return true;
}
