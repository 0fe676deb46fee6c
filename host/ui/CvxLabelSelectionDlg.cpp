#include "CvxLabelSelectionDlg.h"

#include "CvxQtText.h"
#include "CvxID.h"
#include "CvxLabelMgr.h"
#include "CvxLabelTooltipFormatter.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

namespace {


constexpr int kIdRole = Qt::UserRole + 1;

CvxID IdOf(const QVariant& text)
{
    CvxID id;
    id.SetValue(text.toString().toStdString());
    return id;
}

} // namespace

CvxLabelSelectionDlg::CvxLabelSelectionDlg(const std::vector<CvxID>& offered, QWidget* parent) : QDialog(parent)
{
    setObjectName("LabelSelectionDlg");
    setWindowTitle(tr("Select Buses/Signals"));
    auto* layout = new QVBoxLayout(this);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName("Labels");
    m_tree->setHeaderLabels({tr("Bus/Signal"), tr("Width")});
    m_tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    const CvxLabelMgr& mgr = CvxLabelMgr::GetInstance();
    std::map<CvxID, QTreeWidgetItem*> folders;
    for (const CvxID& id : offered) {
        const CvxLabelBase* label = mgr.IDToLabel(id);
        if (label == nullptr || label->IsFolder()) {
            continue;
        }
        QTreeWidgetItem*& folder = folders[label->GetParentID()];
        if (folder == nullptr) {
            const CvxLabelBase* parentLabel = mgr.IDToLabel(label->GetParentID());
            folder = new QTreeWidgetItem(m_tree, {parentLabel != nullptr ? CvxQt(parentLabel->GetName()) : tr("Buses/Signals")});
            folder->setFlags(Qt::ItemIsEnabled);
            folder->setExpanded(true);
        }
        auto* item = new QTreeWidgetItem(folder, {CvxQt(label->GetName()), QString::number(label->GetNumberOfChannels())});
        item->setData(0, kIdRole, QString::fromStdString(id.ToString()));
        item->setToolTip(0, CvxQt(CvxLabelTooltipFormatter::Format(CvxLabelChannel(id))));
    }
    layout->addWidget(m_tree);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CvxLabelSelectionDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxLabelSelectionDlg::reject);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (!item->data(0, kIdRole).isNull()) {
            m_tree->clearSelection();
            item->setSelected(true);
            accept();
        }
    });
    layout->addWidget(buttons);
    resize(380, 440);
}

std::vector<CvxID> CvxLabelSelectionDlg::GetSelection() const
{
    std::vector<CvxID> chosen;
    for (QTreeWidgetItemIterator it(m_tree, QTreeWidgetItemIterator::Selected); *it != nullptr; ++it) {
        const QVariant id = (*it)->data(0, kIdRole);
        if (!id.isNull()) {
            chosen.push_back(IdOf(id));
        }
    }
    return chosen;
}

void CvxLabelSelectionDlg::Select(const std::vector<CvxID>& labels)
{
    for (QTreeWidgetItemIterator it(m_tree); *it != nullptr; ++it) {
        const QVariant id = (*it)->data(0, kIdRole);
        if (!id.isNull()) {
            const CvxID label = IdOf(id);
            (*it)->setSelected(std::find(labels.begin(), labels.end(), label) != labels.end());
        }
    }
}

void CvxLabelSelectionDlg::accept()
{
    if (GetSelection().empty()) {
        QMessageBox::warning(this, windowTitle(), tr("Choose at least one bus/signal."));
        return;
    }
    QDialog::accept();
}
