#include "CvxCompareControlsDlg.h"

#include "CvxButton.h"
#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"
#include "CvxCompareRangeDlg.h"
#include "CvxCompareReferenceLabelSelectionDlg.h"
#include "CvxCompareRunUntilDlg.h"
#include "CvxData.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>

namespace {

struct ButtonEntry {
    int id;
    const char* text;
    const char* tip;
};

// Left to right, as the bar shows them.
constexpr ButtonEntry kButtons[] = {
    {CvxCompareControlsDlg::kPrevious, "<<", "Goto Previous Difference"},
    {CvxCompareControlsDlg::kNext, ">>", "Goto Next Difference"},
    {CvxCompareControlsDlg::kCopy, "&Copy...", "Copy Input Data to Reference Buffer"},
    {CvxCompareControlsDlg::kRangeAndOffset, "&Range && Offset...", "Compare Input Data Range Starting at Reference Buffer Offset"},
    {CvxCompareControlsDlg::kRunUntil, "Run &Until...", "Compare Until a Number of Differences Is Found, Then Act"},
};

} // namespace

CvxCompareControlsDlg::CvxCompareControlsDlg(CvxCompareModel& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    setObjectName(QString::number(kTemplateID));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(2);
    for (const ButtonEntry& entry : kButtons) {
        auto* button = new CvxButton(entry.id, QString::fromUtf8(entry.text), this);
        button->ShowToolTip(QString::fromUtf8(entry.tip), -1, -1, -1);
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::TabFocus);
        layout->addWidget(button);
        if (entry.id == kRunUntil) {
            // Its own handler: the bar's click dispatch leaves this id alone.
            connect(button, &QPushButton::clicked, this, [this] { RunUntil(); });
        }
    }
    layout->addStretch(1);
    setFixedHeight(sizeHint().height());
    m_model.AddObserver(this);
    UpdateStates();
}

CvxCompareControlsDlg::~CvxCompareControlsDlg() { m_model.RemoveObserver(this); }

QSize CvxCompareControlsDlg::sizeHint() const
{
    // Dialog units: a vertical unit is an eighth of the dialog font's height.
    const int height = (kHeightDialogUnits * QFontMetrics(font()).height() + 4) / 8;
    return {QWidget::sizeHint().width(), height};
}

CvxButton* CvxCompareControlsDlg::GetButton(int id) const { return findChild<CvxButton*>(QString::number(id)); }

void CvxCompareControlsDlg::UpdateStates()
{
    const bool valid = m_model.IsDataValid();
    const bool reference = !m_model.GetReferenceBuffer().IsEmpty();
    bool previous = false;
    bool next = false;
    if (m_model.GetResults().GetDifferences() > 0) {
        m_model.GetDifferenceAvailability(previous, next);
    }
    GetButton(kNext)->setEnabled(next);
    GetButton(kPrevious)->setEnabled(previous);
    GetButton(kCopy)->setEnabled(valid);
    GetButton(kRangeAndOffset)->setEnabled(valid && reference);
}

void CvxCompareControlsDlg::Update(CvxMvcModel*, CvxMvcDefMsg* message)
{
    if (message == nullptr) {
        return;
    }
    switch (message->GetType()) {
    case 11: // the centre moved
    case CvxCompareNewDataMessage::kType:
    case CvxCompareDataChangedMessage::kType: UpdateStates(); break;
    case CvxCompareCopyReferenceMessage::kType: Post(kCopy); break;
    case CvxCompareNextDifferenceMessage::kType: Post(kNext); break;
    case CvxComparePreviousDifferenceMessage::kType: Post(kPrevious); break;
    case CvxCompareRangeAndOffsetMessage::kType: Post(kRangeAndOffset); break;
    default: break;
    }
}

void CvxCompareControlsDlg::Post(int id) { QCoreApplication::postEvent(this, new CvxButtonClickEvent(id)); }

void CvxCompareControlsDlg::customEvent(QEvent* event)
{
    if (event->type() == CvxButtonClickEvent::kType) {
        Dispatch(static_cast<CvxButtonClickEvent*>(event)->GetID());
        return;
    }
    QWidget::customEvent(event);
}

void CvxCompareControlsDlg::Dispatch(int id)
{
    switch (id) {
    case kPrevious: m_model.PreviousDifference(); break;
    case kNext: m_model.NextDifference(); break;
    case kCopy: {
        CvxCompareReferenceLabelSelectionDlg dialog(m_model, window());
        dialog.exec();
        break;
    }
    case kRangeAndOffset: {
        CvxCompareRangeDlg dialog(m_model, window());
        dialog.exec();
        break;
    }
    default: break; // other ids (Run Until... among them) are not dispatched here
    }
}

void CvxCompareControlsDlg::RunUntil()
{
    CvxCompareRunUntilDlg dialog(m_model, window());
    dialog.exec();
}

void CvxCompareControlsDlg::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape belong to the bar's buttons, never to closing anything.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
