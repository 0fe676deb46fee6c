#include "CvxCompareRangeDlg.h"

#include "CvxCompareModel.h"
#include "CvxCompareRangeGroup.h"
#include "CvxCompareReferenceOffset.h"
#include "CvxInfoDlg.h"
#include "CvxIntegerEditCtrl.h"
#include "CvxQtText.h"
#include "CvxMarkerMgr.h"
#include "CvxWaitCursor.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CvxCompareRangeDlg::CvxCompareRangeDlg(CvxCompareModel& model, QWidget* parent)
    : CvxDialog("CompareRangeDlg", kTemplateID, parent)
    , m_model(model)
{
    setWindowTitle("Range & Reference");
    m_range = new CvxCompareRangeGroup("Input Data Range", {19461, 19462, 19465, 19463, 19466, 19464}, this);

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
    layout->addWidget(m_range);
    layout->addWidget(reference);
    layout->addWidget(buttons);

    // Missing markers become the begin and end of data.
    CvxMarkerMgr& markers = m_model.GetMarkerMgr();
    CvxCompareRange range = m_model.GetCompareRange();
    if (markers.GetMarker(range.GetFromMarkerID()) == nullptr) {
        range.SetFromMarkerID(markers.GetBeginDataMarkerID());
    }
    if (markers.GetMarker(range.GetToMarkerID()) == nullptr) {
        range.SetToMarkerID(markers.GetEndDataMarkerID());
    }
    m_range->Show(range, markers);

    m_offset->SetKeypadCaption("Reference Offset");
    m_offset->SetRange(-kOffsetLimit, kOffsetLimit);
    m_offset->SetValue(m_model.GetReferenceOffset().GetSampleOffset());
}

CvxCompareRangeDlg::~CvxCompareRangeDlg() = default;

void CvxCompareRangeDlg::accept()
{
    if (!m_offset->Commit()) {
        CvxInfoDlg::Show(CvxInfoDlg::kDialogWarning, CvxU16(m_offset->GetLastError()));
        m_offset->setFocus();
        return;
    }
    CvxCompareReferenceOffset offset = m_model.GetReferenceOffset();
    offset.SetSampleOffset(static_cast<int>(m_offset->GetIntegerValue()));
    CvxDialog::accept();
    if (parentWidget() != nullptr) {
        parentWidget()->repaint(); // clean under the dialog before the long work
    }
    const CvxWaitCursor wait(1000);
    m_model.SetRangeAndOffset(m_range->GetRange(), offset);
}
