#pragma once
// The Compare viewer tool: the host's handle on one Compare window. It answers the host's
// plug-in interface (menus, host messages) and the standard command interface through which
// other tools and remote clients drive it, owns the menu commands and the messages they send,
// and hands everything that concerns data to the compare model of its document.

#include "CvxPlugInViewerBase.h"
#include "CvxStdViewerToolCmdIFace.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CvxCompareModel;
class CvxPrintCtrlBase;

class CvxCompare : public CvxPlugInViewerBase, public CvxStdViewerToolCmdIFace {
public:
    // The type identifier of the tool, which Create checks.
    static const char* const kTypeID;
    static constexpr int kResourceID = 3400;

    CvxCompare(const CvxID& nameID, const CvxID& instanceID, const CvxID& typeID, const CvxID& addInClassID,
               const CvxRuntimeClass* frameClass);
    ~CvxCompare() override;

    // ---- Plug-in interface ----
    CvxID GetInstanceID() const override;
    std::vector<CvxMenuCmd*> GetMenuCmdList(int menuKind) override;
    void OnHostMessage(CvxMessageBase& message) override;

    // ---- Standard command interface ----
    bool SetOptions(const std::u16string& request) override;
    bool ExecuteCommand(const std::u16string& command) override;
    bool GetDataWithArgs(const std::u16string& request, std::u16string& reply) override;
    bool GetDataValue(const std::u16string& command, std::u16string& reply) override;
    std::u16string GetLabelDescription(const CvxID& label) override;
    std::u16string GetToolIFaceName() const override { return u"CompareViewerTool"; }

    CvxCompareModel& GetModel() const;

    // The run-time classes the host makes the window's document and view from.
    static const CvxRuntimeClass_T<CvxDocument>& DocumentClass();
    static const CvxRuntimeClass* ViewClass();
    static void SetViewClass(const CvxRuntimeClass* viewClass);
    // What makes the tool's print controller: set by the window library, as the view class is
    // (a controller that draws). Without one the tool makes the window-free part
    // (CvxComparePrintCtrlCore). Either way the tool owns it and registers it with the host.
    using PrintCtrlFactory = std::function<std::unique_ptr<CvxPrintCtrlBase>(CvxCompareModel&, const CvxID&)>;
    static void SetPrintCtrlFactory(PrintCtrlFactory factory);
    CvxPrintCtrlBase* GetPrintCtrl() const override;

private:
    struct SvxImp;
    std::unique_ptr<SvxImp> m_imp;
};
