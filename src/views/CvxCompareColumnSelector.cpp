#include "CvxCompareColumnSelector.h"

#include "CvxCompareModel.h"

#include <algorithm>

void CvxCompareColumnSelector::Select(CvxCompareModel& model, const CvxID& id, Qt::KeyboardModifiers modifiers)
{
    const std::vector<CvxCompareColumn>& columns = model.GetColumns();
    const auto at = static_cast<int>(std::find_if(columns.begin(), columns.end(),
                                                  [&](const CvxCompareColumn& c) { return c.GetID() == id; })
                                     - columns.begin());
    std::vector<CvxID> selected = model.GetSelectedColumns();
    if ((modifiers & Qt::ShiftModifier) && m_anchor >= 0 && m_anchor < static_cast<int>(columns.size())) {
        selected.clear();
        for (int i = std::min(m_anchor, at); i <= std::max(m_anchor, at); ++i) {
            selected.push_back(columns[static_cast<std::size_t>(i)].GetID());
        }
    } else if (modifiers & Qt::ControlModifier) {
        const auto it = std::find(selected.begin(), selected.end(), id);
        if (it != selected.end()) {
            selected.erase(it);
        } else {
            selected.push_back(id);
        }
        m_anchor = at;
    } else {
        selected = {id};
        m_anchor = at;
    }
    model.SetColumnSelection(selected);
}
