#include "CvxCompareReferenceLabelSelectionDlg.h"

#include "CvxBitSet.h"
#include "CvxCompareModel.h"
#include "CvxCompareRange.h"
#include "CvxInfoDlg.h"
#include "CvxLabelChannel.h"
#include "CvxLabelMgr.h"
#include "CvxLabelNameFormatter.h"
#include "CvxLabelTreeCtrl.h"
#include "CvxMarker.h"
#include "CvxMarkerComboBox.h"
#include "CvxMarkerMgr.h"
#include "CvxQtText.h"
#include "CvxWaitCursor.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

struct CvxCompareReferenceLabelSelectionDlg::Working {
    std::vector<CvxLabelChannel> selected;
    CvxCompareRange range;
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

    auto* range = new QGroupBox("Data Range", this);
    m_all = new QRadioButton("&All", range);
    m_all->setObjectName("19485");
    m_markers = new QRadioButton("&Markers", range);
    m_markers->setObjectName("19486");
    auto* fromLabel = new QLabel("from:", range);
    fromLabel->setObjectName("19487");
    m_from = new CvxMarkerComboBox(19488, range);
    auto* toLabel = new QLabel("to:", range);
    toLabel->setObjectName("19489");
    m_to = new CvxMarkerComboBox(19490, range);
    m_fromLabel = fromLabel;
    m_toLabel = toLabel;
    auto* rangeLayout = new QGridLayout(range);
    rangeLayout->addWidget(m_all, 0, 0);
    rangeLayout->addWidget(m_markers, 1, 0);
    rangeLayout->addWidget(fromLabel, 1, 1);
    rangeLayout->addWidget(m_from, 1, 2);
    rangeLayout->addWidget(toLabel, 1, 3);
    rangeLayout->addWidget(m_to, 1, 4);
    rangeLayout->setColumnStretch(2, 1);
    rangeLayout->setColumnStretch(4, 1);

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
    layout->addWidget(range);
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
    m_working->range = m_model.GetReferenceRange();
    CvxMarkerMgr& markers = m_model.GetMarkerMgr();
    const std::vector<CvxMarker*> all = markers.GetMarkers(false);
    for (CvxMarkerComboBox* combo : {m_from, m_to}) {
        combo->SetMarkers(all, markers);
    }
    if (markers.GetMarker(m_working->range.GetFromMarkerID()) == nullptr) {
        const auto first = std::find_if(all.begin(), all.end(), [](const CvxMarker* m) { return m->IsFlagSet(kUserMarkerFlag); });
        m_working->range.SetFromMarkerID(first != all.end() ? (*first)->GetID() : markers.GetBeginDataMarkerID());
    }
    if (markers.GetMarker(m_working->range.GetToMarkerID()) == nullptr) {
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
        m_working->range.SetToMarkerID(to);
    }
    m_from->SelectMarker(m_working->range.GetFromMarkerID());
    m_to->SelectMarker(m_working->range.GetToMarkerID());
    m_from->SetValueChangedCommand([this](const CvxID& marker) {
        m_working->range.SetFromMarkerID(marker);
        return true;
    });
    m_to->SetValueChangedCommand([this](const CvxID& marker) {
        m_working->range.SetToMarkerID(marker);
        return true;
    });
    connect(m_all, &QRadioButton::clicked, this, [this] { ApplyType(CvxCompareRange::kAll); });
    connect(m_markers, &QRadioButton::clicked, this, [this] { ApplyType(CvxCompareRange::kMarkers); });
    (m_working->range.IsAll() ? m_all : m_markers)->setChecked(true);
    ApplyType(m_working->range.GetType());
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

void CvxCompareReferenceLabelSelectionDlg::ApplyType(int type)
{
    m_working->range.SetType(type);
    UpdateStates();
}

void CvxCompareReferenceLabelSelectionDlg::UpdateStates()
{
    const bool any = !m_working->selected.empty();
    const bool markers = any && m_working->range.GetType() == CvxCompareRange::kMarkers;
    m_all->setEnabled(any);
    m_markers->setEnabled(any);
    for (QWidget* control : {m_fromLabel, static_cast<QWidget*>(m_from), m_toLabel, static_cast<QWidget*>(m_to)}) {
        control->setEnabled(markers);
    }
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
    m_model.CopyReference(m_working->selected, m_working->range);
}
