#pragma once
// The standard command interface of a viewer tool: the tool interface plus the viewer
// interface's version and name and the tool's own interface name and version.

#include "CvxStdToolCmdIFace.h"

class CvxStdViewerToolCmdIFace : public CvxStdToolCmdIFace {
public:
    virtual int GetViewerIFaceVersion() const { return 1; }
    virtual std::u16string GetViewerIFaceName() const { return u"StandardViewerToolCommandIFace"; }
    virtual int GetToolIFaceVersion() const { return 0; }
    virtual std::u16string GetToolIFaceName() const = 0;
};
