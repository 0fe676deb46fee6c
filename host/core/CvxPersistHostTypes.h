#pragma once
// Identifiers, positions, label channels and number bases save themselves as keys of the
// currently open element of a setup:
//
//   CvxID            "ID"       braced GUID text
//   CvxPosition      "Table"    table identifier text
//                    "Time"     femtoseconds, decimal text (128-bit)
//                    "Sample"   sample number, decimal text (64-bit); absent for a position
//                               that stands for a time alone
//                    "SubRow"   int
//                    "Mode"     int
//   CvxLabelChannel  "LabelID"  braced GUID text
//                    "Channel"  int (-1 for the whole bus)
//   CvxBase          "Base"     int code
//
// A load answers false, and leaves the object unchanged, when a key it needs is missing or
// malformed; loading never changes the setup's cursor.

class CvxBase;
class CvxID;
class CvxLabelChannel;
class CvxPersistenceSetup;
class CvxPosition;

bool CvxSave(CvxPersistenceSetup& setup, const CvxID& id);
bool CvxLoad(const CvxPersistenceSetup& setup, CvxID& id);
bool CvxSave(CvxPersistenceSetup& setup, const CvxPosition& position);
bool CvxLoad(const CvxPersistenceSetup& setup, CvxPosition& position);
bool CvxSave(CvxPersistenceSetup& setup, const CvxLabelChannel& label);
bool CvxLoad(const CvxPersistenceSetup& setup, CvxLabelChannel& label);
bool CvxSave(CvxPersistenceSetup& setup, const CvxBase& base);
bool CvxLoad(const CvxPersistenceSetup& setup, CvxBase& base);
