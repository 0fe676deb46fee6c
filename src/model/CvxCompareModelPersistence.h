#pragma once
// Saves the whole Compare window into a host setup and loads it back. Everything goes under
// the element "CompareModel", in this order (load reads the same order):
//
//   key "Config"              an empty Config element
//   CenterPosition            the centre position
//   CompareRange              the compare range (its own element CompareRange inside)
//   CompareReferenceRange     the reference range (likewise)
//   CompareProperties         the display properties
//   CompareColumnModel        the columns
//   CompareReferenceOffset    the reference offset
//   CompareRunUntil           the run-until rule and its e-mail
//   CompareData               the reference buffer, one binary data stream per entry
//   the viewer locks          keys and elements of the lock set, directly in CompareModel
//
// A save that duplicates the tool writes the lock set re-keyed from this tool to the new
// plug-in; the model itself is not changed by saving. After loading, the model initialises
// again under the instance identifier of the load message, takes the loaded lock set (merged
// into its own for a duplicate), drops the columns whose buses/signals the host no longer
// offers it (one delete command, as for deleted labels), makes the default columns when none
// is left, and broadcasts CvxCompareModelLoadedMessage. A missing element leaves what it
// would have set as it was; a load never fails as a whole.

class CvxCompareModel;
class CvxMessageLoad;
class CvxMessageSave;
class CvxPersistenceData;
class CvxPersistenceSetup;

class CvxCompareModelPersistence {
public:
    explicit CvxCompareModelPersistence(CvxCompareModel& model) : m_model(model) {}

    void Save(const CvxMessageSave& message);
    void Load(const CvxMessageLoad& message);

private:
    // The settings and the reference buffer, read inside CompareModel.
    void LoadRecords(CvxPersistenceSetup& setup, CvxPersistenceData* data);
    // The user markers of the window, which marker ranges name by identifier.
    void SaveUserMarkers(CvxPersistenceSetup& setup);
    void LoadUserMarkers(CvxPersistenceSetup& setup);
    // Replaces the lock set, or merges into it for a duplicate.
    void LoadLocks(CvxPersistenceSetup& setup, bool duplicate);
    // The initialisation again, under the load message's instance identifier (the current
    // one when the message carries none).
    void Reinitialize(const CvxMessageLoad& message);
    void DropColumnsNotOffered();

    CvxCompareModel& m_model;
};
