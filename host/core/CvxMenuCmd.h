#pragma once
// A menu command that a plug-in offers the host (GetMenuCmdList). Host commands carry the
// host's command number (edit, marker, navigation and keyboard commands) and no title; a
// plug-in's own commands carry a title and command number 0. The host calls Execute when the
// user chooses the command, and shows it greyed when it is disabled.
//
// Commands are reference counted: the maker holds the first reference, and whoever keeps a
// command beyond the call that listed it (a host's menu, a queued key) takes one of its own
// with AddRef. The last Release deletes the command, which is why nobody deletes one directly.

#include <string>
#include <utility>

class CvxMenuCmd {
public:
    CvxMenuCmd(int commandNumber, std::u16string title) : m_command(commandNumber), m_title(std::move(title)) {}
    CvxMenuCmd(const CvxMenuCmd&) = delete;
    CvxMenuCmd& operator=(const CvxMenuCmd&) = delete;

    int GetCommandNumber() const { return m_command; }
    const std::u16string& GetTitle() const { return m_title; }
    bool IsEnabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }

    virtual bool Execute() = 0;

    // Both answer the references left.
    int AddRef() { return ++m_references; }
    int Release()
    {
        const int left = --m_references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    virtual ~CvxMenuCmd() = default;

private:
    int m_command;
    std::u16string m_title;
    bool m_enabled = true;
    int m_references = 1;
};
