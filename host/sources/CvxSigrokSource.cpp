#include "CvxSigrokSource.h"

#include "CvxDataBuilder.h"
#include "CvxLabelMgr.h"
#include "CvxPatternModel.h"
#include "CvxSigrokContext.h"
#include "CvxSigrokTableBuilder.h"
#include "CvxSourceText.h"
#include "CvxStringConvert.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <fcntl.h>
#include <libsigrok/libsigrok.h>
#include <memory>
#include <unistd.h>

// One acquisition's libsigrok session and the tables its devices fill.
struct CvxSigrokSource::Session {
    Session(CvxDataBuilder& b, std::u16string name, const std::vector<std::string>& ch, const std::vector<CvxSigrokBus>& bu)
        : builder(b), tableName(std::move(name)), channels(ch), buses(bu)
    {
    }
    ~Session()
    {
        if (session != nullptr) {
            sr_session_datafeed_callback_remove_all(session);
            sr_session_destroy(session);
        }
        if (trigger != nullptr) {
            sr_trigger_free(trigger);
        }
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    static void Feed(const sr_dev_inst* device, const sr_datafeed_packet* packet, void* data)
    {
        auto* self = static_cast<Session*>(data);
        if (!self->error.empty() || packet == nullptr) {
            return;
        }
        try {
            self->TableFor(device).OnPacket(*packet);
        } catch (const std::exception& e) {
            self->error = e.what();
        }
    }
    CvxSigrokTableBuilder& TableFor(const sr_dev_inst* device)
    {
        for (auto& [d, table] : tables) {
            if (d == device) {
                return *table;
            }
        }
        std::u16string name = tableName;
        if (!tables.empty()) {
            name += u" " + CvxStringConvert::FromUtf8(std::to_string(tables.size() + 1));
        }
        tables.emplace_back(device, std::make_unique<CvxSigrokTableBuilder>(builder, device, name, channels, buses, warnings));
        return *tables.back().second;
    }
    void Listen()
    {
        CvxSigrokContext& context = CvxSigrokContext::Get();
        if (session == nullptr) {
            const int result = sr_session_new(context.Raw(), &session);
            if (result != SR_OK) {
                throw CvxSourceError("libsigrok cannot make a session: " + context.Explain(result));
            }
        }
        sr_session_datafeed_callback_add(session, &Session::Feed, this);
    }
    void Run(const std::string& what)
    {
        CvxSigrokContext& context = CvxSigrokContext::Get();
        int result = sr_session_start(session);
        if (result == SR_OK) {
            result = sr_session_run(session);
        }
        if (result != SR_OK) {
            throw CvxSourceError(what + ": libsigrok could not run the acquisition: " + context.Explain(result));
        }
    }

    CvxDataBuilder& builder;
    std::u16string tableName;
    const std::vector<std::string>& channels;
    const std::vector<CvxSigrokBus>& buses;
    sr_session* session = nullptr;
    sr_trigger* trigger = nullptr; // the device's trigger, freed after the session
    std::vector<std::pair<const sr_dev_inst*, std::unique_ptr<CvxSigrokTableBuilder>>> tables;
    std::vector<std::string> warnings;
    std::string error;
};

namespace {

void CheckReadable(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        throw CvxSourceError(path + ": cannot open the file: " + std::strerror(errno));
    }
    ::close(fd);
}

std::u16string FileName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return CvxStringConvert::FromUtf8(slash == std::string::npos ? path : path.substr(slash + 1));
}

// Closes an opened device however the acquisition ends.
struct OpenDevice {
    sr_dev_inst* device = nullptr;
    ~OpenDevice()
    {
        if (device != nullptr) {
            sr_dev_close(device);
        }
    }
};

void FreeConfig(gpointer data)
{
    auto* config = static_cast<sr_config*>(data);
    g_variant_unref(config->data);
    g_free(config);
}

} // namespace

std::vector<CvxSourceOption> CvxSigrokSource::GetOptions() const
{
    std::string channels;
    for (const std::string& c : m_channels) {
        channels += (channels.empty() ? "" : ",") + c;
    }
    return {
        {"device", m_device, "connection spec DRIVER[:KEY=VALUE...], such as demo or fx2lafw:conn=1.5"},
        {"samplerate", m_sampleRate == 0 ? "" : std::to_string(m_sampleRate), "device sample rate in Hz (k, M, G allowed)"},
        {"samples", m_samples == 0 ? "" : std::to_string(m_samples), "device sample count"},
        {"session", m_session, "path of a .sr session file"},
        {"input", m_input, "path of a file for a libsigrok input module"},
        {"format", m_format, "input module (csv, binary, ...); empty: detected from the file"},
        {"input_options", m_inputOptions, "input module options KEY=VALUE separated by ':'"},
        {"channels", channels, "logic channels to read, comma-separated; empty: all"},
        {"buses", GetBusDefinitions(), "bus definitions NAME=CHANNELS separated by ';' (ADDR=D0-D7,D9)"},
        {"table", m_table, "name of the table; empty: the driver or file name"},
        {"trigger", m_trigger.GetText(), "a device's trigger NAME=0bDIGITS on a bus or channel (X: any level)"},
    };
}

bool CvxSigrokSource::SetOption(std::string_view key, std::string_view value, std::string& error)
{
    const std::string text(CvxSourceText::Trim(value));
    if (key == "device") {
        m_device = text;
    } else if (key == "session") {
        m_session = text;
    } else if (key == "input") {
        m_input = text;
    } else if (key == "format") {
        m_format = text;
    } else if (key == "table") {
        m_table = text;
    } else if (key == "input_options") {
        m_inputOptions = text;
    } else if (key == "samplerate" || key == "samples") {
        std::uint64_t n = 0;
        if (!text.empty() && !CvxSourceText::ParseUInt(text, n)) {
            error = std::string(key) + ": expected a number (k, M, G allowed), found '" + text + "'";
            return false;
        }
        (key == "samples" ? m_samples : m_sampleRate) = n;
    } else if (key == "channels") {
        std::vector<std::string> channels;
        for (const std::string_view c : CvxSourceText::Split(text, ',')) {
            if (!c.empty()) {
                channels.emplace_back(c);
            }
        }
        m_channels = std::move(channels);
    } else if (key == "buses") {
        std::vector<CvxSigrokBus> buses;
        CvxSigrokTrigger trigger;
        if (!CvxSigrokBusDefinitions::Parse(text, buses, error) || !trigger.Parse(m_trigger.GetText(), buses, error)) {
            return false;
        }
        m_buses = std::move(buses);
        m_trigger = std::move(trigger);
    } else if (key == "trigger") {
        return m_trigger.Parse(text, m_buses, error);
    } else {
        error = UnknownOption(key, "the libsigrok source");
        return false;
    }
    return true;
}

std::shared_ptr<CvxData> CvxSigrokSource::DoAcquire(std::int64_t)
{
    const int chosen = (m_device.empty() ? 0 : 1) + (m_session.empty() ? 0 : 1) + (m_input.empty() ? 0 : 1);
    if (chosen != 1) {
        throw CvxSourceError("set exactly one of the options device, session and input of the libsigrok source");
    }
    CvxSigrokContext::Get().TakeErrors();
    CvxDataBuilder builder(GetInstanceID());
    Session session(builder, TableName(), m_channels, m_buses);
    if (!m_device.empty()) {
        AcquireDevice(session);
    } else if (!m_session.empty()) {
        LoadSessionFile(session);
    } else {
        LoadInputFile(session);
    }
    if (!session.error.empty()) {
        throw CvxSourceError(session.error);
    }
    if (session.tables.empty()) {
        throw CvxSourceError("libsigrok delivered no data");
    }
    for (auto& [device, table] : session.tables) {
        table->Finish();
    }
    for (std::string& warning : session.warnings) {
        AddWarning(std::move(warning));
    }
    return builder.Finish();
}

std::u16string CvxSigrokSource::TableName() const
{
    return !m_table.empty()    ? CvxStringConvert::FromUtf8(m_table)
           : !m_device.empty() ? CvxStringConvert::FromUtf8(m_device.substr(0, m_device.find(':')))
                               : FileName(m_session.empty() ? m_input : m_session);
}

bool CvxSigrokSource::HasSimpleTrigger() const
{
    return !m_device.empty() && m_device == m_triggerDevice;
}

std::string CvxSigrokSource::TriggerTargetOf(const CvxID& id, int& width) const
{
    const CvxLabelMgr& labels = CvxLabelMgr::GetInstance();
    const CvxLabelBase* label = labels.IDToLabel(id);
    const CvxLabelBase* folder = label != nullptr ? labels.IDToLabel(label->GetParentID()) : nullptr;
    if (folder == nullptr || folder->GetName() != TableName() || !label->IsA(EvxLabelKind::BusSignal)) {
        return {};
    }
    const std::string name = CvxStringConvert::ToUtf8(label->GetSourceName());
    for (const CvxSigrokBus& bus : m_buses) {
        if (bus.name == name) {
            width = static_cast<int>(bus.channels.size());
            return name;
        }
    }
    width = 1;
    return label->GetNumberOfChannels() == 1 ? name : std::string();
}

bool CvxSigrokSource::IsTriggerLabel(const CvxID& label) const
{
    int width = 0;
    return HasSimpleTrigger() && !TriggerTargetOf(label, width).empty() && width <= 64;
}

bool CvxSigrokSource::SetTrigger(const CvxPatternModel& pattern, std::string& error)
{
    int width = 0;
    const std::string target = TriggerTargetOf(pattern.GetLabel().GetLabelID(), width);
    if (!HasSimpleTrigger() || target.empty() || width > 64 || pattern.GetLabel().GetChannel() >= 0) {
        error = "this libsigrok source triggers on a whole bus of up to 64 bits or a channel of a device that offers triggers";
        return false;
    }
    std::string text = target + "=0b";
    for (int bit = width - 1; bit >= 0; --bit) {
        const bool care = ((pattern.GetCareBits() >> bit) & 1) != 0;
        text += !care ? 'X' : ((pattern.GetValueBits() >> bit) & 1) != 0 ? '1' : '0';
    }
    return SetOption("trigger", text, error);
}

bool CvxSigrokSource::GetTrigger(CvxPatternModel& pattern) const
{
    const std::string& text = m_trigger.GetText();
    const std::size_t eq = text.find('=');
    if (eq == std::string::npos) {
        return false;
    }
    const std::string name = text.substr(0, eq);
    const CvxLabelMgr& labels = CvxLabelMgr::GetInstance();
    for (const CvxID& id : labels.GetLabelsBelow(labels.GetLabelRootID())) {
        int width = 0;
        if (TriggerTargetOf(id, width) != name || width > 64) {
            continue;
        }
        // Binary digits (most significant first, X: any level), zeros on the left.
        std::string_view digits = std::string_view(text).substr(eq + 1);
        if (digits.size() > 2 && (digits.substr(0, 2) == "0b" || digits.substr(0, 2) == "0B")) {
            digits.remove_prefix(2);
        }
        CvxUInt128 value = 0;
        CvxUInt128 care = width >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1;
        for (std::size_t bit = 0; bit < digits.size(); ++bit) {
            const char digit = digits[digits.size() - 1 - bit];
            if (digit == 'X' || digit == 'x') {
                care &= ~(CvxUInt128{1} << bit);
            } else if (digit == '1') {
                value |= CvxUInt128{1} << bit;
            }
        }
        pattern = MakeTriggerPattern(id, width, value, care);
        return true;
    }
    return false;
}

void CvxSigrokSource::AcquireDevice(Session& session)
{
    CvxSigrokContext& context = CvxSigrokContext::Get();
    const std::vector<std::string_view> parts = CvxSourceText::Split(m_device, ':');
    sr_dev_driver* driver = context.Driver(parts.front());
    if (m_samples == 0) {
        throw CvxSourceError("device " + m_device + ": set the option samples (a device captures until its limit)");
    }
    std::unique_ptr<GSList, void (*)(GSList*)> options(nullptr, [](GSList* l) { g_slist_free_full(l, &FreeConfig); });
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::size_t eq = parts[i].find('=');
        const std::string key(parts[i].substr(0, eq));
        const sr_key_info* info = sr_key_info_name_get(SR_KEY_CONFIG, key.c_str());
        GVariant* value = info == nullptr || eq == std::string_view::npos
            ? nullptr
            : CvxSigrokContext::MakeVariant(info->datatype, parts[i].substr(eq + 1));
        if (value == nullptr) {
            throw CvxSourceError("device " + m_device + ": expected KEY=VALUE with a libsigrok option, found '"
                                 + std::string(parts[i]) + "'");
        }
        auto* config = g_new0(sr_config, 1);
        config->key = info->key;
        config->data = g_variant_ref_sink(value);
        options.reset(g_slist_append(options.release(), config));
    }
    GSList* found = sr_driver_scan(driver, options.get());
    if (found == nullptr) {
        throw CvxSourceError("device " + m_device + ": no device found" + [&] {
            const std::string errors = context.TakeErrors();
            return errors.empty() ? std::string() : " (" + errors + ")";
        }());
    }
    auto* device = static_cast<sr_dev_inst*>(found->data);
    if (found->next != nullptr) {
        session.warnings.push_back("device " + m_device + ": " + std::to_string(g_slist_length(found))
                                   + " devices found; the first is used");
    }
    g_slist_free(found);
    int result = sr_dev_open(device);
    if (result != SR_OK) {
        throw CvxSourceError("device " + m_device + " cannot be opened: " + context.Explain(result));
    }
    OpenDevice open{device};
    for (GSList* l = sr_dev_inst_channels_get(device); l != nullptr; l = l->next) {
        auto* channel = static_cast<sr_channel*>(l->data);
        const bool wanted = channel->type == SR_CHANNEL_LOGIC
            && (m_channels.empty() || std::find(m_channels.begin(), m_channels.end(), channel->name) != m_channels.end());
        sr_dev_channel_enable(channel, wanted ? TRUE : FALSE);
    }
    if (m_sampleRate != 0) {
        result = sr_config_set(device, nullptr, SR_CONF_SAMPLERATE, g_variant_new_uint64(m_sampleRate));
        if (result != SR_OK) {
            throw CvxSourceError("device " + m_device + ": the sample rate " + std::to_string(m_sampleRate)
                                 + " Hz is refused: " + context.Explain(result));
        }
    }
    result = sr_config_set(device, nullptr, SR_CONF_LIMIT_SAMPLES, g_variant_new_uint64(m_samples));
    if (result != SR_OK) {
        throw CvxSourceError("device " + m_device + ": the sample count is refused: " + context.Explain(result));
    }
    session.Listen();
    result = sr_session_dev_add(session.session, device);
    if (result != SR_OK) {
        throw CvxSourceError("device " + m_device + " cannot join a session: " + context.Explain(result));
    }
    m_triggerDevice = CvxSigrokTrigger::DeviceHasTrigger(device) ? m_device : std::string();
    if (!m_trigger.IsEmpty() && m_triggerDevice.empty()) {
        throw CvxSourceError("device " + m_device + " offers no trigger; clear the option trigger");
    }
    session.trigger = m_trigger.Make(device);
    if (session.trigger != nullptr && (result = sr_session_trigger_set(session.session, session.trigger)) != SR_OK) {
        throw CvxSourceError("device " + m_device + ": the trigger is refused: " + context.Explain(result));
    }
    // The table exists even when the device sends nothing.
    session.TableFor(device);
    session.Run("device " + m_device);
}

void CvxSigrokSource::LoadSessionFile(Session& session)
{
    CvxSigrokContext& context = CvxSigrokContext::Get();
    CheckReadable(m_session);
    const int result = sr_session_load(context.Raw(), m_session.c_str(), &session.session);
    if (result != SR_OK) {
        session.session = nullptr;
        throw CvxSourceError(m_session + ": not a readable .sr session file: " + context.Explain(result));
    }
    session.Listen();
    session.Run(m_session);
}

namespace {

// Input module options from "KEY=VALUE:KEY=VALUE", typed like each option's default.
GHashTable* InputOptions(const sr_input_module* module, const std::string& text)
{
    std::unique_ptr<GHashTable, void (*)(GHashTable*)> table(
        g_hash_table_new_full(g_str_hash, g_str_equal, g_free, reinterpret_cast<GDestroyNotify>(&g_variant_unref)),
        &g_hash_table_destroy);
    std::unique_ptr<const sr_option*, void (*)(const sr_option**)> options(sr_input_options_get(module),
                                                                            &sr_input_options_free);
    if (CvxSourceText::Trim(text).empty()) {
        return table.release();
    }
    for (const std::string_view item : CvxSourceText::Split(text, ':')) {
        const std::size_t eq = item.find('=');
        const std::string key(CvxSourceText::Trim(item.substr(0, eq)));
        const std::string value(eq == std::string_view::npos ? "" : CvxSourceText::Trim(item.substr(eq + 1)));
        const sr_option* option = nullptr;
        std::string known;
        for (const sr_option** o = options.get(); o != nullptr && *o != nullptr; ++o) {
            known += (known.empty() ? "" : ", ") + std::string((*o)->id);
            if (key == (*o)->id) {
                option = *o;
            }
        }
        if (option == nullptr || eq == std::string_view::npos) {
            throw CvxSourceError("input_options: expected KEY=VALUE with a key of the input module (" + known
                                 + "), found '" + std::string(item) + "'");
        }
        GVariant* variant = nullptr;
        const GVariantType* type = option->def != nullptr ? g_variant_get_type(option->def) : G_VARIANT_TYPE_STRING;
        std::int64_t n = 0;
        bool b = false;
        if (g_variant_type_equal(type, G_VARIANT_TYPE_STRING)) {
            variant = g_variant_new_string(value.c_str());
        } else if (g_variant_type_equal(type, G_VARIANT_TYPE_BOOLEAN) && CvxSourceText::ParseBool(value, b)) {
            variant = g_variant_new_boolean(b ? TRUE : FALSE);
        } else if (CvxSourceText::ParseInt(value, n) && n >= 0) {
            if (g_variant_type_equal(type, G_VARIANT_TYPE_UINT32) && n <= UINT32_MAX) {
                variant = g_variant_new_uint32(static_cast<guint32>(n));
            } else if (g_variant_type_equal(type, G_VARIANT_TYPE_INT32) && n <= INT32_MAX) {
                variant = g_variant_new_int32(static_cast<gint32>(n));
            } else if (g_variant_type_equal(type, G_VARIANT_TYPE_UINT64)) {
                variant = g_variant_new_uint64(static_cast<guint64>(n));
            }
        }
        if (variant == nullptr) {
            throw CvxSourceError("input_options: '" + value + "' is not a valid value of " + key);
        }
        g_hash_table_insert(table.get(), g_strdup(key.c_str()), g_variant_ref_sink(variant));
    }
    return table.release();
}

// Whether a CSV file's first line (after empty and comment lines) names channels: it does
// unless every field is a number. libsigrok's csv module takes it as names by default, so a
// capture without names would lose its first sample and name its channels after its values.
bool FirstCsvLineNamesChannels(const std::string& path, char separator)
{
    std::ifstream in(path, std::ios::binary);
    std::string line;
    for (int lines = 0; lines < 1000 && std::getline(in, line); ++lines) {
        const std::string_view text = CvxSourceText::Trim(std::string_view(line).substr(0, line.find(';')));
        if (text.empty()) {
            continue;
        }
        for (const std::string_view field : CvxSourceText::Split(text, separator)) {
            const std::string_view value = CvxSourceText::Trim(field);
            const bool number = !value.empty() && value.find_first_of("0123456789") != std::string_view::npos
                                && value.find_first_not_of("0123456789.+-eE") == std::string_view::npos;
            if (!number) {
                return true;
            }
        }
        return false;
    }
    return true;
}

} // namespace

void CvxSigrokSource::LoadInputFile(Session& session)
{
    CvxSigrokContext& context = CvxSigrokContext::Get();
    CheckReadable(m_input);
    const sr_input* input = nullptr;
    if (!m_format.empty()) {
        const sr_input_module* module = sr_input_find(const_cast<char*>(m_format.c_str()));
        if (module == nullptr) {
            std::string known;
            for (const sr_input_module** m = sr_input_list(); m != nullptr && *m != nullptr; ++m) {
                known += (known.empty() ? "" : ", ") + std::string(sr_input_id_get(*m));
            }
            throw CvxSourceError("unknown libsigrok input format '" + m_format + "' (formats: " + known + ")");
        }
        std::string inputOptions = m_inputOptions;
        if (m_format == "csv" && inputOptions.find("header") == std::string::npos) {
            const std::size_t at = inputOptions.find("column_separator=");
            const char separator = at == std::string::npos || at + 17 >= inputOptions.size() ? ',' : inputOptions[at + 17];
            const bool names = FirstCsvLineNamesChannels(m_input, separator);
            inputOptions += std::string(inputOptions.empty() ? "" : ":") + (names ? "header=true" : "header=false");
            AddWarning(m_input + (names ? ": the first line is read as channel names (input_options=header=false reads it as data)"
                                        : ": the first line holds values and is read as data; the channels keep their numbers "
                                          "(input_options=header=true reads it as names)"));
        }
        std::unique_ptr<GHashTable, void (*)(GHashTable*)> options(InputOptions(module, inputOptions),
                                                                   &g_hash_table_destroy);
        input = sr_input_new(module, options.get());
        if (input == nullptr) {
            throw CvxSourceError(m_input + ": the " + m_format + " input module refused its options: " + context.TakeErrors());
        }
    } else {
        if (!m_inputOptions.empty()) {
            throw CvxSourceError("input_options need a format (the input module they belong to)");
        }
        const int result = sr_input_scan_file(m_input.c_str(), &input);
        if (result != SR_OK || input == nullptr) {
            throw CvxSourceError(m_input + ": no libsigrok input module recognises the file; set the option format");
        }
    }
    std::unique_ptr<const sr_input, void (*)(const sr_input*)> owned(input, &sr_input_free);
    session.Listen();
    const int fd = ::open(m_input.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        throw CvxSourceError(m_input + ": cannot open the file: " + std::strerror(errno));
    }
    std::unique_ptr<int, void (*)(int*)> closer(new int(fd), [](int* f) { ::close(*f); delete f; });
    std::unique_ptr<GString, void (*)(GString*)> buffer(g_string_sized_new(1 << 20),
                                                        [](GString* s) { g_string_free(s, TRUE); });
    std::vector<char> block(1 << 20);
    bool added = false;
    for (;;) {
        const ssize_t got = ::read(fd, block.data(), block.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            throw CvxSourceError(m_input + ": read error: " + std::strerror(errno));
        }
        if (got == 0) {
            break;
        }
        g_string_truncate(buffer.get(), 0);
        g_string_append_len(buffer.get(), block.data(), got);
        const int result = sr_input_send(input, buffer.get());
        if (result != SR_OK) {
            throw CvxSourceError(m_input + ": the input module cannot read the file: " + context.Explain(result));
        }
        sr_dev_inst* device = sr_input_dev_inst_get(input);
        if (!added && device != nullptr) {
            if (sr_session_dev_add(session.session, device) != SR_OK) {
                throw CvxSourceError(m_input + ": the file's device cannot join a session: " + context.TakeErrors());
            }
            session.TableFor(device);
            added = true;
        }
        if (!session.error.empty()) {
            return;
        }
    }
    const int result = sr_input_end(input);
    if (result != SR_OK) {
        throw CvxSourceError(m_input + ": the input module cannot finish the file: " + context.Explain(result));
    }
    sr_dev_inst* device = sr_input_dev_inst_get(input);
    if (!added && device != nullptr) {
        session.TableFor(device);
    }
    if (session.tables.empty()) {
        throw CvxSourceError(m_input + ": the input module found no data in the file");
    }
}
