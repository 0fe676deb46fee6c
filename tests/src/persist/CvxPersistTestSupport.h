#pragma once
// Shared pieces of the settings and command tests: a fresh host per test (singletons reset,
// host base and log in a temp folder), labels made by a real data builder, setups written by
// hand, and an observer that records the message types a model broadcasts.

#include "CvxDataBuilder.h"
#include "CvxDefObserver.h"
#include "CvxInfoDlg.h"
#include "CvxInfoMgr.h"
#include "CvxLabelMgr.h"
#include "CvxMvcDefMsg.h"
#include "CvxPersistenceSetup.h"
#include "CvxPlugInMgr.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStringConvert.h"
#include "CvxSystemMgr.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

class CvxPersistTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/cvx-persist-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
        ResetHost();
        CvxInfoMgr::GetInstance().SetBasePath(CvxStringConvert::FromUtf8(m_dir.string()));
        CvxInfoMgr::GetInstance().SetLogFilePath(m_dir / "log.txt");
    }
    void TearDown() override
    {
        ResetHost();
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    static void ResetHost()
    {
        CvxLabelMgr::GetInstance().Clear();
        CvxSystemMgr::GetInstance().Reset();
        CvxStdCmdIFaceMgr::GetInstance().Reset();
        CvxPlugInMgr::GetInstance().Reset();
        CvxInfoMgr::GetInstance().Reset();
        CvxInfoDlg::SetHook({});
    }

    // Logged texts of one message type since the test began.
    static std::vector<std::u16string> Logged(int type)
    {
        std::vector<std::u16string> texts;
        for (const auto& e : CvxInfoMgr::GetInstance().GetRecentMessages()) {
            if (e.type == type) {
                texts.push_back(e.text);
            }
        }
        return texts;
    }

    // Bus labels of one table, made the way a source makes them; answers their identifiers.
    static std::vector<CvxID> MakeLabels(const std::vector<std::u16string>& names, const CvxID& creator = CvxID())
    {
        CvxDataBuilder builder(creator);
        CvxDataTable& table = builder.AddTable(u"Module");
        std::vector<CvxID> ids;
        for (const std::u16string& name : names) {
            ids.push_back(builder.GetLabel(builder.AddBus(table, name, 8)).GetID());
        }
        builder.Finish();
        return ids;
    }

    std::filesystem::path m_dir;
};

// Opens a path of nested tags of a storing setup (and leaves them open).
inline void CvxOpenPath(CvxPersistenceSetup& setup, const std::vector<std::u16string>& tags)
{
    for (const std::u16string& tag : tags) {
        ASSERT_TRUE(setup.OpenTag(tag));
    }
}

// Turns a setup written by hand into one being loaded, from its root.
inline void CvxStartLoading(CvxPersistenceSetup& setup)
{
    setup.Rewind();
    setup.SetStoring(false);
}

class CvxMessageRecorder : public CvxDefObserver {
public:
    void Update(CvxMvcModel*, CvxMvcDefMsg* message) override
    {
        types.push_back(message->GetType());
        if (onMessage) {
            onMessage(*message);
        }
    }
    std::vector<int> types;
    std::function<void(CvxMvcDefMsg&)> onMessage;
};
