#pragma once
// A menu command that a plug-in offers the host (GetMenuCmdList). Host commands carry the
// host's command number (edit, marker, navigation and keyboard commands) and no title; a
// plug-in's own commands carry a title and command number 0. The host calls Execute when the
// user chooses the command, and shows it greyed when it is disabled.

#include <string>
#include <utility>

class CvxMenuCmd {
public:
    CvxMenuCmd(int commandNumber, std::u16string title) : m_command(commandNumber), m_title(std::move(title)) {}
    CvxMenuCmd(const CvxMenuCmd&) = delete;
    CvxMenuCmd& operator=(const CvxMenuCmd&) = delete;
    virtual ~CvxMenuCmd() = default;

    int GetCommandNumber() const { return m_command; }
    const std::u16string& GetTitle() const { return m_title; }
    bool IsEnabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }

    virtual bool Execute() = 0;

private:
    int m_command;
    std::u16string m_title;
    bool m_enabled = true;
};
