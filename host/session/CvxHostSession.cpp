#include "CvxHostSession.h"

#include "CvxInfoMgr.h"
#include "CvxLabelChannel.h"
#include "CvxLabelMgr.h"
#include "CvxMessageLabels.h"
#include "CvxMessageLoad.h"
#include "CvxMessageRun.h"
#include "CvxMessageSave.h"
#include "CvxMessageSimple.h"
#include "CvxPersistenceData.h"
#include "CvxPersistenceSetup.h"
#include "CvxPlugInBase.h"
#include "CvxPlugInMgr.h"
#include "CvxPlugInViewerData.h"
#include "CvxSetupFile.h"
#include "CvxSigrokSource.h"
#include "CvxSimulatedAnalyzer.h"
#include "CvxSourceLabelRenamer.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStdToolCmdIFace.h"
#include "CvxStringConvert.h"
#include "CvxSystemMgr.h"
#include "CvxVcdSource.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <thread>

const char* const CvxHostSession::kCompareToolTypeID = "{5C0A7E21-3B9D-4F6A-8E42-C1D7A9B3E510}";

struct CvxHostSession::Tool {
    CvxPlugInLoader::PlugInPtr plugIn;
};

namespace {

std::u16string U16(const std::string& text)
{
    return CvxStringConvert::FromUtf8(text);
}

std::u16string Indexed(const char16_t* prefix, std::size_t i)
{
    return prefix + U16(std::to_string(i));
}

// Replaces every text value of the tree that names a label of the map by the identifier this
// session knows the label under, so that the tools' columns and reference find their labels.
void RemapLabelIDs(CvxPersistenceElement& element, const std::vector<std::pair<std::u16string, std::u16string>>& map)
{
    for (std::size_t k = 0; k < element.GetKeyCount(); ++k) {
        const auto& [key, value] = element.GetKey(k);
        if (const auto* text = std::get_if<std::u16string>(&value)) {
            for (const auto& [saved, current] : map) {
                if (*text == saved) {
                    element.SetValue(std::u16string(key), current);
                    break;
                }
            }
        }
    }
    for (std::size_t c = 0; c < element.GetChildCount(); ++c) {
        RemapLabelIDs(element.GetChild(c), map);
    }
}

// A symbol's value as a setup holds it: hexadecimal digits, most significant first.
std::u16string HexText(std::uint64_t value)
{
    std::u16string text;
    do {
        text.insert(text.begin(), u"0123456789ABCDEF"[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return text;
}

// A symbol's value read back; false for a text that is not 1 to 16 hexadecimal digits.
bool ParseHexText(const std::u16string& text, std::uint64_t& value)
{
    value = 0;
    if (text.empty() || text.size() > 16) {
        return false;
    }
    for (const char16_t c : text) {
        const int digit = c >= u'0' && c <= u'9' ? c - u'0'
                        : c >= u'A' && c <= u'F' ? c - u'A' + 10
                        : c >= u'a' && c <= u'f' ? c - u'a' + 10
                                                 : -1;
        if (digit < 0) {
            return false;
        }
        value = (value << 4) | static_cast<std::uint64_t>(digit);
    }
    return true;
}

// The symbols of a bus/signal in a setup: NumberOfSymbols, then SymbolValueN (hexadecimal)
// and SymbolN (the name) each.
void SaveSymbols(CvxPersistenceSetup& setup, const CvxLabelBase& label)
{
    const auto& symbols = label.GetSymbols();
    if (symbols.empty()) {
        return;
    }
    setup.Write(u"NumberOfSymbols", static_cast<int>(symbols.size()));
    std::size_t i = 0;
    for (const auto& [value, name] : symbols) {
        setup.Write(Indexed(u"SymbolValue", i), HexText(value.Low64()));
        setup.Write(Indexed(u"Symbol", i), name);
        ++i;
    }
}

// Symbols that do not fit the bus/signal, or have no name, are left out: a setup edited by
// hand must not stop the load.
std::map<CvxUInt, std::u16string> LoadSymbols(const CvxPersistenceSetup& setup, int width)
{
    std::map<CvxUInt, std::u16string> symbols;
    int count = 0;
    setup.Read(u"NumberOfSymbols", count);
    for (int i = 0; i < count; ++i) {
        std::u16string valueText;
        std::u16string name;
        std::uint64_t value = 0;
        if (!setup.Read(Indexed(u"SymbolValue", static_cast<std::size_t>(i)), valueText)
            || !setup.Read(Indexed(u"Symbol", static_cast<std::size_t>(i)), name)) {
            break; // the count claims more than the setup holds
        }
        if (ParseHexText(valueText, value) && !name.empty() && width >= 1 && width <= 64
            && CvxUInt(value).Masked(width) == CvxUInt(value)) {
            symbols[CvxUInt(value)] = name;
        }
    }
    return symbols;
}

// Source options that name a file: kept relative to the setup that holds them.
bool IsPathOption(const std::string& key)
{
    return key == "file" || key == "input" || key == "session";
}

// A path a setup holds: relative to the setup's folder (where it was saved), else the
// absolute path it also holds, else as it stands.
std::string ResolvePath(const std::filesystem::path& setup, const std::string& value, const std::string& absolute)
{
    const std::filesystem::path stored(value);
    if (stored.is_absolute()) {
        return value;
    }
    std::error_code ec;
    const std::filesystem::path beside = std::filesystem::absolute(setup, ec).parent_path() / stored;
    if (std::filesystem::exists(beside, ec) || absolute.empty()) {
        return beside.lexically_normal().string();
    }
    return absolute;
}

// The Range attribute of a tool's "GetOptions" reply ("Begin..End" for an All range).
std::u16string RangeOf(CvxStdToolCmdIFace& iface)
{
    std::u16string reply;
    if (!iface.GetDataValue(u"GetOptions", reply)) {
        return {};
    }
    const std::u16string key = u"Range='";
    const std::size_t at = reply.find(key);
    const std::size_t end = at == std::u16string::npos ? at : reply.find(u'\'', at + key.size());
    return end == std::u16string::npos ? std::u16string() : reply.substr(at + key.size(), end - at - key.size());
}

} // namespace

CvxHostSession::CvxHostSession()
{
    CvxSystemMgr& system = CvxSystemMgr::GetInstance();
    system.SetLabelProvider([this](const CvxID&) { return GetLabelsForTools(); });
    system.SetStopRepetitiveRunHandler([this] { StopRepetitiveRun(); });
    // A renamed bus/signal is a changed label for every tool; changed symbols are the host's
    // symbol change.
    m_renamer = std::make_unique<CvxSourceLabelRenamer>(
        [this](const CvxID& label) {
            for (const auto& tool : m_tools) {
                CvxMessageLabelsChanged changed({label});
                tool->plugIn->OnHostMessage(changed);
            }
        },
        [this](const CvxID&) {
            for (const auto& tool : m_tools) {
                CvxMessageSymbolChanged changed;
                tool->plugIn->OnHostMessage(changed);
            }
        });
    // The trigger the tools offer to edit is the source's own. Only a trigger at a fixed row
    // is advanced; a source without a trigger has no trigger label, so nothing to edit.
    CvxStdCmdIFaceMgr& ifaces = CvxStdCmdIFaceMgr::GetInstance();
    ifaces.SetSimpleTriggerQuery([this] { return m_source == nullptr || m_source->GetTriggerRow() < 0; });
    ifaces.SetSimpleTriggerGetter([this](CvxPatternModel& pattern) { return m_source != nullptr && m_source->GetTrigger(pattern); });
    // A tool's quick trigger: the sources trigger on one bus/signal at a time.
    ifaces.SetTriggerSetter([this](const std::vector<CvxPatternModel>& patterns, std::string& error) {
        if (patterns.size() != 1) {
            error = "the source triggers on one bus/signal at a time; outline one";
            return false;
        }
        if (!SetTrigger(patterns.front())) {
            error = GetLastError();
            return false;
        }
        return true;
    });
    ifaces.SetTriggerLabelQuery([this](const CvxLabelChannel& label) {
        return m_source != nullptr && m_source->IsTriggerLabel(label.GetLabelID());
    });
    ifaces.SetTriggerRowQuery([this] { return m_source != nullptr && m_source->CanTriggerAtRow(); });
    ifaces.SetTriggerRowGetter([this] { return m_source != nullptr ? m_source->GetTriggerRow() : std::int64_t{-1}; });
    ifaces.SetTriggerRowSetter([this](std::int64_t row, std::string& error) {
        if (!SetTriggerRow(row)) {
            error = GetLastError();
            return false;
        }
        return true;
    });
}

CvxHostSession::~CvxHostSession()
{
    RemoveAllTools();
    CvxSystemMgr& system = CvxSystemMgr::GetInstance();
    system.SetLabelProvider({});
    system.SetStopRepetitiveRunHandler({});
    CvxStdCmdIFaceMgr& ifaces = CvxStdCmdIFaceMgr::GetInstance();
    ifaces.SetSimpleTriggerQuery({});
    ifaces.SetSimpleTriggerGetter({});
    ifaces.SetTriggerSetter({});
    ifaces.SetTriggerLabelQuery({});
    ifaces.SetTriggerRowQuery({});
    ifaces.SetTriggerRowGetter({});
    ifaces.SetTriggerRowSetter({});
    if (m_source != nullptr) {
        CvxPlugInMgr::GetInstance().Remove(m_source->GetInstanceID());
    }
}

bool CvxHostSession::Fail(std::string error)
{
    m_error = std::move(error);
    return false;
}

std::filesystem::path CvxHostSession::DefaultModulePath()
{
    if (const char* path = std::getenv("CVX_MODULE_PATH"); path != nullptr && *path != '\0') {
        return path;
    }
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return exe.parent_path().parent_path() / "lib" / "libcvxcompare.so";
}

bool CvxHostSession::LoadModule(const std::filesystem::path& module)
{
    if (!m_loader.Load(module)) {
        return Fail("cannot load the Compare module " + module.string() + ": " + m_loader.GetLastError());
    }
    return true;
}

// ---- Source ----

bool CvxHostSession::SetTrigger(const CvxPatternModel& pattern)
{
    std::string error;
    if (m_source == nullptr || !m_source->SetTrigger(pattern, error)) {
        return Fail(m_source == nullptr ? "there is no source to trigger" : error);
    }
    TellToolsTriggerChanged();
    return true;
}

bool CvxHostSession::SetTriggerRow(std::int64_t row)
{
    std::string error;
    if (m_source == nullptr || !m_source->SetTriggerRow(row, error)) {
        return Fail(m_source == nullptr ? "there is no source to trigger" : error);
    }
    TellToolsTriggerChanged();
    return true;
}

void CvxHostSession::TellToolsTriggerChanged()
{
    for (const auto& tool : m_tools) {
        CvxMessageTriggerChanged changed;
        tool->plugIn->OnHostMessage(changed);
    }
}

std::unique_ptr<CvxAcquisitionSource> CvxHostSession::ReleaseSource()
{
    if (m_source != nullptr) {
        CvxPlugInMgr::GetInstance().Remove(m_source->GetInstanceID());
    }
    return std::move(m_source);
}

void CvxHostSession::SetSource(std::unique_ptr<CvxAcquisitionSource> source)
{
    CvxPlugInMgr& plugIns = CvxPlugInMgr::GetInstance();
    if (m_source != nullptr) {
        plugIns.Remove(m_source->GetInstanceID());
    }
    m_source = std::move(source);
    // Windows made from now on show the trigger line by default while an analyzer is connected.
    plugIns.SetOnlineStatus(m_source != nullptr && m_source->IsInstrument());
    if (m_source != nullptr) {
        plugIns.AddInstance(m_source->GetInstanceID(), U16(m_source->GetName()), kPlugInCategorySource);
        m_renamer->AddCreator(m_source->GetInstanceID());
    }
}

std::unique_ptr<CvxAcquisitionSource> CvxHostSession::MakeSource(const std::string& kind)
{
    if (kind == "simulated") {
        return std::make_unique<CvxSimulatedAnalyzer>();
    }
    if (kind == "vcd") {
        return std::make_unique<CvxVcdSource>();
    }
    if (kind == "sigrok") {
        return std::make_unique<CvxSigrokSource>();
    }
    return nullptr;
}

std::string CvxHostSession::FileExtension(const std::string& path)
{
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return ext;
}

std::unique_ptr<CvxAcquisitionSource> CvxHostSession::SourceForFile(const std::string& path, std::string& error)
{
    std::unique_ptr<CvxAcquisitionSource> source = MakeSource(FileExtension(path) == ".vcd" ? "vcd" : "sigrok");
    if (!SetSourceFile(*source, path, error)) {
        return nullptr;
    }
    return source;
}

bool CvxHostSession::SetSourceFile(CvxAcquisitionSource& source, const std::string& path, std::string& error)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = path + ": is a directory, not a capture file";
        return false;
    }
    if (!std::filesystem::is_regular_file(path, ec)) {
        error = path + ": no such file";
        return false;
    }
    const auto set = [&](const std::string& key, const std::string& value) {
        if (!source.SetOption(key, value, error)) {
            error = source.GetName() + ": " + error;
            return false;
        }
        return true;
    };
    if (SourceKind(source) == "vcd") {
        return set("file", path);
    }
    const std::string ext = FileExtension(path);
    return set("device", "") && set(ext == ".sr" ? "session" : "input", path) && set(ext == ".sr" ? "input" : "session", "")
           && set("format", ext == ".csv" ? "csv" : "");
}

std::string CvxHostSession::SourceKind(const CvxAcquisitionSource& source)
{
    if (dynamic_cast<const CvxSimulatedAnalyzer*>(&source) != nullptr) {
        return "simulated";
    }
    if (dynamic_cast<const CvxVcdSource*>(&source) != nullptr) {
        return "vcd";
    }
    return "sigrok";
}

// ---- Tools ----

CvxPlugInBase* CvxHostSession::AddCompareTool(const std::u16string& name)
{
    if (!m_loader.IsLoaded() && !LoadModule()) {
        return nullptr;
    }
    CvxID type;
    type.SetValue(kCompareToolTypeID);
    CvxPlugInViewerData data(CvxID::New(), CvxID::New(), type, CvxID::New());
    CvxPlugInLoader::PlugInPtr plugIn = m_loader.Create(data);
    if (plugIn == nullptr) {
        Fail("the module " + m_loader.GetPath().string() + " made no Compare tool (see the host log)");
        return nullptr;
    }
    CvxPlugInBase* tool = plugIn.get();
    tool->SetName(name);
    CvxPlugInMgr::GetInstance().Add(*tool);
    m_tools.push_back(std::make_unique<Tool>(Tool{std::move(plugIn)}));
    ++m_toolGeneration;
    CvxMessageBase initialize(kHostMsgInitialize);
    tool->OnHostMessage(initialize);
    if (m_data != nullptr) {
        CvxMessageRun run(m_data, static_cast<int>(m_runs));
        tool->OnHostMessage(run);
        if (m_activityUpdates) {
            CvxMessageUpdateActivityIndicators activity;
            tool->OnHostMessage(activity);
        }
    }
    return tool;
}

CvxPlugInBase* CvxHostSession::GetTool(std::size_t i) const
{
    return i < m_tools.size() ? m_tools[i]->plugIn.get() : nullptr;
}

CvxPlugInBase* CvxHostSession::FindTool(const std::u16string& name) const
{
    for (const auto& tool : m_tools) {
        if (tool->plugIn->GetName() == name) {
            return tool->plugIn.get();
        }
    }
    return nullptr;
}

CvxStdToolCmdIFace* CvxHostSession::GetToolIFace(const CvxPlugInBase* tool) const
{
    return tool == nullptr ? nullptr : CvxStdCmdIFaceMgr::GetInstance().GetIFaceFromInstanceID(tool->GetInstanceID());
}

void CvxHostSession::RemoveAllTools()
{
    // Newest first, each unregistered before the module code that made it may go.
    while (!m_tools.empty()) {
        if (m_toolRemoval) {
            m_toolRemoval(*m_tools.back()->plugIn);
        }
        CvxPlugInMgr::GetInstance().Remove(m_tools.back()->plugIn->GetInstanceID());
        m_tools.pop_back();
        ++m_toolGeneration;
    }
}

// ---- Acquisition ----

void CvxHostSession::Deliver(std::shared_ptr<CvxData> data, int runs)
{
    m_data = std::move(data);
    for (const auto& tool : m_tools) {
        CvxMessageRun run(m_data, runs);
        tool->plugIn->OnHostMessage(run);
        if (m_activityUpdates) {
            CvxMessageUpdateActivityIndicators activity;
            tool->plugIn->OnHostMessage(activity);
        }
    }
}

bool CvxHostSession::Run()
{
    if (m_source == nullptr) {
        return Fail("no acquisition source is set");
    }
    std::shared_ptr<CvxData> data = m_source->Acquire();
    if (data == nullptr) {
        return Fail(m_source->GetName() + ": " + m_source->GetLastError());
    }
    ++m_runs;
    DeliverAcquisition(std::move(data), static_cast<int>(std::min<std::int64_t>(m_runs, INT32_MAX)), m_compareEveryRun);
    return true;
}

std::vector<std::string> CvxHostSession::ToolsThatComparedNothing() const
{
    std::vector<std::string> tools;
    for (const auto& tool : m_tools) {
        CvxStdToolCmdIFace* iface = GetToolIFace(tool->plugIn.get());
        std::u16string reply;
        if (iface == nullptr || !iface->GetDataValue(u"GetCounts", reply)) {
            continue;
        }
        // Counts as the tool gives them: <Counts SamplesCompared='0' ColumnsCompared='2' .../>
        const auto number = [&](const std::u16string& name) {
            const std::size_t at = reply.find(name + u"='");
            return at == std::u16string::npos ? std::string("0")
                                              : CvxStringConvert::ToUtf8(reply.substr(at + name.size() + 2, 1));
        };
        if (number(u"SamplesCompared") == "0" && number(u"ColumnsCompared") != "0") {
            tools.push_back(CvxStringConvert::ToUtf8(tool->plugIn->GetName())
                            + ": the comparison compared no sample against the reference (the acquisition lacks its "
                              "buses/signals, or the range or offset leaves no row)");
        }
    }
    return tools;
}

void CvxHostSession::ForceMarkerRanges(std::vector<std::u16string>& ranges)
{
    ranges.clear();
    for (const auto& tool : m_tools) {
        CvxStdToolCmdIFace* iface = GetToolIFace(tool->plugIn.get());
        ranges.push_back(iface != nullptr ? RangeOf(*iface) : std::u16string());
        // The same markers as a Markers range: a run message then compares nothing.
        if (iface != nullptr && !ranges.back().empty()) {
            iface->SetOptions(u"<Options Range='" + ranges.back() + u"'/>");
        }
    }
}

void CvxHostSession::CompareAndRestoreRanges(const std::vector<std::u16string>& ranges, bool compare)
{
    for (std::size_t i = 0; i < m_tools.size() && i < ranges.size(); ++i) {
        CvxStdToolCmdIFace* iface = GetToolIFace(m_tools[i]->plugIn.get());
        if (iface == nullptr || ranges[i].empty()) {
            continue;
        }
        // Begin..End compares what an All range compares; it is given back as All.
        const bool all = ranges[i] == u"Begin..End";
        if (compare || all) {
            iface->ExecuteCommand(u"Execute");
        }
        if (all) {
            iface->SetOptions(u"<Options Range='All'/>");
        }
    }
}

void CvxHostSession::DeliverAcquisition(std::shared_ptr<CvxData> data, int runs, bool compare)
{
    m_lastPair = {};
    const bool recopy = data != nullptr && m_referenceCapture.AppliesTo(*data);
    if (!recopy && !compare) {
        Deliver(std::move(data), runs);
        return;
    }
    std::vector<std::u16string> ranges;
    ForceMarkerRanges(ranges);
    if (recopy) {
        m_lastPair = m_referenceCapture.PairWith(std::move(data));
        data = std::move(m_lastPair.input);
        Deliver(m_lastPair.reference, runs);
        for (const auto& tool : m_tools) {
            if (CvxStdToolCmdIFace* iface = GetToolIFace(tool->plugIn.get())) {
                iface->ExecuteCommand(u"CopyReference");
            }
        }
    }
    Deliver(std::move(data), runs);
    CompareAndRestoreRanges(ranges, compare || recopy);
}

std::int64_t CvxHostSession::RunRepetitive(std::int64_t maxRuns, const std::function<bool(std::int64_t run)>& afterRun)
{
    m_stop = false;
    m_running = true;
    std::int64_t runs = 0;
    while (!m_stop.load()) {
        if (!Run()) {
            break;
        }
        ++runs;
        if ((afterRun && !afterRun(runs)) || (maxRuns > 0 && runs >= maxRuns) || m_stop.load()) {
            break;
        }
        // The pause between runs, cut short by a stop.
        const auto until = std::chrono::steady_clock::now() + m_source->GetRepeatInterval();
        while (!m_stop.load() && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    m_running = false;
    return runs;
}

void CvxHostSession::StopRepetitiveRun()
{
    m_stop = true;
}

std::vector<CvxID> CvxHostSession::GetLabelsForTools() const
{
    if (m_source != nullptr && !m_source->GetOfferedLabels().empty()) {
        return m_source->GetOfferedLabels();
    }
    return m_setupLabels;
}

// ---- Setups ----

void CvxHostSession::SaveLabels(CvxPersistenceSetup& setup) const
{
    const CvxLabelMgr& labels = CvxLabelMgr::GetInstance();
    const std::vector<CvxID> all = labels.GetLabelsBelow(labels.GetLabelRootID());
    setup.OpenTag(u"Labels");
    setup.Write(u"NumberOfLabels", static_cast<int>(all.size()));
    for (std::size_t i = 0; i < all.size(); ++i) {
        const CvxLabelBase* label = labels.IDToLabel(all[i]);
        const CvxLabelBase* folder = labels.IDToLabel(label->GetParentID());
        setup.OpenTag(Indexed(u"Label", i));
        setup.Write(u"Folder", folder != nullptr ? folder->GetName() : std::u16string());
        setup.Write(u"Name", label->GetName());
        if (label->GetSourceName() != label->GetName()) {
            setup.Write(u"SourceName", label->GetSourceName());
        }
        setup.Write(u"Kind", static_cast<int>(label->GetKind()));
        setup.Write(u"Channels", label->GetNumberOfChannels());
        setup.Write(u"ID", label->GetID().ToU16String());
        SaveSymbols(setup, *label);
        setup.CloseTag();
    }
    setup.CloseTag();
}

CvxID CvxHostSession::CurrentLabelID(const CvxID& saved) const
{
    for (const auto& [from, to] : m_labelMap) {
        if (from == saved) {
            return to;
        }
    }
    return CvxLabelMgr::GetInstance().IDToLabel(saved) != nullptr ? saved : CvxID::NullID();
}

void CvxHostSession::LoadLabels(CvxPersistenceSetup& setup)
{
    if (!setup.OpenTag(u"Labels")) {
        return;
    }
    CvxLabelMgr& labels = CvxLabelMgr::GetInstance();
    m_setupLabels.clear();
    m_labelMap.clear();
    int count = 0;
    setup.Read(u"NumberOfLabels", count);
    for (int i = 0; i < count && setup.OpenTag(Indexed(u"Label", static_cast<std::size_t>(i))); ++i) {
        std::u16string folderName;
        std::u16string name;
        std::u16string sourceName;
        std::u16string idText;
        int kind = 0;
        int channels = 0;
        setup.Read(u"Folder", folderName);
        setup.Read(u"Name", name);
        setup.Read(u"SourceName", sourceName);
        setup.Read(u"Kind", kind);
        setup.Read(u"Channels", channels);
        setup.Read(u"ID", idText);
        std::map<CvxUInt, std::u16string> symbols = LoadSymbols(setup, channels);
        setup.CloseTag();
        CvxID id;
        if (name.empty() || !id.SetValue(idText) || kind < static_cast<int>(EvxLabelKind::BusSignal)
            || kind > static_cast<int>(EvxLabelKind::SampleNumberLabel)) {
            continue;
        }
        sourceName = sourceName.empty() ? name : sourceName;
        // The setup's name for a bus/signal this session knows wins, unless another label of
        // its table has that name now.
        // Its symbols are the setup's, for buses/signals of the width the setup knew.
        const auto restoreName = [&](CvxLabelBase& label) {
            const CvxLabelBase* holder = labels.FindLabelByName(name, label.GetParentID());
            if (holder == nullptr || holder == &label) {
                label.SetSourceName(sourceName);
                label.SetName(name);
            }
            if (label.IsA(EvxLabelKind::BusSignal) && label.GetNumberOfChannels() == channels) {
                label.SetSymbols(symbols);
            }
        };
        if (CvxLabelBase* same = labels.IDToLabel(id)) {
            restoreName(*same);
            m_setupLabels.push_back(id);
            continue;
        }
        // The module folder of the label's table, made when this session has none yet.
        CvxLabelBase* folder = nullptr;
        for (const CvxID& child : labels.GetChildren(labels.GetLabelRootID())) {
            CvxLabelBase* candidate = labels.IDToLabel(child);
            if (candidate->IsA(EvxLabelKind::ModuleFolder) && candidate->GetName() == folderName) {
                folder = candidate;
            }
        }
        if (folder == nullptr) {
            folder = labels.AddLabel(std::make_unique<CvxLabelBase>(CvxID::New(), folderName, EvxLabelKind::ModuleFolder));
        }
        CvxLabelBase* known = nullptr;
        for (const CvxID& child : labels.GetChildren(folder->GetID())) {
            CvxLabelBase* candidate = labels.IDToLabel(child);
            known = known == nullptr && candidate->GetSourceName() == sourceName ? candidate : known;
        }
        if (known != nullptr) {
            restoreName(*known);
            m_setupLabels.push_back(known->GetID()); // this session knows it under another identity
            if (known->GetID() != id) {
                m_labelMap.emplace_back(id, known->GetID());
            }
            continue;
        }
        auto label = std::make_unique<CvxLabelBase>(id, name, static_cast<EvxLabelKind>(kind), channels);
        label->SetParentID(folder->GetID());
        if (label->IsA(EvxLabelKind::BusSignal)) {
            label->SetSymbols(std::move(symbols));
        }
        if (sourceName != name) {
            label->SetSourceName(sourceName);
        }
        if (m_source != nullptr) {
            label->SetCreatorInstanceID(m_source->GetInstanceID());
        }
        if (labels.AddLabel(std::move(label)) != nullptr) {
            m_setupLabels.push_back(id);
        }
    }
    setup.CloseTag();
}

bool CvxHostSession::SaveSetup(const std::filesystem::path& path)
{
    CvxPersistenceSetup setup(true);
    CvxPersistenceData data;
    setup.OpenTag(u"Host");
    if (m_source != nullptr) {
        setup.Write(u"Source", U16(SourceKind(*m_source)));
        const std::vector<CvxSourceOption> options = m_source->GetOptions();
        setup.OpenTag(u"SourceOptions");
        setup.Write(u"NumberOfOptions", static_cast<int>(options.size()));
        for (std::size_t i = 0; i < options.size(); ++i) {
            setup.OpenTag(Indexed(u"Option", i));
            setup.Write(u"Key", U16(options[i].key));
            if (IsPathOption(options[i].key) && !options[i].value.empty()) {
                // Relative to the setup, so that the setup and its captures move together;
                // the absolute path for a setup copied elsewhere alone.
                std::error_code ec;
                const std::filesystem::path absolute = std::filesystem::absolute(options[i].value, ec);
                const std::filesystem::path folder = std::filesystem::absolute(path, ec).parent_path();
                const std::filesystem::path relative = absolute.lexically_relative(folder);
                setup.Write(u"Value", U16(relative.empty() ? options[i].value : relative.string()));
                setup.Write(u"AbsoluteValue", U16(absolute.string()));
            } else {
                setup.Write(u"Value", U16(options[i].value));
            }
            setup.CloseTag();
        }
        setup.CloseTag();
    }
    SaveLabels(setup);
    setup.OpenTag(u"Tools");
    setup.Write(u"NumberOfTools", static_cast<int>(m_tools.size()));
    for (std::size_t i = 0; i < m_tools.size(); ++i) {
        CvxPlugInBase& tool = *m_tools[i]->plugIn;
        setup.OpenTag(Indexed(u"Tool", i));
        setup.Write(u"Name", tool.GetName());
        CvxPersistenceData toolData;
        CvxMessageSave save(&setup, &toolData);
        tool.OnHostMessage(save);
        // Each tool names its streams for itself; the file keeps them apart by tool.
        for (std::size_t s = 0; s < toolData.GetStreamCount(); ++s) {
            const CvxPersistenceDataStream& stream = toolData.GetStream(s);
            CvxPersistenceDataStream* copy =
                data.CreateDataStream(Indexed(u"Tool", i) + u"/" + stream.GetName(), CvxPersistenceData::kStreamWrite);
            if (copy != nullptr) {
                copy->SetBytes(stream.GetBytes());
                if (stream.IsFailed()) {
                    copy->SetFailed(stream.GetFailure());
                }
            }
        }
        setup.CloseTag();
    }
    setup.CloseTag();
    setup.CloseTag();
    m_referenceCapture.Save(data);

    CvxSetupFile file(path);
    if (!file.Save(setup, data)) {
        return Fail("cannot save the setup " + path.string() + ": "
                    + (file.GetProblems().empty() ? std::string("see the host log") : file.GetProblems().back()));
    }
    return true;
}

bool CvxHostSession::LoadSetup(const std::filesystem::path& path)
{
    CvxPersistenceSetup setup(false);
    CvxPersistenceData data;
    CvxSetupFile file(path);
    if (!file.Load(setup, data)) {
        return Fail("cannot load the setup " + path.string() + ": "
                    + (file.GetProblems().empty() ? std::string("see the host log") : file.GetProblems().back()));
    }
    if (!setup.OpenTag(u"Host")) {
        return Fail("the setup " + path.string() + " holds no host setup");
    }
    std::u16string kind;
    if (setup.Read(u"Source", kind)) {
        std::unique_ptr<CvxAcquisitionSource> source = MakeSource(CvxStringConvert::ToUtf8(kind));
        if (source != nullptr && setup.OpenTag(u"SourceOptions")) {
            int count = 0;
            setup.Read(u"NumberOfOptions", count);
            for (int i = 0; i < count && setup.OpenTag(Indexed(u"Option", static_cast<std::size_t>(i))); ++i) {
                std::u16string key;
                std::u16string value;
                std::u16string absolute;
                setup.Read(u"Key", key);
                setup.Read(u"Value", value);
                setup.Read(u"AbsoluteValue", absolute);
                setup.CloseTag();
                if (IsPathOption(CvxStringConvert::ToUtf8(key)) && !value.empty()) {
                    value = U16(ResolvePath(path, CvxStringConvert::ToUtf8(value), CvxStringConvert::ToUtf8(absolute)));
                }
                std::string error;
                if (!source->SetOption(CvxStringConvert::ToUtf8(key), CvxStringConvert::ToUtf8(value), error)) {
                    CvxInfoMgr::GetInstance().LogMessage(
                        kMessageWarning, U16("setup " + path.string() + ": source option ignored: " + error));
                }
            }
            setup.CloseTag();
        }
        if (source != nullptr) {
            SetSource(std::move(source));
        }
    }
    LoadLabels(setup);
    // The tools' part names labels by the setup's identifiers; this session may know some of
    // them under others (a source that acquired before the setup was loaded).
    if (!m_labelMap.empty()) {
        std::vector<std::pair<std::u16string, std::u16string>> texts;
        for (const auto& [saved, current] : m_labelMap) {
            texts.emplace_back(saved.ToU16String(), current.ToU16String());
        }
        if (CvxPersistenceElement* host = setup.GetRoot().FindChild(u"Host")) {
            if (CvxPersistenceElement* tools = host->FindChild(u"Tools")) {
                RemapLabelIDs(*tools, texts);
            }
        }
    }
    std::string warning;
    m_referenceCapture.Load(data, [this](const CvxID& saved) { return CurrentLabelID(saved); }, warning);
    if (!warning.empty()) {
        CvxInfoMgr::GetInstance().LogMessage(kMessageWarning, U16("setup " + path.string() + ": " + warning));
    }

    RemoveAllTools();
    if (setup.OpenTag(u"Tools")) {
        int count = 0;
        setup.Read(u"NumberOfTools", count);
        for (int i = 0; i < count && setup.OpenTag(Indexed(u"Tool", static_cast<std::size_t>(i))); ++i) {
            std::u16string name = u"Compare";
            setup.Read(u"Name", name);
            CvxPlugInBase* tool = AddCompareTool(name);
            if (tool != nullptr) {
                const std::u16string prefix = Indexed(u"Tool", static_cast<std::size_t>(i)) + u"/";
                CvxPersistenceData toolData;
                for (std::size_t s = 0; s < data.GetStreamCount(); ++s) {
                    const CvxPersistenceDataStream& stream = data.GetStream(s);
                    if (stream.GetName().compare(0, prefix.size(), prefix) == 0) {
                        CvxPersistenceDataStream* copy = toolData.CreateDataStream(
                            stream.GetName().substr(prefix.size()), CvxPersistenceData::kStreamWrite);
                        if (copy != nullptr) {
                            copy->SetBytes(stream.GetBytes());
                        }
                    }
                }
                CvxMessageLoad load(&setup, &toolData, tool->GetInstanceID());
                tool->OnHostMessage(load);
            }
            setup.CloseTag();
        }
        setup.CloseTag();
    }
    setup.CloseTag();
    return true;
}
