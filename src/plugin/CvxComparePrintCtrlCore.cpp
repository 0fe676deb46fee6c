#include "CvxComparePrintCtrlCore.h"

#include "CvxCompareModel.h"
#include "CvxData.h"
#include "CvxPlugInMgr.h"

CvxComparePrintCtrlCore::CvxComparePrintCtrlCore(CvxCompareModel& model, const CvxID& instance)
    : m_model(model), m_instance(instance)
{
}

bool CvxComparePrintCtrlCore::QueryText(int query, std::u16string& text) const
{
    if (query == 11 || query == 12) {
        text = CvxPlugInMgr::GetInstance().GetFullName(m_instance);
        return true;
    }
    if (query >= 26 && query <= 31) {
        text = m_texts[static_cast<std::size_t>(query - 26)];
        return true;
    }
    return false;
}

int CvxComparePrintCtrlCore::QueryCapability(int query) const
{
    const bool valid = m_model.IsDataValid();
    switch (query) {
    case 0:
    case 1:
    case 2:
    case 8:
    case 10: return 1;
    case 5:
    case 6: return valid ? 1 : 0;
    case 7: return valid && m_model.GetInputData()->GetTableCount() == 1 ? 1 : 0;
    default: return 0;
    }
}

bool CvxComparePrintCtrlCore::QueryNumber(int query, int& value) const
{
    if (query != 16) {
        return false;
    }
    value = m_rangeMode;
    return true;
}

bool CvxComparePrintCtrlCore::SetNumber(int query, int value)
{
    if (query != 16) {
        return false;
    }
    m_rangeMode = value;
    return true;
}

bool CvxComparePrintCtrlCore::SetText(int query, const std::u16string& text)
{
    if (query < 26 || query > 31) {
        return false;
    }
    m_texts[static_cast<std::size_t>(query - 26)] = text;
    return true;
}
