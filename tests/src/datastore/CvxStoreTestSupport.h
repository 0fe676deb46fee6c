#pragma once
// Shared pieces of the store tests: a fresh host base directory per test (the paging files
// go there), values of every element type, and reading back what a store holds.

#include "CvxCompareDataSource.h"
#include "CvxCompareElement.h"
#include "CvxInfoMgr.h"
#include "CvxStringConvert.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include <unistd.h>

class CvxStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/cvx-store-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
        CvxInfoMgr::GetInstance().Reset();
        CvxInfoMgr::GetInstance().SetBasePath(CvxStringConvert::FromUtf8(m_dir.string()));
        CvxInfoMgr::GetInstance().SetLogFilePath(m_dir / "log.txt");
    }
    void TearDown() override
    {
        CvxInfoMgr::GetInstance().Reset();
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }

    // Paging files now in the base directory.
    std::vector<std::filesystem::path> PagingFiles() const
    {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir)) {
            if (entry.path().extension() == ".tmp") {
                files.push_back(entry.path());
            }
        }
        return files;
    }
    // Error lines logged since the test began that contain `word`.
    static int LoggedErrors(const std::u16string& word)
    {
        int n = 0;
        for (const auto& e : CvxInfoMgr::GetInstance().GetRecentMessages()) {
            n += e.type == kMessageError && e.text.find(word) != std::u16string::npos ? 1 : 0;
        }
        return n;
    }

    std::filesystem::path m_dir;
};

// The i-th test value of an element type, as it enters a store.
template <typename T>
CvxUInt TestNumber(std::int64_t i)
{
    const auto x = static_cast<std::uint64_t>(i) * 0x9E3779B97F4A7C15ULL + 1;
    if constexpr (std::is_same_v<T, CvxUInt>) {
        return CvxUInt(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(x >> 32), static_cast<std::uint32_t>(i),
                       0xA5000000U + static_cast<std::uint32_t>(i));
    } else if constexpr (std::is_same_v<T, std::uint64_t>) {
        return CvxUInt(x);
    } else if constexpr (CvxCompareElement<T>::kIsFourState) {
        // Value and X/Z mask at the element's own width: both must come back whole.
        using U = decltype(T::value);
        const std::uint64_t keep = sizeof(U) == 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * sizeof(U))) - 1;
        return CvxUInt::FourState(x & keep, (x >> 3) & keep);
    } else {
        return CvxUInt(x & ((std::uint64_t{1} << (8 * sizeof(T))) - 1));
    }
}

inline std::u16string TestString(std::int64_t i)
{
    std::u16string s = u"v" + CvxStringConvert::FromUtf8(std::to_string(i));
    s.append(static_cast<std::size_t>(i % 5), static_cast<char16_t>(u'a' + i % 26));
    return s;
}

// Reads the value at an iterator's cursor as text, whatever the element type.
template <typename T>
std::string ValueText(CvxCompareDataSourceIter& it)
{
    if constexpr (std::is_same_v<T, std::u16string>) {
        std::u16string s;
        EXPECT_TRUE(it.GetValue(s));
        return CvxStringConvert::ToUtf8(s);
    } else {
        CvxUInt v;
        it.GetValue(v);
        return std::to_string(v.GetWord(3)) + ":" + std::to_string(v.GetWord(2)) + ":" + std::to_string(v.Low64());
    }
}

template <typename T>
std::string ExpectedText(std::int64_t i)
{
    if constexpr (std::is_same_v<T, std::u16string>) {
        return CvxStringConvert::ToUtf8(TestString(i));
    } else {
        const CvxUInt v = TestNumber<T>(i);
        return std::to_string(v.GetWord(3)) + ":" + std::to_string(v.GetWord(2)) + ":" + std::to_string(v.Low64());
    }
}

struct CvxIterDeleter {
    void operator()(CvxCompareDataSourceIter* it) const { delete it; }
};
using CvxIterPtr = std::unique_ptr<CvxCompareDataSourceIter, CvxIterDeleter>;
