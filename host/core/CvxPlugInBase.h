#pragma once
// The host's handle on a plug-in (a source, tool or viewer), in its slot order. Modules make
// their plug-ins through their exported Create; the host drives them through these
// operations and deletes them when done. A plug-in registered with the plug-in manager is
// removed from it when it is destroyed.

#include "CvxID.h"

#include <memory>
#include <string>
#include <vector>

class CvxData;
class CvxMenuCmd;
class CvxMessageBase;
class CvxPrintCtrlBase;

enum EvxPlugInCategory : int {
    kPlugInCategorySource = 1,
    kPlugInCategoryTool = 2,
    kPlugInCategoryViewer = 3,
};

class CvxPlugInBase {
public:
    CvxPlugInBase(int category, const CvxID& nameID, const CvxID& instanceID, const CvxID& typeID,
                  const CvxID& addInClassID, std::u16string name);
    CvxPlugInBase(const CvxPlugInBase&) = delete;
    CvxPlugInBase& operator=(const CvxPlugInBase&) = delete;
    virtual ~CvxPlugInBase();

    // An empty name is refused. The plug-in manager's record follows.
    virtual bool SetName(std::u16string name);
    virtual std::u16string GetName() const { return m_name; }
    virtual CvxID GetInstanceID() const { return m_instance; }
    virtual CvxID GetTypeID() const { return m_type; }
    virtual CvxID GetAddInClassID() const { return m_addInClass; }
    virtual int GetNumInputs() const { return 0; }
    virtual int GetNumOutputs() const { return 0; }
    virtual bool IsDeletable() const { return true; }
    // The tool's print controller, which the host's print framework asks; null for a tool
    // that does not print.
    virtual CvxPrintCtrlBase* GetPrintCtrl() const { return nullptr; }
    // The plug-in's commands for one of the host's menu kinds (none by default).
    virtual std::vector<CvxMenuCmd*> GetMenuCmdList(int menuKind);
    // Runs a host message through OnHostMessage; answers true.
    virtual bool Execute(CvxMessageBase& message);
    virtual std::shared_ptr<CvxData> GetData() const { return m_data; }
    // Host messages; the default ignores them all.
    virtual void OnHostMessage(CvxMessageBase& message);
    virtual void SetData(std::shared_ptr<CvxData> data) { m_data = std::move(data); }

    int GetCategory() const { return m_category; }
    const CvxID& GetNameID() const { return m_nameID; }

private:
    int m_category;
    CvxID m_nameID;
    CvxID m_instance;
    CvxID m_type;
    CvxID m_addInClass;
    std::u16string m_name;
    std::shared_ptr<CvxData> m_data;
};
