#include "CvxComparePaneView.h"

#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"

CvxComparePaneView::CvxComparePaneView(CvxCompareModel& model, std::unique_ptr<CvxViewport> viewport,
                                       std::unique_ptr<CvxController> controller, bool takesKeyboard,
                                       QWidget* parent)
    : CvxViewportWidget(std::move(viewport), std::move(controller), parent)
    , m_model(model)
    , m_takesKeyboard(takesKeyboard)
{
    setFocusPolicy(takesKeyboard ? Qt::StrongFocus : Qt::NoFocus);
    m_model.AddObserver(this);
}

CvxComparePaneView::~CvxComparePaneView()
{
    m_model.RemoveObserver(this);
}

void CvxComparePaneView::SetHorizontalOrigin(int x)
{
    if (x != m_originX) {
        m_originX = x;
        GetViewport().Invalidate();
    }
}

void CvxComparePaneView::Update(CvxMvcModel*, CvxMvcDefMsg* message)
{
    auto* compare = dynamic_cast<CvxCompareMessage*>(message);
    if (compare == nullptr) {
        return;
    }
    if (compare->GetType() == CvxCompareGetWindowsMessage::kType) {
        if (m_takesKeyboard) {
            static_cast<CvxCompareGetWindowsMessage*>(compare)->AddWindow(static_cast<QWidget*>(this));
        }
        return;
    }
    OnModelMessage(*compare);
}

void CvxComparePaneView::OnModelMessage(CvxCompareMessage&) {}
