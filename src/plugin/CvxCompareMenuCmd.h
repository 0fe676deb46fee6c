#pragma once
// A host command of the Compare window (edit, marker, navigation and keyboard commands, by the
// host's command number): executing it sends its message to the compare model. Tab and
// reverse Tab instead move the keyboard focus between the panes that answer the get-windows
// message. Reference counting is the host command's (AddRef, Release).

#include "CvxMenuCmd.h"

#include <string>

class CvxCompareMessage;
class CvxCompareModel;

class CvxCompareMenuCmd : public CvxMenuCmd {
public:
    // Made with one reference, held by the maker. The message is not owned.
    CvxCompareMenuCmd(int hostCommand, CvxCompareModel& model, CvxCompareMessage* message);

    virtual const char* GetClassName() const { return "CvxCompareMenuCmd"; }
    // Always answers true.
    bool Execute() override;
    // The tool that made the command goes: a reference a host still holds then executes as a
    // command without a message, doing nothing.
    void Detach();

protected:
    // A titled command of the tool's own menu (host command number 0).
    CvxCompareMenuCmd(std::u16string title, CvxCompareModel& model, CvxCompareMessage* message);
    ~CvxCompareMenuCmd() override = default;
    // Sends the message, or moves the focus for Tab (145) and reverse Tab (146).
    void Send();

private:
    CvxCompareModel* m_model;
    CvxCompareMessage* m_message;
};
