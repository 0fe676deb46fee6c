#include "CvxCompareReferenceLabelSelectionDlg.h"

#include "CvxBitSet.h"
#include "CvxCompareModel.h"
#include "CvxCompareRangeGroup.h"
#include "CvxInfoDlg.h"
#include "CvxLabelChannel.h"
#include "CvxLabelMgr.h"
#include "CvxLabelNameFormatter.h"
#include "CvxLabelTreeCtrl.h"
#include "CvxMarker.h"
#include "CvxMarkerMgr.h"
#include "CvxQtText.h"
#include "CvxWaitCursor.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

struct CvxCompareReferenceLabelSelectionDlg::Working {
    std::vector<CvxLabelChannel> selected;
};

namespace {

// Marker flag 7: a user's marker.
constexpr int kUserMarkerFlag = 7;

} // namespace

CvxCompareReferenceLabelSelectionDlg::CvxCompareReferenceLabelSelectionDlg(CvxCompareModel& model, QWidget* parent)
    : CvxDialog("vxCompareReferenceLabelSelectionDlg", kTemplateID, parent)
    , m_model(model)
    , m_working(std::make_unique<Working>())
{
    setWindowTitle("Select Buses/Signals");
    SetPopDownCommand([this] { reject(); });
    m_tree = new CvxLabelTreeCtrl(19481, CvxBitSet{0, 1, 2}, CvxBitSet{2, 3, 4}, CvxLabelMgr::GetInstance().GetLabelRootID(), this);
    m_add = new QPushButton("&Add >>", this);
    m_add->setObjectName("19482");
    m_remove = new QPushButton("<< &Remove", this);
    m_remove->setObjectName("19483");
    m_list = new QTreeWidget(this);
    m_list->setObjectName("19484");
    m_list->setColumnCount(1);
    m_list->setHeaderLabels({"Label Order"});
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);

    m_range = new CvxCompareRangeGroup("Data Range", {19485, 19486, 19487, 19488, 19489, 19490}, this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &CvxCompareReferenceLabelSelectionDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxCompareReferenceLabelSelectionDlg::reject);

    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel("Available Buses/Signals:", this), 0, 0);
    lists->addWidget(new QLabel("Selected Buses/Signals:", this), 0, 2);
    lists->addWidget(m_tree, 1, 0);
    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(m_add);
    middle->addWidget(m_remove);
    middle->addStretch(1);
    lists->addLayout(middle, 1, 1);
    lists->addWidget(m_list, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(m_range);
    layout->addWidget(buttons);
    resize(CvxDialog::DialogUnitsX(*this, 316), CvxDialog::DialogUnitsY(*this, 209));

    m_tree->Fill();
    connect(m_add, &QPushButton::clicked, this, [this] { Add(); });
    connect(m_remove, &QPushButton::clicked, this, [this] { Remove(); });
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateStates(); });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this] { Add(); });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateStates(); });

    // What the reference holds now, in its order.
    for (const auto& source : m_model.GetReferenceBuffer()) {
        m_working->selected.push_back(source->GetLabelChannel());
    }
    Rebuild();

    // The range last stored, with default markers for missing ones: the first user marker
    // (else the begin of data) and the second user marker (else the only one, else the end).
    CvxCompareRange range = m_model.GetReferenceRange();
    CvxMarkerMgr& markers = m_model.GetMarkerMgr();
    const std::vector<CvxMarker*> all = markers.GetMarkers(false);
    if (markers.GetMarker(range.GetFromMarkerID()) == nullptr) {
        const auto first = std::find_if(all.begin(), all.end(), [](const CvxMarker* m) { return m->IsFlagSet(kUserMarkerFlag); });
        range.SetFromMarkerID(first != all.end() ? (*first)->GetID() : markers.GetBeginDataMarkerID());
    }
    if (markers.GetMarker(range.GetToMarkerID()) == nullptr) {
        CvxID to = markers.GetEndDataMarkerID();
        int flagged = 0;
        for (const CvxMarker* marker : all) {
            if (marker->IsFlagSet(kUserMarkerFlag)) {
                to = marker->GetID();
                if (++flagged == 2) {
                    break;
                }
            }
        }
        range.SetToMarkerID(to);
    }
    m_range->Show(range, markers);
    UpdateStates();
}

CvxCompareReferenceLabelSelectionDlg::~CvxCompareReferenceLabelSelectionDlg() = default;

const std::vector<CvxLabelChannel>& CvxCompareReferenceLabelSelectionDlg::GetSelected() const { return m_working->selected; }

void CvxCompareReferenceLabelSelectionDlg::Add()
{
    const std::vector<CvxLabelChannel> chosen = m_tree->GetSelectedLabels();
    m_tree->ClearSelectionAfterTake(false);
    std::vector<CvxLabelChannel>& selected = m_working->selected;
    for (const CvxLabelChannel& label : chosen) {
        if (std::find(selected.begin(), selected.end(), label) == selected.end()) {
            selected.push_back(label);
        }
    }
    Rebuild();
}

void CvxCompareReferenceLabelSelectionDlg::Remove()
{
    std::vector<CvxLabelChannel> kept;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        if (!m_list->topLevelItem(row)->isSelected()) {
            kept.push_back(m_working->selected[static_cast<std::size_t>(row)]);
        }
    }
    m_working->selected = std::move(kept);
    Rebuild();
}

void CvxCompareReferenceLabelSelectionDlg::Rebuild()
{
    m_list->clear();
    const std::vector<QIcon>& images = CvxLabelTreeCtrl::Images();
    for (const CvxLabelChannel& label : m_working->selected) {
        auto* item = new QTreeWidgetItem(m_list, {CvxQt(CvxLabelNameFormatter::Format(label.GetLabelID(), label.GetChannel(), false))});
        const int image = CvxLabelTreeCtrl::ImageOf(label);
        if (image >= 0 && image < static_cast<int>(images.size())) {
            item->setIcon(0, images[static_cast<std::size_t>(image)]);
        }
        item->setData(0, Qt::UserRole, image);
    }
    UpdateStates();
}

void CvxCompareReferenceLabelSelectionDlg::UpdateStates()
{
    m_range->SetChoosable(!m_working->selected.empty());
    m_add->setEnabled(m_tree->HasSelection());
    m_remove->setEnabled(!m_list->selectedItems().isEmpty());
}

void CvxCompareReferenceLabelSelectionDlg::accept()
{
    if (m_working->selected.empty()
        && CvxInfoDlg::Ask(u"No buses/signals have been selected. Okay to continue?") == CvxInfoDlg::kAnswerCancel) {
        return;
    }
    CvxDialog::accept();
    if (parentWidget() != nullptr) {
        parentWidget()->repaint(); // clean under the dialog before the long work
    }
    const CvxWaitCursor wait(1000);
    m_model.CopyReference(m_working->selected, m_range->GetRange());
}
