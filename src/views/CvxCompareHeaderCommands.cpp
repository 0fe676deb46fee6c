#include "CvxCompareHeaderCommands.h"

#include "CvxCancelMgr.h"
#include "CvxClipboard.h"
#include "CvxCompareColumnClipboard.h"
#include "CvxCompareColumnWidth.h"
#include "CvxCompareContextMenu.h"
#include "CvxCompareGridDialogs.h"
#include "CvxCompareHeaderDialogs.h"
#include "CvxCompareHeaderRowCommands.h"
#include "CvxCompareHeaderViewport.h"
#include "CvxCompareHeaderView.h"
#include "CvxCompareModel.h"
#include "CvxComparePropertySheet.h"
#include "CvxLabelBase.h"
#include "CvxLabelMgr.h"
#include "CvxPlugInMgr.h"

#include <QCoreApplication>
#include <QMenu>

using Menu = CvxCompareContextMenu;

namespace {

const CvxLabelBase* LabelOf(const CvxCompareColumn& column)
{
    return CvxLabelMgr::GetInstance().IDToLabel(column.GetLabel().GetLabelID());
}

bool IsBusSignal(const CvxCompareColumn& column)
{
    const CvxLabelBase* label = LabelOf(column);
    return label != nullptr && label->IsA(EvxLabelKind::BusSignal);
}

} // namespace

CvxCompareHeaderCommands::CvxCompareHeaderCommands(CvxCompareModel& model, QWidget& parent)
    : m_model(model), m_parent(parent)
{
}

void CvxCompareHeaderCommands::SetClickedColumn(const CvxID& column)
{
    m_clicked = column;
    m_outsideMenu = false;
    m_selectedBefore.clear();
}

void CvxCompareHeaderCommands::SetOutsideMenu(std::vector<CvxID> selectedBefore)
{
    m_clicked = CvxID();
    m_outsideMenu = true;
    m_selectedBefore = std::move(selectedBefore);
}

const CvxCompareColumn* CvxCompareHeaderCommands::Clicked() const
{
    if (const CvxCompareColumn* column = m_model.FindColumn(m_clicked)) {
        return column;
    }
    const std::vector<CvxID> selected = m_model.GetSelectedColumns();
    return selected.empty() ? nullptr : m_model.FindColumn(selected.front());
}

const CvxCompareColumn* CvxCompareHeaderCommands::FindTarget() const
{
    const CvxCompareColumn* column = Clicked();
    return column != nullptr || m_model.GetColumns().empty() ? column : &m_model.GetColumns().front();
}

std::vector<CvxID> CvxCompareHeaderCommands::DeleteTargets() const
{
    if (!m_outsideMenu) {
        return m_model.GetSelectedColumns();
    }
    std::vector<CvxID> still; // the columns selected before the menu's click, as far as they exist
    for (const CvxID& column : m_selectedBefore) {
        if (m_model.FindColumn(column) != nullptr) {
            still.push_back(column);
        }
    }
    return still;
}

bool CvxCompareHeaderCommands::IsBusy() const { return CvxCancelMgr::GetInstance().IsEnabled(); }

bool CvxCompareHeaderCommands::IsEnabled(int id) const
{
    const CvxCompareColumn* clicked = Clicked();
    const bool busy = IsBusy(); // while long work runs, nothing that edits labels or the display
    const bool data = m_model.IsDataValid();
    switch (id) {
    case Menu::kUndo: return !m_model.IsHistoryEmpty();
    case Menu::kInsertBefore:
    case Menu::kInsertAfter: return clicked != nullptr;
    case Menu::kInsertColumn: return data;
    case Menu::kDeleteColumn: return !DeleteTargets().empty();
    case Menu::kRename: {
        const CvxLabelBase* label = clicked != nullptr ? LabelOf(*clicked) : nullptr;
        return !busy && m_model.GetSelectedColumns().size() <= 1 && label != nullptr
               && label->IsA(EvxLabelKind::BusSignal) && !label->Locked();
    }
    case Menu::kAssignChannels: return !busy && clicked != nullptr && IsBusSignal(*clicked);
    case Menu::kSymbols: return !busy && clicked != nullptr && CvxCompareHeaderDialogs::HasSymbolsToEdit(*clicked);
    case Menu::kFind: return !busy && data && FindTarget() != nullptr;
    case Menu::kFindNext:
    case Menu::kFindPrevious: return !busy && data;
    case Menu::kFindLabel: return m_model.GetColumnCount() > 0;
    case Menu::kShowActivity:
    case Menu::kShowBase:
    case Menu::kShowTrigger:
    case Menu::kShowMarkers: return !busy;
    case Menu::kSimpleTrigger:
    case Menu::kAdvancedTrigger: return true;
    case Menu::kProperties: return !busy;
    default: return false;
    }
}

bool CvxCompareHeaderCommands::IsChecked(int id) const { return CvxCompareHeaderRowCommands::IsChecked(m_model, id); }

bool CvxCompareHeaderCommands::Execute(int id)
{
    if (!IsEnabled(id)) {
        return false;
    }
    const CvxCompareColumn* clicked = Clicked();
    switch (id) {
    case Menu::kUndo:
    case Menu::kShowActivity:
    case Menu::kShowBase:
    case Menu::kShowTrigger:
    case Menu::kShowMarkers: return CvxCompareHeaderRowCommands::Execute(m_model, id);
    case Menu::kInsertBefore: return CvxCompareHeaderDialogs::Insert(m_model, clicked, false, &m_parent);
    case Menu::kInsertAfter: return CvxCompareHeaderDialogs::Insert(m_model, clicked, true, &m_parent);
    case Menu::kInsertColumn: return CvxCompareHeaderDialogs::Insert(m_model, nullptr, true, &m_parent);
    case Menu::kDeleteColumn:
        m_model.RequestDeleteColumns(DeleteTargets());
        SetClickedColumn(CvxID());
        return true;
    case Menu::kRename: return CvxCompareHeaderDialogs::Rename(m_model, *clicked, &m_parent);
    case Menu::kSymbols: return CvxCompareHeaderDialogs::Symbols(*clicked, &m_parent);
    case Menu::kAssignChannels: return CvxCompareHeaderDialogs::AssignChannels(*clicked, &m_parent);
    case Menu::kFind: return CvxCompareGridDialogs::Find(m_model, *FindTarget(), &m_parent);
    case Menu::kFindNext:
    case Menu::kFindPrevious: return CvxCompareGridDialogs::FindAgain(m_model, FindTarget(), id == Menu::kFindNext, &m_parent);
    case Menu::kFindLabel: {
        QWidget* parent = &m_parent;
        CvxCompareModel& model = m_model;
        CvxCompareHeaderDialogs::FindLabel(
            [parent, &model](const QString& text, int direction) {
                const int originX = static_cast<CvxCompareHeaderView*>(parent)->GetHorizontalOrigin();
                if (!FindColumn(model, text, direction, originX)) {
                    return false;
                }
                QCoreApplication::postEvent(parent, new QEvent(CvxCompareHeaderView::kShowSelectedColumnEvent));
                return true;
            },
            parent);
        return true;
    }
    case Menu::kSimpleTrigger: return CvxCompareHeaderDialogs::SimpleTrigger(m_model, &m_parent);
    case Menu::kAdvancedTrigger: return CvxCompareHeaderDialogs::AdvancedTrigger(m_model, &m_parent);
    case Menu::kProperties:
        // On a column or with columns chosen, the column page comes first.
        return CvxComparePropertySheet::Run(m_model, &m_parent,
                                            clicked != nullptr ? CvxComparePropertySheet::kColumnPage
                                                               : CvxComparePropertySheet::kWindowPage,
                                            CvxID());
    default: return false;
    }
}

void CvxCompareHeaderCommands::Apply(QMenu& menu)
{
    Menu::Attach(
        menu, m_parent, [this](int id) { return IsEnabled(id); }, [this](int id) { return IsChecked(id); },
        [this](int id) { Execute(id); });
}

bool CvxCompareHeaderCommands::CopyColumns() const
{
    std::vector<CvxCompareColumn> columns;
    for (const CvxCompareColumn& column : m_model.GetColumns()) {
        if (column.IsSelected()) {
            columns.push_back(column);
        }
    }
    if (columns.empty()) {
        return false;
    }
    CvxClipboard::SetText(CvxCompareColumnClipboard::ToMarkup(columns, CvxPlugInMgr::GetInstance().GetFullName(m_model.GetOwnInstance())));
    return true;
}

bool CvxCompareHeaderCommands::PasteColumns()
{
    if (IsBusy()) {
        return false;
    }
    const int before = m_model.GetColumnCount();
    m_model.PasteColumns(CvxClipboard::GetText());
    CvxCompareColumnWidth::SizeUnsized(m_model);
    return m_model.GetColumnCount() != before;
}

int CvxCompareHeaderCommands::FindName(const std::vector<QString>& names, const QString& text, int from, int direction)
{
    const int n = static_cast<int>(names.size());
    if (n == 0 || text.isEmpty()) {
        return -1;
    }
    from = std::clamp(from, 0, n - 1);
    for (int step = direction == 0 ? 0 : 1; step <= n - (direction == 0 ? 1 : 0); ++step) {
        const int at = ((from + (direction < 0 ? -step : step)) % n + n) % n;
        if (names[static_cast<std::size_t>(at)].startsWith(text, Qt::CaseInsensitive)) {
            return at;
        }
    }
    return -1;
}

bool CvxCompareHeaderCommands::FindColumn(CvxCompareModel& model, const QString& text, int direction, int originX)
{
    const std::vector<CvxCompareColumn>& columns = model.GetColumns();
    std::vector<QString> names;
    names.reserve(columns.size());
    int from = -1;
    int atEdge = 0;
    for (const CvxCompareColumn& column : columns) {
        if (from < 0 && column.IsSelected()) {
            from = static_cast<int>(names.size());
        }
        if (column.GetLeft() <= originX) {
            atEdge = static_cast<int>(names.size());
        }
        names.push_back(CvxCompareHeaderViewport::NameText(column));
    }
    const int found = FindName(names, text, direction == 0 ? 0 : (from >= 0 ? from : atEdge), direction);
    if (found < 0) {
        return false;
    }
    model.SetColumnSelection({columns[static_cast<std::size_t>(found)].GetID()});
    return true;
}
