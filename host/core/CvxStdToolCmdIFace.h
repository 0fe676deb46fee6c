#pragma once
// The standard command interface of a tool: how other tools, the host and remote clients
// drive it by name. Requests and replies are markup texts whose vocabulary each tool defines.
// The defaults answer "not supported" (false, empty).

#include "CvxID.h"

#include "CvxUInt.h"

#include <map>
#include <string>

class CvxStdToolCmdIFace {
public:
    // Answers of RenameLabel.
    static constexpr int kRenameDone = 0;
    static constexpr int kRenameEmptyName = 1;
    static constexpr int kRenameNameNotUnique = 2;

    CvxStdToolCmdIFace() = default;
    CvxStdToolCmdIFace(const CvxStdToolCmdIFace&) = default;
    CvxStdToolCmdIFace& operator=(const CvxStdToolCmdIFace&) = default;
    virtual ~CvxStdToolCmdIFace() = default;

    virtual int GetIFaceVersion() const { return 1; }
    virtual std::u16string GetIFaceName() const { return u"StandardToolCommandIFace"; }
    virtual CvxID GetInstanceID() const = 0;
    // Applies settings given as a markup request.
    virtual bool SetOptions(const std::u16string& request)
    {
        static_cast<void>(request);
        return false;
    }
    virtual bool ExecuteCommand(const std::u16string& command)
    {
        static_cast<void>(command);
        return false;
    }
    virtual bool GetDataWithArgs(const std::u16string& request, std::u16string& reply)
    {
        static_cast<void>(request);
        static_cast<void>(reply);
        return false;
    }
    virtual bool GetDataValue(const std::u16string& command, std::u16string& reply)
    {
        static_cast<void>(command);
        static_cast<void>(reply);
        return false;
    }
    // A description of a label the tool created (empty for labels it does not know).
    virtual std::u16string GetLabelDescription(const CvxID& label)
    {
        static_cast<void>(label);
        return {};
    }
    // Whether the tool renames labels it created, and the rename itself (kRename... answers).
    virtual bool CanRenameLabel(const CvxID& label) const
    {
        static_cast<void>(label);
        return false;
    }
    virtual int RenameLabel(const CvxID& label, const std::u16string& name)
    {
        static_cast<void>(label);
        static_cast<void>(name);
        return kRenameDone;
    }
    // Whether the tool keeps a symbol table (value -> name) for a label it created, and the
    // table's replacement (false when the tool takes no symbols for the label, or a value
    // does not fit it).
    virtual bool CanSetLabelSymbols(const CvxID& label) const
    {
        static_cast<void>(label);
        return false;
    }
    virtual bool SetLabelSymbols(const CvxID& label, const std::map<CvxUInt, std::u16string>& symbols)
    {
        static_cast<void>(label);
        static_cast<void>(symbols);
        return false;
    }
};
