#include "CvxAcquisitionSource.h"

#include "CvxBase.h"

#include <new>

CvxAcquisitionSource::CvxAcquisitionSource() : m_instance(CvxID::New()) {}

CvxAcquisitionSource::~CvxAcquisitionSource() = default;

std::shared_ptr<CvxData> CvxAcquisitionSource::Acquire()
{
    m_error.clear();
    m_warnings.clear();
    std::shared_ptr<CvxData> data;
    try {
        data = DoAcquire(m_runs);
    } catch (const std::bad_alloc&) {
        m_error = "out of memory while acquiring";
    } catch (const std::exception& e) {
        m_error = e.what();
    }
    if (m_turns != nullptr) {
        m_turns->Leave(m_turnMember);
    }
    if (!data) {
        if (m_error.empty()) {
            m_error = "the source gave no data";
        }
        return nullptr;
    }
    m_offered.clear();
    for (std::size_t t = 0; t < data->GetTableCount(); ++t) {
        const CvxDataTable& table = data->GetTable(t);
        for (std::size_t c = 0; c < table.GetColumnCount(); ++c) {
            m_offered.push_back(table.GetColumn(c).GetLabelID());
        }
    }
    ++m_runs;
    return data;
}

CvxPatternModel CvxAcquisitionSource::MakeTriggerPattern(const CvxID& label, int width, CvxUInt128 value, CvxUInt128 care)
{
    CvxPatternModel hex(CvxLabelChannel(label), width, width == 1 ? kBaseBinary : kBaseHex);
    if (hex.SetBits(value, care)) {
        return hex;
    }
    CvxPatternModel binary(CvxLabelChannel(label), width, kBaseBinary);
    binary.SetBits(value, care);
    return binary;
}

std::string CvxAcquisitionSource::UnknownOption(std::string_view key, const std::string& what) const
{
    std::string keys;
    for (const CvxSourceOption& option : GetOptions()) {
        keys += (keys.empty() ? "" : ", ") + option.key;
    }
    return "unknown option '" + std::string(key) + "' of " + what + " (" + keys + ")";
}
