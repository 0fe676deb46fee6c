#pragma once
// The binary side of a setup: named data streams, kept in the order they were made. A tool
// makes a stream for writing with CreateDataStream(name, kStreamWrite) and reads one back
// with GetDataStream(name, kStreamRead). The container owns its streams; the pointers it
// hands out stay valid until the stream is removed or the container is cleared or destroyed.

#include "CvxPersistenceDataStream.h"

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CvxPersistenceData {
public:
    static constexpr int kStreamRead = 1;
    static constexpr int kStreamWrite = 2;

    CvxPersistenceData();
    CvxPersistenceData(CvxPersistenceData&&) noexcept;
    CvxPersistenceData& operator=(CvxPersistenceData&&) noexcept;
    ~CvxPersistenceData();

    // An empty stream for writing; a stream of that name is emptied and handed out again.
    // Null for an empty name or a mode other than kStreamWrite.
    CvxPersistenceDataStream* CreateDataStream(std::u16string_view name, int mode);
    // The stream rewound for reading; null when absent or for a mode other than kStreamRead.
    CvxPersistenceDataStream* GetDataStream(std::u16string_view name, int mode);
    bool HasDataStream(std::u16string_view name) const { return m_index.find(name) != m_index.end(); }
    bool RemoveDataStream(std::u16string_view name);

    std::size_t GetStreamCount() const { return m_streams.size(); }
    const CvxPersistenceDataStream& GetStream(std::size_t i) const { return *m_streams[i]; }
    std::size_t GetTotalBytes() const;
    void Clear();

private:
    std::vector<std::unique_ptr<CvxPersistenceDataStream>> m_streams;
    std::map<std::u16string, std::size_t, std::less<>> m_index;
};
