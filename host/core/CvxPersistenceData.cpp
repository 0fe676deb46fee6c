#include "CvxPersistenceData.h"

CvxPersistenceData::CvxPersistenceData() = default;
CvxPersistenceData::CvxPersistenceData(CvxPersistenceData&&) noexcept = default;
CvxPersistenceData& CvxPersistenceData::operator=(CvxPersistenceData&&) noexcept = default;
CvxPersistenceData::~CvxPersistenceData() = default;

CvxPersistenceDataStream* CvxPersistenceData::CreateDataStream(std::u16string_view name, int mode)
{
    if (name.empty() || mode != kStreamWrite) {
        return nullptr;
    }
    if (const auto it = m_index.find(name); it != m_index.end()) {
        CvxPersistenceDataStream* stream = m_streams[it->second].get();
        stream->Clear();
        return stream;
    }
    m_index.emplace(std::u16string(name), m_streams.size());
    m_streams.push_back(std::make_unique<CvxPersistenceDataStream>(std::u16string(name)));
    return m_streams.back().get();
}

CvxPersistenceDataStream* CvxPersistenceData::GetDataStream(std::u16string_view name, int mode)
{
    const auto it = m_index.find(name);
    if (mode != kStreamRead || it == m_index.end()) {
        return nullptr;
    }
    CvxPersistenceDataStream* stream = m_streams[it->second].get();
    stream->SeekToBegin();
    return stream;
}

bool CvxPersistenceData::RemoveDataStream(std::u16string_view name)
{
    const auto it = m_index.find(name);
    if (it == m_index.end()) {
        return false;
    }
    m_streams.erase(m_streams.begin() + static_cast<std::ptrdiff_t>(it->second));
    m_index.clear();
    for (std::size_t i = 0; i < m_streams.size(); ++i) {
        m_index.emplace(m_streams[i]->GetName(), i);
    }
    return true;
}

std::size_t CvxPersistenceData::GetTotalBytes() const
{
    std::size_t total = 0;
    for (const auto& stream : m_streams) {
        total += stream->GetLength();
    }
    return total;
}

void CvxPersistenceData::Clear()
{
    m_streams.clear();
    m_index.clear();
}
