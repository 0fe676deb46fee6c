#include "CvxCompareRangeDlg.h"

#include "CvxCompareModel.h"
#include "CvxCompareRange.h"
#include "CvxCompareReferenceOffset.h"
#include "CvxInfoDlg.h"
#include "CvxIntegerEditCtrl.h"
#include "CvxQtText.h"
#include "CvxMarkerComboBox.h"
#include "CvxMarkerMgr.h"
#include "CvxWaitCursor.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

struct CvxCompareRangeDlg::Working {
    CvxCompareRange range;
    CvxCompareReferenceOffset offset;
};

CvxCompareRangeDlg::CvxCompareRangeDlg(CvxCompareModel& model, QWidget* parent)
    : CvxDialog("CompareRangeDlg", kTemplateID, parent)
    , m_model(model)
    , m_working(std::make_unique<Working>(Working{model.GetCompareRange(), model.GetReferenceOffset()}))
{
    setWindowTitle("Range & Reference");
    auto* range = new QGroupBox("Input Data Range", this);
    m_all = new QRadioButton("&All", range);
    m_all->setObjectName("19461");
    m_markers = new QRadioButton("&Markers", range);
    m_markers->setObjectName("19462");
    auto* fromLabel = new QLabel("from:", range);
    fromLabel->setObjectName("19465");
    m_from = new CvxMarkerComboBox(19463, range);
    fromLabel->setBuddy(m_from);
    auto* toLabel = new QLabel("to:", range);
    toLabel->setObjectName("19466");
    m_to = new CvxMarkerComboBox(19464, range);
    toLabel->setBuddy(m_to);
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

    auto* reference = new QGroupBox("Reference Offset", this);
    m_offset = new CvxIntegerEditCtrl(19468, reference);
    auto* referenceLayout = new QHBoxLayout(reference);
    referenceLayout->addWidget(new QLabel("Offset reference data by", reference));
    referenceLayout->addWidget(m_offset, 1);
    referenceLayout->addWidget(new QLabel("samples", reference));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &CvxCompareRangeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxCompareRangeDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(range);
    layout->addWidget(reference);
    layout->addWidget(buttons);

    // The markers: missing ones become the begin and end of data.
    CvxMarkerMgr& markers = m_model.GetMarkerMgr();
    for (CvxMarkerComboBox* combo : {m_from, m_to}) {
        combo->SetMarkers(markers.GetMarkers(false), markers);
    }
    if (markers.GetMarker(m_working->range.GetFromMarkerID()) == nullptr) {
        m_working->range.SetFromMarkerID(markers.GetBeginDataMarkerID());
    }
    if (markers.GetMarker(m_working->range.GetToMarkerID()) == nullptr) {
        m_working->range.SetToMarkerID(markers.GetEndDataMarkerID());
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

    m_offset->SetKeypadCaption("Reference Offset");
    m_offset->SetRange(-kOffsetLimit, kOffsetLimit);
    m_offset->SetValue(m_working->offset.GetSampleOffset());
}

CvxCompareRangeDlg::~CvxCompareRangeDlg() = default;

void CvxCompareRangeDlg::ApplyType(int type)
{
    m_working->range.SetType(type);
    const bool markers = type == CvxCompareRange::kMarkers;
    for (QWidget* control : {m_fromLabel, static_cast<QWidget*>(m_from), m_toLabel, static_cast<QWidget*>(m_to)}) {
        control->setEnabled(markers);
    }
}

void CvxCompareRangeDlg::accept()
{
    if (!m_offset->Commit()) {
        CvxInfoDlg::Show(CvxInfoDlg::kDialogWarning, CvxU16(m_offset->GetLastError()));
        m_offset->setFocus();
        return;
    }
    m_working->offset.SetSampleOffset(static_cast<int>(m_offset->GetIntegerValue()));
    CvxDialog::accept();
    if (parentWidget() != nullptr) {
        parentWidget()->repaint(); // clean under the dialog before the long work
    }
    const CvxWaitCursor wait(1000);
    m_model.SetRangeAndOffset(m_working->range, m_working->offset);
}
