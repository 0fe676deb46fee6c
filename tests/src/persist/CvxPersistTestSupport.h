#pragma once
// Shared pieces of the settings, command and setup tests: a fresh host per test (singletons
// reset, host base and log in a temp folder), labels made by a real data builder, and an
// observer that records what a model broadcasts.

#include "CvxDataBuilder.h"
#include "CvxDefObserver.h"
#include "CvxInfoDlg.h"
#include "CvxInfoMgr.h"
#include "CvxLabelMgr.h"
#include "CvxMvcDefMsg.h"
#include "CvxPersistenceSetup.h"
#include "CvxPlugInMgr.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxSystemMgr.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
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
        CvxInfoMgr::GetInstance().SetBasePath(m_dir.u16string());
        CvxInfoMgr::GetInstance().SetLogFilePath(m_dir / "log.txt");
    }
    void TearDown() override
    {
        ResetHost();
        std::filesystem::remove_all(m_dir);
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
    // Texts logged with this message type since the test began.
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
    // 8-bit bus labels of one table, made as a source makes them.
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

// Turns a setup that was written into one being loaded, from its root.
inline void CvxStartLoading(CvxPersistenceSetup& setup)
{
    setup.Rewind();
    setup.SetStoring(false);
}

// Writes one key at an element path of a setup (made where missing), then starts loading.
template <typename Value>
void CvxWriteAt(CvxPersistenceSetup& setup, const std::vector<std::u16string>& path, std::u16string_view key,
                const Value& value)
{
    setup.Rewind();
    setup.SetStoring(true);
    for (const std::u16string& tag : path) {
        setup.OpenTag(tag);
    }
    setup.Write(key, value);
    CvxStartLoading(setup);
}

class CvxMessageRecorder : public CvxDefObserver {
public:
    void Update(CvxMvcModel*, CvxMvcDefMsg* message) override
    {
        types.push_back(message->GetType());
    }
    std::vector<int> types;
};
