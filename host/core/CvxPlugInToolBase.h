#pragma once
// A tool: a plug-in that works on the data of one input (a source or another tool).

#include "CvxPlugInBase.h"

class CvxPlugInToolBase : public CvxPlugInBase {
public:
    CvxPlugInToolBase(const CvxID& nameID, const CvxID& instanceID, const CvxID& typeID, const CvxID& addInClassID,
                      std::u16string name, int category = kPlugInCategoryTool)
        : CvxPlugInBase(category, nameID, instanceID, typeID, addInClassID, std::move(name))
    {
    }

    int GetNumInputs() const override { return 1; }
};
