#pragma once
// A range of the acquired data: all of it, or from one marker to another. The model keeps two:
// the range it compares and the range the reference buffer was copied from.

#include "CvxID.h"

class CvxPersistenceSetup;

class CvxCompareRange {
public:
    static constexpr int kAll = 0;
    static constexpr int kMarkers = 1;

    CvxCompareRange();

    int GetType() const { return m_type; }
    void SetType(int type) { m_type = type == kMarkers ? kMarkers : kAll; }
    bool IsAll() const { return m_type == kAll; }
    const CvxID& GetFromMarkerID() const { return m_from; }
    void SetFromMarkerID(const CvxID& id) { m_from = id; }
    const CvxID& GetToMarkerID() const { return m_to; }
    void SetToMarkerID(const CvxID& id) { m_to = id; }

    // Same type and, for marker ranges, the same two markers.
    bool SameRangeAs(const CvxCompareRange& other) const;

    // Persisted as the element "CompareRange" inside the setup's current element: key
    // "Config" with the attribute Range ("All" or "Markers"), then the elements FromMarkerID
    // and ToMarkerID with the marker identifiers.
    void Save(CvxPersistenceSetup& setup) const;
    void Load(CvxPersistenceSetup& setup);

    friend bool operator==(const CvxCompareRange&, const CvxCompareRange&) = default;

private:
    int m_type = kAll;
    CvxID m_from;
    CvxID m_to;
};
