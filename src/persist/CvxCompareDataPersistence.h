#pragma once
// The persisted form of the reference buffer: the element "CompareData" holding key
// "NumberOfCompareSources" and per entry i (list order) an element "CompareSource<i>" with
// key "Config" (attribute HasSubrows) and the label channel; the store's values go into the
// binary data stream of the same name "CompareSource<i>" (the store's own persisted form).
//
// Loading rebuilds the list: per entry a new store from the store factory for the label and
// the sub-row flag, filled from its data stream. An entry whose stream is missing is kept
// with an empty store, and the log says so. Counts are not trusted: reading stops at the
// first entry element that is not there, and the stores guard their own streams.

class CvxCompareSourceList;
class CvxPersistenceData;
class CvxPersistenceSetup;

class CvxCompareDataPersistence {
public:
    // Stores still filling are ended first. Without a data container only the keys are
    // written.
    static void Save(CvxPersistenceSetup& setup, CvxPersistenceData* data, const CvxCompareSourceList& sources);
    // Without a CompareData element: false and the list untouched.
    static bool Load(CvxPersistenceSetup& setup, CvxPersistenceData* data, CvxCompareSourceList& sources);
};
