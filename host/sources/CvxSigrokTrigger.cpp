#include "CvxSigrokTrigger.h"

#include "CvxAcquisitionSource.h"
#include "CvxSigrokContext.h"

#include <libsigrok/libsigrok.h>

#include <memory>

bool CvxSigrokTrigger::Parse(std::string_view text, const std::vector<CvxSigrokBus>& buses, std::string& error)
{
    if (text.empty()) {
        m_text.clear();
        m_matches.clear();
        return true;
    }
    const std::size_t eq = text.find('=');
    const std::string name(text.substr(0, eq));
    std::string_view digits = eq == std::string_view::npos ? std::string_view() : text.substr(eq + 1);
    if (digits.size() > 2 && (digits.substr(0, 2) == "0b" || digits.substr(0, 2) == "0B")) {
        digits.remove_prefix(2);
    }
    if (name.empty() || digits.empty()) {
        error = "trigger: expected NAME=0bDIGITS (binary digits and X), found '" + std::string(text) + "'";
        return false;
    }
    std::vector<std::string> channels{name};
    for (const CvxSigrokBus& bus : buses) {
        if (bus.name == name) {
            channels = bus.channels;
        }
    }
    if (digits.size() > channels.size()) {
        error = "trigger: " + name + " has " + std::to_string(channels.size()) + " bits, the pattern "
                + std::to_string(digits.size()) + " digits";
        return false;
    }
    std::vector<std::pair<std::string, bool>> matches;
    for (std::size_t bit = 0; bit < channels.size(); ++bit) {
        const char digit = bit < digits.size() ? digits[digits.size() - 1 - bit] : '0';
        if (digit == 'X' || digit == 'x') {
            continue;
        }
        if (digit != '0' && digit != '1') {
            error = "trigger: '" + std::string(1, digit) + "' is no binary digit or X in '" + std::string(text) + "'";
            return false;
        }
        matches.emplace_back(channels[bit], digit == '1');
    }
    m_text = std::string(text);
    m_matches = std::move(matches);
    return true;
}

bool CvxSigrokTrigger::DeviceHasTrigger(const sr_dev_inst* device)
{
    GVariant* list = nullptr;
    auto* sdi = const_cast<sr_dev_inst*>(device);
    if (sr_config_list(sr_dev_inst_driver_get(sdi), sdi, nullptr, SR_CONF_TRIGGER_MATCH, &list) != SR_OK || list == nullptr) {
        return false;
    }
    gsize count = 0;
    const auto* matches = static_cast<const std::int32_t*>(g_variant_get_fixed_array(list, &count, sizeof(std::int32_t)));
    bool zero = false;
    bool one = false;
    for (gsize i = 0; i < count; ++i) {
        zero = zero || matches[i] == SR_TRIGGER_ZERO;
        one = one || matches[i] == SR_TRIGGER_ONE;
    }
    g_variant_unref(list);
    return zero && one;
}

sr_trigger* CvxSigrokTrigger::Make(const sr_dev_inst* device) const
{
    if (m_matches.empty()) {
        return nullptr;
    }
    std::unique_ptr<sr_trigger, void (*)(sr_trigger*)> trigger(sr_trigger_new("cvx"), &sr_trigger_free);
    sr_trigger_stage* stage = sr_trigger_stage_add(trigger.get());
    for (const auto& [name, level] : m_matches) {
        sr_channel* found = nullptr;
        for (GSList* l = sr_dev_inst_channels_get(const_cast<sr_dev_inst*>(device)); l != nullptr; l = l->next) {
            auto* channel = static_cast<sr_channel*>(l->data);
            if (channel->type == SR_CHANNEL_LOGIC && channel->enabled && name == channel->name) {
                found = channel;
            }
        }
        if (found == nullptr) {
            throw CvxSourceError("trigger: the device has no enabled logic channel '" + name + "'");
        }
        sr_trigger_match_add(stage, found, level ? SR_TRIGGER_ONE : SR_TRIGGER_ZERO, 0);
    }
    return trigger.release();
}
