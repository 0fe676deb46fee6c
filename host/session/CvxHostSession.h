#pragma once
// The host around the tools, without windows: one acquisition source, the tools made from the
// Compare module through its exported Create, and everything the host does between them.
// It registers the source and the tools with the host managers, offers the source's labels to
// the tools, hands every acquisition to each tool as a run message, drives repetitive runs
// (which the tools may stop through the system manager), and saves and loads host setups:
// the source's options, the labels (so that a loaded reference finds its buses/signals again
// in a later session, with the names and symbols given them) and every tool's own part with its data streams.
//
// The command line, the remote-control server and the GUI all drive tools through this class.

#include "CvxAcquisitionSource.h"
#include "CvxPlugInLoader.h"
#include "CvxReferenceCapture.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CvxPlugInBase;
class CvxStdToolCmdIFace;

class CvxHostSession {
public:
    // The type identifier under which the host asks the module for a Compare tool.
    static const char* const kCompareToolTypeID;

    CvxHostSession();
    ~CvxHostSession();
    CvxHostSession(const CvxHostSession&) = delete;
    CvxHostSession& operator=(const CvxHostSession&) = delete;

    // $CVX_MODULE_PATH, else libcvxcompare.so in the lib folder beside the program's folder.
    static std::filesystem::path DefaultModulePath();
    bool LoadModule(const std::filesystem::path& module = DefaultModulePath());

    // ---- Source ----
    void SetSource(std::unique_ptr<CvxAcquisitionSource> source);
    // Sets the source's trigger (the host's simple trigger) and tells every tool that the
    // trigger changed; false with the error set when the source has none or refuses it.
    bool SetTrigger(const CvxPatternModel& pattern);
    // Makes the source trigger at a fixed row (the advanced trigger) and tells every tool;
    // false with the error set when the source cannot.
    bool SetTriggerRow(std::int64_t row);
    // Takes the source out of the session (which then has none), to be set again later.
    std::unique_ptr<CvxAcquisitionSource> ReleaseSource();
    CvxAcquisitionSource* GetSource() const { return m_source.get(); }
    // "simulated", "vcd" or "sigrok"; null for another name.
    static std::unique_ptr<CvxAcquisitionSource> MakeSource(const std::string& kind);
    static std::string SourceKind(const CvxAcquisitionSource& source);
    // The source that reads a capture file: the VCD reader for .vcd, libsigrok for the rest
    // (.sr sessions, CSV and other input formats); null with `error` set when it cannot.
    static std::unique_ptr<CvxAcquisitionSource> SourceForFile(const std::string& path, std::string& error);
    // Points a file source at another capture file of its kind (one capture per run); false
    // with `error` set for a file that is not there or a source that refuses it.
    static bool SetSourceFile(CvxAcquisitionSource& source, const std::string& path, std::string& error);
    // A file's extension in lower case (".vcd"), which chooses its reader.
    static std::string FileExtension(const std::string& path);

    // ---- Tools ----
    // A new Compare tool, initialised; null (with the error set) when the module makes none.
    CvxPlugInBase* AddCompareTool(const std::u16string& name = u"Compare");
    std::size_t GetToolCount() const { return m_tools.size(); }
    // Counts every change of the set of tools (added, removed, replaced by a setup), so that
    // windows can tell that the tools they show are gone.
    std::uint64_t GetToolGeneration() const { return m_toolGeneration; }
    CvxPlugInBase* GetTool(std::size_t i) const;
    CvxPlugInBase* FindTool(const std::u16string& name) const;
    CvxStdToolCmdIFace* GetToolIFace(const CvxPlugInBase* tool) const;
    void RemoveAllTools();
    // Called with each tool just before it goes (a setup load, the session's end), so that
    // the windows on its document go first.
    void SetToolRemovalHook(std::function<void(CvxPlugInBase&)> hook) { m_toolRemoval = std::move(hook); }

    // ---- Acquisition ----
    // Acquires once and hands the data to every tool; false with the error set.
    bool Run();
    // Acquires again and again, each run handed to every tool, until `maxRuns` runs (0: no
    // limit), a stop (StopRepetitiveRun, a tool's run-until rule) or an error. `afterRun` is
    // called after each run; false from it stops as well. Answers the runs made.
    std::int64_t RunRepetitive(std::int64_t maxRuns, const std::function<bool(std::int64_t run)>& afterRun = {});
    // Safe from any thread; the repetitive run ends before its next acquisition.
    void StopRepetitiveRun();
    // For hosts that drive repetitive runs themselves, one Run() at a time (the remote
    // server): whether a stop was asked for since the last clear (a tool's run-until rule
    // asks through the system manager), and the clear before such a run starts.
    bool IsStopRequested() const { return m_stop.load(); }
    void ClearStopRequest() { m_stop = false; }
    bool IsRunning() const { return m_running.load(); }
    const std::shared_ptr<CvxData>& GetData() const { return m_data; }
    std::int64_t GetRunCount() const { return m_runs; }
    // Whether Run makes every tool compare, whatever its range (a Markers range is otherwise
    // compared only on request, as in the window); the command line's repetitive run does.
    void SetCompareEveryRun(bool compare) { m_compareEveryRun = compare; }
    // Whether the tools are told to recompute their activity indicators after each acquisition
    // (windows show them; headless runs skip the extra pass over the data).
    void SetActivityUpdates(bool updates) { m_activityUpdates = updates; }
    // The labels of the last loaded setup, in its order, as this session knows them.
    const std::vector<CvxID>& GetSetupLabels() const { return m_setupLabels; }
    // The labels the session offers every tool: those of the source's last acquisition; before
    // the source's first, those of the last loaded setup, so that a loaded tool keeps the
    // setup's columns until data comes. Hosts that give the system manager a label provider of
    // their own (to offer fewer) start from these.
    std::vector<CvxID> GetLabelsForTools() const;
    // Hands data from elsewhere (a file loaded by the caller) to every tool as a run.
    void Deliver(std::shared_ptr<CvxData> data, int runs);
    // Hands an acquisition to every tool as Run does. When the session keeps the capture the
    // reference was copied from and both hold change events, both are first put on their
    // common time grid (see CvxReferenceCapture) and every tool copies its reference again from
    // the re-gridded capture, over the range it compares. With `compare`, every tool compares
    // once, whatever its range; otherwise as a run message makes it (All ranges only).
    void DeliverAcquisition(std::shared_ptr<CvxData> data, int runs, bool compare);
    // The capture a reference was copied from; saved with setups and loaded from them.
    CvxReferenceCapture& GetReferenceCapture() { return m_referenceCapture; }
    // What the last DeliverAcquisition compared against: the (re-gridded) reference capture,
    // or null when the tools kept their reference.
    const CvxReferenceCapture::Pair& GetLastPair() const { return m_lastPair; }

    // The tools whose last comparison compared nothing although they hold a reference (a
    // reference whose buses/signals the acquisition lacks, a range or offset that leaves no
    // row), one "name: why" each: a rig must never read such a result as a pass.
    std::vector<std::string> ToolsThatComparedNothing() const;

    // ---- Setups ----
    bool SaveSetup(const std::filesystem::path& path);
    // Replaces the source and the tools with those of the setup.
    bool LoadSetup(const std::filesystem::path& path);

    const std::string& GetLastError() const { return m_error; }

private:
    struct Tool;
    bool Fail(std::string error);
    void TellToolsTriggerChanged();
    void SaveLabels(class CvxPersistenceSetup& setup) const;
    void LoadLabels(class CvxPersistenceSetup& setup);
    // The identifier this session uses for a label identifier of the last loaded setup.
    CvxID CurrentLabelID(const CvxID& saved) const;
    // Every tool compares its Markers range now too; `ranges` are their ranges before.
    void ForceMarkerRanges(std::vector<std::u16string>& ranges);
    void CompareAndRestoreRanges(const std::vector<std::u16string>& ranges, bool compare);

    CvxPlugInLoader m_loader;
    std::unique_ptr<CvxAcquisitionSource> m_source;
    std::unique_ptr<class CvxSourceLabelRenamer> m_renamer;
    std::vector<std::unique_ptr<Tool>> m_tools;
    std::uint64_t m_toolGeneration = 0;
    std::function<void(CvxPlugInBase&)> m_toolRemoval;
    std::shared_ptr<CvxData> m_data;
    std::vector<CvxID> m_setupLabels; // the labels of the last loaded setup, in its order
    std::vector<std::pair<CvxID, CvxID>> m_labelMap; // setup identifier -> this session's, where they differ
    CvxReferenceCapture m_referenceCapture;
    CvxReferenceCapture::Pair m_lastPair;
    bool m_compareEveryRun = false;
    bool m_activityUpdates = false;
    std::int64_t m_runs = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_running{false};
    std::mutex m_wakeMutex;
    std::string m_error;
};
