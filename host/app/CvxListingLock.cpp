#include "CvxListingLock.h"

#include "CvxListingModel.h"
#include "CvxMessageLockPosition.h"
#include "CvxMessageLockViewer.h"
#include "CvxPlugInBase.h"
#include "CvxPlugInMgr.h"
#include "CvxSystemMgr.h"

#include <QItemSelectionModel>
#include <QTableView>

CvxListingLock::CvxListingLock(CvxListingModel& model) : m_model(model), m_instance(CvxID::New())
{
    CvxSystemMgr& system = CvxSystemMgr::GetInstance();
    system.SetLockPositionSender([this](CvxMessageLockPosition& message) { Deliver(message); });
    // Tools made later (a setup, a new window) learn whether the Listing is locked to them.
    system.SetLockQuery([this](const CvxID& viewer, const CvxID& tool) {
        return viewer == m_instance && tool == m_tool && !m_tool.IsNull();
    });
}

CvxListingLock::~CvxListingLock()
{
    CvxSystemMgr& system = CvxSystemMgr::GetInstance();
    system.SetLockPositionSender({});
    system.SetLockQuery({});
}

void CvxListingLock::SetView(QTableView* view)
{
    m_view = view;
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, view,
                     [this](const QModelIndex& current) { RowChosen(current.row()); });
    // A new acquisition makes a new selection model for the reset table: follow it.
    QObject::connect(view->model(), &QAbstractItemModel::modelReset, view, [this] {
        QObject::connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, m_view,
                         [this](const QModelIndex& current) { RowChosen(current.row()); }, Qt::UniqueConnection);
    });
}

void CvxListingLock::LockTo(CvxPlugInBase* tool)
{
    const auto tell = [this](const CvxID& instance, bool locked) {
        if (CvxPlugInBase* plugIn = CvxPlugInMgr::GetInstance().GetPlugIn(instance)) {
            CvxMessageLockViewer message(m_instance, false, locked);
            plugIn->OnHostMessage(message);
        }
    };
    if (!m_tool.IsNull()) {
        tell(m_tool, false);
    }
    m_tool = tool != nullptr ? tool->GetInstanceID() : CvxID::NullID();
    if (!m_tool.IsNull()) {
        tell(m_tool, true);
    }
}

void CvxListingLock::ToolRemoved(const CvxPlugInBase& tool)
{
    if (!m_tool.IsNull() && tool.GetInstanceID() == m_tool) {
        m_tool = CvxID::NullID();
    }
}

void CvxListingLock::Deliver(CvxMessageLockPosition& message)
{
    CvxSystemMgr::GetInstance().DeliverLockPosition(message);
    if (m_view == nullptr || m_tool.IsNull() || message.GetSenderID() != m_tool) {
        return;
    }
    const int row = m_model.RowOfPosition(message.GetPosition());
    if (row < 0) {
        return;
    }
    m_following = true;
    const QModelIndex index = m_model.index(row, std::max(0, m_view->currentIndex().column()));
    m_view->setCurrentIndex(index);
    m_view->scrollTo(index, QAbstractItemView::PositionAtCenter);
    m_following = false;
}

void CvxListingLock::RowChosen(int row)
{
    if (m_following || m_tool.IsNull() || row < 0) {
        return;
    }
    CvxMessageLockPosition message(m_instance, m_model.PositionOfRow(row));
    CvxSystemMgr::GetInstance().SendLockPosition(message);
}
