#pragma once
// The "Options" page (template 3420) the Compare viewer adds to the print dialog: whether
// every page shows the bus/signal information, and the four margins in inches. The margins
// are shown with two decimals; Apply reads them back from the edits' text (text that does not
// read as a number is 0) without checking them.

#include "CvxPrintOptionsPage.h"

#include <array>

class CvxNumericEditCtrl;
class QCheckBox;
struct CvxComparePrintSettings;

class CvxComparePrintOptionsPage : public CvxPrintOptionsPage {
public:
    static constexpr int kTemplate = 3420;
    static constexpr int kBusGroup = 19478;
    static constexpr int kEveryPage = 19444;
    static constexpr int kMarginsGroup = 19487;
    // Left, right, top, bottom: the edit and its label.
    static constexpr std::array<int, 4> kMarginEdits{19479, 19482, 19480, 19481};
    static constexpr std::array<int, 4> kMarginLabels{19483, 19484, 19485, 19486};

    explicit CvxComparePrintOptionsPage(CvxComparePrintSettings& settings, QWidget* parent = nullptr);

    void Apply() override;

private:
    CvxComparePrintSettings& m_settings;
    QCheckBox* m_everyPage = nullptr;
    std::array<CvxNumericEditCtrl*, 4> m_margins{};
};
