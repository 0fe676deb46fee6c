#pragma once
// The markers of one viewer window. It always holds the begin-of-data ("Begin", "B"),
// end-of-data ("End", "E") and trigger ("Trigger", "T") markers, under fixed identifiers, and
// any number of user markers ("M1", "M2", ...; flag 7). Each SetData moves the three data
// markers to the first sample, the last sample (over all tables) and the trigger at "0 s";
// user markers keep their times. Markers are kept in the order they were made: the three
// data markers first, then the user markers.
//
// The manager is a model: after every change it broadcasts a CvxMvcDefMsg of type
// kMarkersChangedMessage to its observers (marker bars, marker dialogs).

#include "CvxMarker.h"
#include "CvxMvcModel.h"

#include <memory>
#include <string_view>
#include <vector>

class CvxData;

class CvxMarkerMgr : public CvxMvcModel {
public:
    static constexpr int kMarkersChangedMessage = 250;

    CvxMarkerMgr();
    ~CvxMarkerMgr() override;

    // The viewer instance whose markers these are; false for the null identifier.
    bool Register(const CvxID& viewerInstance);
    const CvxID& GetViewerID() const { return m_viewer; }

    // Null data takes the data markers back to "0 s".
    void SetData(const CvxData* data);

    CvxMarker* GetMarker(const CvxID& id) const;
    // The first marker, in the manager's order, of exactly this name.
    CvxMarker* FindMarkerByName(std::u16string_view name) const;
    // Every marker: in the manager's order, or ordered by position (stable for equal ones).
    std::vector<CvxMarker*> GetMarkers(bool byPosition) const;

    const CvxID& GetBeginDataMarkerID() const;
    const CvxID& GetEndDataMarkerID() const;
    const CvxID& GetTriggerMarkerID() const;
    int GetNumberOfUserModifiableMarkers() const;

    // A new user marker named "M<n>" with the smallest n that no marker uses.
    CvxMarker* AddUserMarker(const CvxPosition& position);
    // A user marker as a setup kept it: its identifier, name and position (a user marker of
    // that identifier or name is replaced). Null for a null identifier or an empty name.
    CvxMarker* RestoreUserMarker(const CvxID& id, const std::u16string& name, const CvxPosition& position);
    // Only user markers can be deleted.
    bool DeleteMarker(const CvxID& id);
    // Only user markers can be dragged.
    bool IsDragable(const CvxID& id) const;
    // Moves a draggable marker; false for any other.
    bool MoveMarkerPosition(const CvxID& id, const CvxPosition& position);
    // Tells the observers about changes made directly on markers (name, colours, shown).
    void NotifyChanged();

private:
    CvxID m_viewer;
    std::vector<std::unique_ptr<CvxMarker>> m_markers;
};
