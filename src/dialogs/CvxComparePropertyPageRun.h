#pragma once
// "Difference Properties" (template 3432) of the Compare Properties sheet: the run-until rule
// (compare until N or more differences are found, then stop comparing, stop the repetitive run
// and/or send the e-mail), on a working copy. Its update always hands the copy to the model,
// which keeps it only when it differs (not as an undoable change) and then compares again.

#include "CvxPropertyPage.h"

#include <memory>

class CvxCompareModel;
class CvxCompareRunUntil;
class CvxCompareRunUntilControls;

class CvxComparePropertyPageRun : public CvxPropertyPage {
    Q_OBJECT
public:
    static constexpr int kTemplateID = 3432;

    explicit CvxComparePropertyPageRun(CvxCompareModel& model, QWidget* parent = nullptr);
    ~CvxComparePropertyPageRun() override;

    const CvxCompareRunUntil& GetWorking() const { return *m_working; }
    // False, and nothing handed over, when the number typed is refused.
    bool UpdateModel();

protected:
    void OnInitDialog() override;

private:
    CvxCompareModel& m_model;
    std::unique_ptr<CvxCompareRunUntil> m_working;
    CvxCompareRunUntilControls* m_controls = nullptr;
};
