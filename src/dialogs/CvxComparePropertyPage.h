#pragma once
// "Window Properties" (template 3417) of the Compare Properties sheet: the window's colours,
// the centre rectangle, the font size (6 to 72 points), what the header shows, and the viewers
// locked to this one ("Lock to"). It edits a working copy of the display properties; a new
// font size or a display option is sent at once as a properties-changing message, so the
// other pages can preview it. The update hands the copy and the lock list to the model, only
// when something was changed.

#include "CvxPropertyPage.h"

#include <memory>
#include <vector>

class CvxCheckComboBox;
class CvxColorWellButton;
class CvxCompareModel;
class CvxCompareProperties;
class CvxIntegerEditCtrl;
class QCheckBox;
class QColor;
class QLabel;

class CvxComparePropertyPage : public CvxPropertyPage {
    Q_OBJECT
public:
    static constexpr int kTemplateID = 3417;
    enum EvxControl : int {
        kBackground = 19422,
        kFontSize = 19423,
        kShowBase = 19425,
        kShowTrigger = 19426,
        kShowMarkers = 19427,
        kCenterRectColor = 19437,
        kCenterRect = 19438,
        kCenterRectGroup = 19439,
        kCenterRectColorLabel = 19440,
        kShowActivity = 19441,
        kRefBackground = 19456,
        kDiffBackground = 19457,
        kDiffForeground = 19458,
        kNoRefBackground = 19489,
        kLockTo = 19490,
    };
    static constexpr int kFontMinimum = 6;
    static constexpr int kFontMaximum = 72;

    explicit CvxComparePropertyPage(CvxCompareModel& model, QWidget* parent = nullptr);
    ~CvxComparePropertyPage() override;

    const CvxCompareProperties& GetWorking() const { return *m_working; }
    // Hands the working properties (a properties command when any field differs) and the lock
    // list to the model when the page was changed.
    void UpdateModel();
    QString GetHelpTopic() const override;

protected:
    void OnInitDialog() override;

private:
    void ColorChanged(int id, const QColor& color);
    void CenterRectToggled(bool on);
    void DisplayOptionToggled(int id, bool on);
    // Takes the edit's size into the working copy and previews it.
    void FontStep();
    void SendPreview();

    CvxCompareModel& m_model;
    std::unique_ptr<CvxCompareProperties> m_working;
    std::vector<CvxColorWellButton*> m_wells;
    CvxIntegerEditCtrl* m_fontSize = nullptr;
    QCheckBox* m_centerRect = nullptr;
    QLabel* m_centerRectColorLabel = nullptr;
    CvxCheckComboBox* m_lockTo = nullptr;
};
