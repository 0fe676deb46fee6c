#include "CvxCliHost.h"

#include "CvxCliArgs.h"
#include "CvxCliCapture.h"
#include "CvxInfoMgr.h"
#include "CvxPlugInBase.h"
#include "CvxStringConvert.h"
#include "CvxSystemMgr.h"

#include <csignal>
#include <ctime>
#include <pthread.h>

CvxCliHost::CvxCliHost()
{
    CvxSystemMgr& system = CvxSystemMgr::GetInstance();
    system.SetLabelProvider([this](const CvxID&) {
        if (!m_offered.empty()) {
            return m_offered;
        }
        std::vector<CvxID> labels;
        for (const CvxID& label : m_session.GetLabelsForTools()) {
            if (CvxCliCapture::IsBusLabel(label)) {
                labels.push_back(label);
            }
        }
        return labels;
    });
    system.SetStopRepetitiveRunHandler([this] {
        m_stoppedByRule = true;
        m_session.StopRepetitiveRun();
    });
    if (!m_session.LoadModule()) {
        throw CvxCliError(m_session.GetLastError() + " (set CVX_MODULE_PATH to the module's path)");
    }
}

CvxCliHost::~CvxCliHost()
{
    m_done = true;
    if (m_signals.joinable()) {
        m_signals.join();
    }
}

CvxCliTool CvxCliHost::AddTool()
{
    CvxPlugInBase* tool = m_session.AddCompareTool();
    CvxStdToolCmdIFace* iface = m_session.GetToolIFace(tool);
    if (iface == nullptr) {
        throw CvxCliError(m_session.GetLastError().empty() ? std::string("the Compare module made no tool")
                                                           : m_session.GetLastError());
    }
    return CvxCliTool(*iface);
}

void CvxCliHost::LoadSetup(const std::string& path)
{
    CvxInfoMgr& info = CvxInfoMgr::GetInstance();
    info.ClearRecentMessages();
    if (!m_session.LoadSetup(path)) {
        throw CvxCliError(m_session.GetLastError());
    }
    for (const CvxInfoMgr::Entry& entry : info.GetRecentMessages()) {
        if (entry.type == kMessageError) {
            throw CvxCliError(path + ": the setup is damaged: " + CvxStringConvert::ToUtf8(entry.text));
        }
    }
}

CvxCliTool CvxCliHost::GetTool(const std::string& what)
{
    CvxStdToolCmdIFace* iface = m_session.GetToolIFace(m_session.GetTool(0));
    if (iface == nullptr) {
        throw CvxCliError(what + ": holds no Compare tool");
    }
    return CvxCliTool(*iface);
}

void CvxCliHost::OnInterrupt(std::function<void()> stop)
{
    m_stop = std::move(stop);
    // The signals wait for this thread alone: blocked here before any other thread starts.
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    m_signals = std::thread([this, set] {
        const timespec pause{0, 100'000'000};
        while (!m_done.load()) {
            if (sigtimedwait(&set, nullptr, &pause) > 0) {
                m_stop();
            }
        }
    });
}
