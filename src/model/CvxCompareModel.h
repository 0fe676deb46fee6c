#pragma once
// The single model of one Compare window: the input data, the displayed columns, the window
// properties and markers, the centre position, the compare and reference ranges, the
// reference offset, the run-until rule, the reference buffer and the results of the last
// comparison. Views, dialogs and commands read and change the window through it; it tells its
// observers about every change by broadcasting a typed message, synchronously, in
// registration order.

#include "CvxCompareColumn.h"
#include "CvxCompareProperties.h"
#include "CvxCompareRange.h"
#include "CvxCompareReferenceOffset.h"
#include "CvxCompareResults.h"
#include "CvxCompareRunUntil.h"
#include "CvxCompareSourceList.h"
#include "CvxMarkerMgr.h"
#include "CvxMvcTransactionModel.h"
#include "CvxPosition.h"
#include "CvxUtilsLockViewers.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CvxCompareMessage;
class CvxData;
class CvxMessageLoad;
class CvxMessageLockViewer;
class CvxMessageRun;
class CvxMessageSave;

class CvxCompareModel : public CvxMvcTransactionModel {
public:
    // Measures the width a column needs for its content (the views fill it; headless none).
    using ColumnWidthMeasure = std::function<int(const CvxCompareColumn& column)>;

    CvxCompareModel();
    ~CvxCompareModel() override;

    // ---- Messages ----
    // The initialisation message is handled by the model first; every other message is
    // broadcast to all observers with no sender.
    void Dispatch(CvxCompareMessage& message);
    void Broadcast(CvxMvcDefMsg& message) { UpdateAllObservers(nullptr, &message); }

    // ---- Host messages (through the tool) ----
    void OnRun(const CvxMessageRun& run);
    void OnInputDestroyed();
    void OnLabelsChanged(const std::vector<CvxID>& labels);
    void OnLabelsAdded(const std::vector<CvxID>& labels);
    void OnLabelsDeleted(const std::vector<CvxID>& labels);
    void OnLabelOrder(const std::vector<CvxID>& labels);
    void OnUpdateActivityIndicators();
    // Holds activity updates back while the grid moves (the recomputation would slow every
    // step); an update that arrives meanwhile is made when the last hold is released.
    void HoldActivityUpdates(bool hold);
    // A lock-viewer message that is not a question: whether its sender is now locked to us.
    void OnLockViewer(const CvxMessageLockViewer& message);

    // ---- Input data and its extent ----
    const std::shared_ptr<CvxData>& GetInputData() const;
    // Input data present and valid.
    bool IsDataValid() const;
    const CvxPosition& GetDataFirst() const;
    const CvxPosition& GetDataLast() const;
    const std::vector<CvxID>& GetRepresentedTables() const;
    // Recomputes represented tables, data first and last and the overview scale.
    void UpdateDataExtent();

    // ---- Columns ----
    const std::vector<CvxCompareColumn>& GetColumns() const;
    int GetColumnCount() const;
    // Null when no column has that identifier.
    const CvxCompareColumn* FindColumn(const CvxID& column) const;
    // Columns with the selected flag, in display order.
    std::vector<CvxID> GetSelectedColumns() const;
    void SetColumnSelection(const std::vector<CvxID>& selected);
    // The primitive column changes the undoable commands make. Each keeps the left edges as
    // the running sum of the widths; insert, delete and replace also update the data extent.
    // Inserts before the column `position` (after it when `after`; at the end for a null or
    // unknown position); `select` makes the inserted columns the only selected ones.
    void InsertColumns(const std::vector<CvxCompareColumn>& columns, const CvxID& position, bool after, bool select);
    void DeleteColumns(const std::vector<CvxID>& columns);
    // Moves the columns, in their display order, before the target column (at the end for a
    // null or unknown target).
    void MoveColumns(const std::vector<CvxID>& columns, const CvxID& target);
    bool SetColumnWidth(const CvxID& column, int width);
    void ReplaceColumns(const std::vector<CvxCompareColumn>& columns);
    // Replaces the records of the columns with the same identifiers.
    void ReplaceColumnRecords(const std::vector<CvxCompareColumn>& records);
    // One column per bus/signal the host offers this tool (time labels last); for a window
    // without columns.
    void CreateDefaultColumns();
    // Builds columns from a copied-columns markup text and inserts them with one command.
    void PasteColumns(const std::u16string& text);

    // ---- Requests: each change is one undoable command, executed and recorded here ----
    // Empty column lists issue no command; requests on a column that does not exist answer
    // false and issue none.
    void RequestInsertColumns(std::vector<CvxCompareColumn> columns, const CvxID& position, bool after, bool select);
    void RequestDeleteColumns(std::vector<CvxID> columns);
    bool RequestColumnWidth(const CvxID& column, int width);
    // `position`: CvxCompareMoveColumnsCommand::kBeforeTarget or kAfterTarget.
    void RequestMoveColumns(std::vector<CvxID> columns, const CvxID& target, int position);
    // Replaces the column list; undo brings back the list it replaced.
    void RequestRestoreColumns(std::vector<CvxCompareColumn> columns);
    // Records `columns`, the list before a change made by other means, so that undo brings it back.
    void RequestStoreColumns(std::vector<CvxCompareColumn> columns);
    // Renames the column's bus/signal through the plug-in that created it.
    bool RequestRenameLabel(const CvxID& column, std::u16string name);
    // New records for some columns (matched by column identifier).
    void RequestColumnProperties(std::vector<CvxCompareColumn> records);
    // False, and no command, when every field equals the current properties.
    bool RequestProperties(const CvxCompareProperties& properties);
    void RequestMoveOrigin(int x, int y, int oldX, int oldY);
    // Sets the centre to exactly this position (MoveCenter first settles it on a sample).
    void RequestCenter(const CvxPosition& center, bool broadcast);

    // ---- Window state ----
    const CvxCompareProperties& GetProperties() const;
    void SetProperties(const CvxCompareProperties& properties);
    CvxMarkerMgr& GetMarkerMgr();
    const CvxPosition& GetCenter() const;
    void SetCenter(const CvxPosition& center);
    const CvxPosition& GetWindowFirst() const;
    const CvxPosition& GetWindowLast() const;
    void SetWindowRange(const CvxPosition& first, const CvxPosition& last);
    bool GetGridFlag() const;
    void SetGridFlag(bool flag);
    int GetVisibleRows() const;
    void SetVisibleRows(int rows);
    bool GetGraphStatus() const;
    const CvxID& GetOwnInstance() const;
    const CvxUtilsLockViewers& GetLockedViewers() const;
    CvxUtilsLockViewers& GetLockedViewers();
    const CvxID& GetModelGuid() const;

    // ---- Ranges, offset, run-until ----
    const CvxCompareRange& GetCompareRange() const;
    void SetCompareRange(const CvxCompareRange& range);
    const CvxCompareRange& GetReferenceRange() const;
    void SetReferenceRange(const CvxCompareRange& range);
    const CvxCompareReferenceOffset& GetReferenceOffset() const;
    void SetReferenceOffset(const CvxCompareReferenceOffset& offset);
    const CvxCompareRunUntil& GetRunUntil() const;
    void SetRunUntil(const CvxCompareRunUntil& runUntil);
    // The run-until rule as a dialog hands it over: stored, and compared again, only when it
    // differs from the current one (not undoable). Answers whether it changed.
    bool UpdateRunUntil(const CvxCompareRunUntil& runUntil);

    // ---- Reference buffer and results ----
    const CvxCompareSourceList& GetReferenceBuffer() const;
    CvxCompareSourceList& GetReferenceBuffer();
    const CvxCompareResults& GetResults() const;
    CvxCompareResults& GetResults();
    int GetColumnsCompared() const;
    // Sizes the difference overview: desktop width in pixels.
    void SetOverviewWidth(int width);

    // ---- Comparison ----
    void SetColumnWidthMeasure(ColumnWidthMeasure measure);
    // Copies the buses/signals over the range into the reference buffer and compares.
    void CopyReference(const std::vector<CvxLabelChannel>& labels, const CvxCompareRange& range);
    // Compares the input against the reference buffer (with the copy shortcut when allowed).
    void Compare(bool copyShortcutAllowed);
    // Compares without the shortcut and broadcasts the data-changed message.
    void Recompare();
    void SetRangeAndOffset(const CvxCompareRange& range, const CvxCompareReferenceOffset& offset);
    // Called once after a comparison that compared values (the run-until rule).
    // The run-until mail's text when the rule gives none.
    std::u16string DefaultMailBody(int differences);
    void ApplyRunUntil(int differences);

    // ---- Centre and differences (each move is one undoable centre command) ----
    void GotoFirst();
    void GotoLast();
    void StepForward(int n, bool clamp);
    void StepBackward(int n, bool clamp);
    // Centres on the first sample at or after the position; `broadcast` tells locked viewers.
    void MoveCenter(const CvxPosition& position, bool broadcast);
    void NextDifference();
    void PreviousDifference();
    void GetDifferenceAvailability(bool& previous, bool& next) const;

    // ---- Setups (host load and save messages) ----
    void Save(const CvxMessageSave& message);
    void Load(const CvxMessageLoad& message);

    // ---- Remote commands (the standard command interface of the tool) ----
    bool SetOptions(const std::u16string& request);
    bool ExecuteCommand(const std::u16string& command);
    bool GetDataWithArgs(const std::u16string& request, std::u16string& reply);
    bool GetDataValue(const std::u16string& command, std::u16string& reply);

private:
    struct SvxImp;
    void Initialize(const CvxID& instance);
    void RecomputeLeftEdges();
    std::unique_ptr<SvxImp> m_imp;
};
