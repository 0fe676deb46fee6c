#pragma once
// The bar of buttons above the Compare window's splitter (template 3423): "<<" and ">>" step
// to the previous and next difference, "Copy..." chooses what goes into the reference buffer,
// "Range & Offset..." sets the compare range and the reference offset, and "Run Until..." the
// rule that acts once enough differences are found. Each button is enabled only while its
// action makes sense (recomputed on centre moves, new data and new comparisons). The same
// actions asked for from menus and keys (the model's command messages) are posted to the bar
// and run from the event loop as a click would; Enter and Escape never close it.

#include "CvxDefObserver.h"

#include <QWidget>

class CvxButton;
class CvxCompareModel;

class CvxCompareControlsDlg : public QWidget, public CvxDefObserver {
    Q_OBJECT
public:
    static constexpr int kTemplateID = 3423;
    static constexpr int kHeightDialogUnits = 18;
    enum Button { kPrevious = 19448, kNext = 19449, kCopy = 19450, kRangeAndOffset = 19460, kRunUntil = 19469 };

    CvxCompareControlsDlg(CvxCompareModel& model, QWidget* parent);
    ~CvxCompareControlsDlg() override;

    QSize sizeHint() const override;
    void Update(CvxMvcModel* model, CvxMvcDefMsg* message) override;
    // Enables the buttons as the model's state allows.
    void UpdateStates();
    CvxButton* GetButton(int id) const;

protected:
    void customEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The action of a button (a click, or a command message posted to the bar).
    void Dispatch(int id);
    void Post(int id);
    void RunUntil();

    CvxCompareModel& m_model;
};
