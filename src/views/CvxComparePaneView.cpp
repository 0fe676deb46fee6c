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
    if (message == nullptr) {
        return;
    }
    if (message->GetType() == CvxCompareGetWindowsMessage::kType) {
        if (auto* windows = dynamic_cast<CvxCompareGetWindowsMessage*>(message); windows != nullptr && m_takesKeyboard) {
            windows->AddWindow(static_cast<QWidget*>(this));
        }
        return;
    }
    OnModelMessage(*message);
}

void CvxComparePaneView::OnModelMessage(CvxMvcDefMsg&) {}
