#pragma once
// Locks the Listing to one Compare window: a centre move of the Compare window makes the
// Listing's current row the same sample (or the first row at that time), and a row chosen in
// the Listing moves the Compare window's centre there. The Listing takes part in the host's
// locked-viewer service as a viewer of its own instance.

#include "CvxID.h"

class CvxListingModel;
class CvxMessageLockPosition;
class CvxPlugInBase;
class QTableView;

class CvxListingLock {
public:
    explicit CvxListingLock(CvxListingModel& model);
    ~CvxListingLock();
    CvxListingLock(const CvxListingLock&) = delete;
    CvxListingLock& operator=(const CvxListingLock&) = delete;

    // The Listing's table; its current row is what moves and follows.
    void SetView(QTableView* view);
    // Locks to the tool, or unlocks (null); the tool is told that the Listing is (un)locked.
    void LockTo(CvxPlugInBase* tool);
    const CvxID& GetLockedTool() const { return m_tool; }
    const CvxID& GetInstanceID() const { return m_instance; }
    // A tool that goes unlocks the Listing from it.
    void ToolRemoved(const CvxPlugInBase& tool);

private:
    void Deliver(CvxMessageLockPosition& message);
    void RowChosen(int row);

    CvxListingModel& m_model;
    QTableView* m_view = nullptr;
    CvxID m_instance;
    CvxID m_tool;
    bool m_following = false; // the row moves because the tool's centre did
};
