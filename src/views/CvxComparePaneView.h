#pragma once
// A pane of the Compare window: a buffered viewport view that observes the window's compare
// model while it lives. Panes that take keyboard input list themselves when the model asks
// for the window list (focus cycling); panes of the centre column follow the grid's
// horizontal scrolling.

#include "CvxDefObserver.h"
#include "CvxViewportWidget.h"

class CvxMvcDefMsg;
class CvxCompareModel;

class CvxComparePaneView : public CvxViewportWidget, public CvxDefObserver {
    Q_OBJECT
public:
    CvxComparePaneView(CvxCompareModel& model, std::unique_ptr<CvxViewport> viewport,
                       std::unique_ptr<CvxController> controller, bool takesKeyboard, QWidget* parent);
    ~CvxComparePaneView() override;

    CvxCompareModel& GetModel() const { return m_model; }
    bool TakesKeyboard() const { return m_takesKeyboard; }

    // The pixel column shown at the pane's left edge.
    int GetHorizontalOrigin() const { return m_originX; }
    virtual void SetHorizontalOrigin(int x);

    void Update(CvxMvcModel* model, CvxMvcDefMsg* message) final;

protected:
    // Every message of the model (the typed messages and the commands it broadcasts) but the
    // window-list question, which the base answers.
    virtual void OnModelMessage(CvxMvcDefMsg& message);

private:
    CvxCompareModel& m_model;
    bool m_takesKeyboard;
    int m_originX = 0;
};
