#include "CvxSigrokTableBuilder.h"

#include "CvxAcquisitionSource.h"
#include "CvxStringConvert.h"

#include <algorithm>
#include <cstring>
#include <libsigrok/libsigrok.h>

CvxSigrokTableBuilder::CvxSigrokTableBuilder(CvxDataBuilder& builder, const sr_dev_inst* device,
                                             std::u16string tableName, const std::vector<std::string>& channels,
                                             const std::vector<CvxSigrokBus>& buses, std::vector<std::string>& warnings)
    : m_warnings(warnings)
{
    struct Logic {
        std::string name;
        int index;
    };
    std::vector<Logic> logic;
    for (GSList* l = sr_dev_inst_channels_get(device); l != nullptr; l = l->next) {
        const auto* ch = static_cast<const sr_channel*>(l->data);
        if (ch->type == SR_CHANNEL_LOGIC && ch->index >= 128) {
            warnings.push_back(std::string("logic channel ") + ch->name + " lies beyond the first 128 and is not read");
        } else if (ch->type == SR_CHANNEL_LOGIC) {
            logic.push_back({ch->name, ch->index});
        }
    }
    const auto find = [&](const std::string& name) {
        return std::find_if(logic.begin(), logic.end(), [&](const Logic& l) { return l.name == name; });
    };
    for (const std::string& name : channels) {
        if (find(name) == logic.end()) {
            throw CvxSourceError("the device has no logic channel named '" + name + "'");
        }
    }
    for (const CvxSigrokBus& bus : buses) {
        if (find(bus.name) != logic.end()) {
            throw CvxSourceError("bus " + bus.name + ": the name is also the name of a channel");
        }
        for (const std::string& name : bus.channels) {
            if (find(name) == logic.end()) {
                throw CvxSourceError("bus " + bus.name + ": the device has no logic channel named '" + name + "'");
            }
        }
    }
    m_table = &builder.AddTable(std::move(tableName));
    builder.AddTime(*m_table);
    for (const CvxSigrokBus& bus : buses) {
        Bus planned{&builder.AddBus(*m_table, CvxStringConvert::FromUtf8(bus.name), static_cast<int>(bus.channels.size())), {}};
        std::vector<std::u16string> channelNames;
        for (const std::string& name : bus.channels) {
            planned.bits.push_back(find(name)->index);
            channelNames.push_back(CvxStringConvert::FromUtf8(name));
        }
        builder.GetLabel(*planned.column).SetChannelNames(std::move(channelNames));
        m_buses.push_back(std::move(planned));
    }
    std::vector<std::string> used;
    for (const CvxSigrokBus& bus : buses) {
        used.push_back(bus.name);
    }
    for (const Logic& l : logic) {
        if (!channels.empty() && std::find(channels.begin(), channels.end(), l.name) == channels.end()) {
            continue;
        }
        // Files may name two channels alike; each still gets its own label.
        std::string name = l.name;
        for (int n = 2; std::find(used.begin(), used.end(), name) != used.end(); ++n) {
            name = l.name + " (" + std::to_string(n) + ")";
        }
        if (name != l.name) {
            warnings.push_back("two channels are named '" + l.name + "'; channel " + std::to_string(l.index)
                               + " is shown as '" + name + "'");
        }
        used.push_back(name);
        m_channels.push_back({&builder.AddBus(*m_table, CvxStringConvert::FromUtf8(name), 1), l.index});
    }
    GVariant* rate = nullptr;
    if (sr_config_get(sr_dev_inst_driver_get(device), device, nullptr, SR_CONF_SAMPLERATE, &rate) == SR_OK && rate != nullptr) {
        m_sampleRate = g_variant_get_uint64(rate);
        g_variant_unref(rate);
    }
}

void CvxSigrokTableBuilder::AppendLogic(const std::uint8_t* data, std::uint64_t length, int unitSize)
{
    if (unitSize <= 0) {
        return;
    }
    const int used = std::min(unitSize, 16);
    if (used < unitSize && !m_warnedWide) {
        m_warnedWide = true;
        m_warnings.push_back("logic samples wider than 128 channels: channels above 128 are not read");
    }
    const std::uint64_t count = length / static_cast<std::uint64_t>(unitSize);
    for (std::uint64_t s = 0; s < count; ++s) {
        CvxUInt128 sample = 0;
        std::memcpy(&sample, data + s * static_cast<std::uint64_t>(unitSize), static_cast<std::size_t>(used));
        for (const Bus& bus : m_buses) {
            CvxUInt128 value = 0;
            for (std::size_t b = 0; b < bus.bits.size(); ++b) {
                value |= ((sample >> bus.bits[b]) & 1U) << b;
            }
            bus.column->Append(CvxUInt::FromU128(value));
        }
        for (const Channel& ch : m_channels) {
            ch.column->Append(static_cast<std::uint64_t>((sample >> ch.index) & 1U));
        }
    }
    m_samples += static_cast<std::int64_t>(count);
}

void CvxSigrokTableBuilder::OnPacket(const sr_datafeed_packet& packet)
{
    switch (packet.type) {
    case SR_DF_LOGIC: {
        const auto* logic = static_cast<const sr_datafeed_logic*>(packet.payload);
        AppendLogic(static_cast<const std::uint8_t*>(logic->data), logic->length, logic->unitsize);
        break;
    }
    case SR_DF_META: {
        const auto* meta = static_cast<const sr_datafeed_meta*>(packet.payload);
        for (GSList* l = meta->config; l != nullptr; l = l->next) {
            const auto* config = static_cast<const sr_config*>(l->data);
            if (config->key == SR_CONF_SAMPLERATE) {
                m_sampleRate = g_variant_get_uint64(config->data);
            }
        }
        break;
    }
    case SR_DF_TRIGGER:
        if (m_trigger < 0) {
            m_trigger = m_samples;
        }
        break;
    case SR_DF_ANALOG:
        if (!m_warnedAnalog) {
            m_warnedAnalog = true;
            m_warnings.push_back("analog channel data is not read; only logic channels become labels");
        }
        break;
    default:
        break;
    }
}

void CvxSigrokTableBuilder::Finish()
{
    CvxInt128 period = CvxTime::kNs;
    if (m_sampleRate > 0) {
        period = std::max<CvxInt128>(1, (CvxTime::kS + m_sampleRate / 2) / m_sampleRate);
    } else {
        m_warnings.push_back("no sample rate is known; samples are taken as 1 ns apart");
    }
    m_table->SetUniformTimeBase(CvxTime(period));
    m_table->SetTriggerRow(std::max<std::int64_t>(0, m_trigger));
}
