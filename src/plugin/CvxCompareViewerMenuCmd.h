#pragma once
// A named entry of the Compare tool's own menu ("Copy...", "Range && Offset...", "Next
// Difference", "Previous Difference"): executing it sends its message to the model.

#include "CvxCompareMenuCmd.h"

#include <string>

class CvxCompareViewerMenuCmd : public CvxCompareMenuCmd {
public:
    CvxCompareViewerMenuCmd(std::u16string title, std::u16string category, CvxCompareModel& model,
                            CvxCompareMessage* message);

    const char* GetClassName() const override { return "CvxCompareViewerMenuCmd"; }
    const std::u16string& GetDisplayName() const { return GetTitle(); }
    const std::u16string& GetCategoryName() const { return m_category; }

protected:
    ~CvxCompareViewerMenuCmd() override = default;

private:
    std::u16string m_category;
};

inline CvxCompareViewerMenuCmd::CvxCompareViewerMenuCmd(std::u16string title, std::u16string category,
                                                        CvxCompareModel& model, CvxCompareMessage* message)
    : CvxCompareMenuCmd(std::move(title), model, message), m_category(std::move(category))
{
}
