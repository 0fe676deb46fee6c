#pragma once
// Builds one table from the datafeed packets of one libsigrok device: a time label, one
// bus per definition, then one single-signal label per chosen logic channel. Sample rate
// (from the device or a meta packet) gives an even time base; a trigger packet sets the
// trigger row. Analog data is not read (a warning says so once).

#include "CvxDataBuilder.h"
#include "CvxSigrokBusDefinitions.h"

#include <cstdint>
#include <string>
#include <vector>

struct sr_dev_inst;
struct sr_datafeed_packet;

class CvxSigrokTableBuilder {
public:
    // Throws CvxSourceError when a bus names a channel the device does not have, or when
    // `channels` (empty: every logic channel) names one it does not have.
    CvxSigrokTableBuilder(CvxDataBuilder& builder, const sr_dev_inst* device, std::u16string tableName,
                          const std::vector<std::string>& channels, const std::vector<CvxSigrokBus>& buses,
                          std::vector<std::string>& warnings);

    void OnPacket(const sr_datafeed_packet& packet);
    // Sets the time base and trigger row.
    void Finish();
    std::int64_t GetSampleCount() const { return m_samples; }

private:
    struct Channel {
        CvxDataColumnComponent* column;
        int index; // bit of the logic sample
    };
    struct Bus {
        CvxDataColumnComponent* column;
        std::vector<int> bits; // logic sample bit of each bus bit
    };
    void AppendLogic(const std::uint8_t* data, std::uint64_t length, int unitSize);

    CvxDataTable* m_table;
    std::vector<std::string>& m_warnings;
    std::vector<Channel> m_channels;
    std::vector<Bus> m_buses;
    std::uint64_t m_sampleRate = 0;
    std::int64_t m_samples = 0;
    std::int64_t m_trigger = -1;
    bool m_warnedAnalog = false;
    bool m_warnedWide = false;
};
