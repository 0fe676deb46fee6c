#pragma once
// Save a setup: the keyed setup tree (positioned where the plug-in's part goes), the binary
// data streams, and, when the save makes a duplicate of the plug-in, the new plug-in's
// instance identifier.

#include "CvxMessageBase.h"

class CvxPersistenceData;
class CvxPersistenceSetup;

class CvxMessageSave : public CvxMessageBase {
public:
    static constexpr int kType = kHostMsgSave;

    CvxMessageSave(CvxPersistenceSetup* setup, CvxPersistenceData* data, bool duplicate = false,
                   const CvxID& newPluginID = CvxID::NullID())
        : CvxMessageBase(kType), m_setup(setup), m_data(data), m_duplicate(duplicate), m_newPlugin(newPluginID)
    {
    }

    CvxPersistenceSetup* GetSetup() const { return m_setup; }
    CvxPersistenceData* GetPersistenceData() const { return m_data; }
    bool IsDuplicate() const { return m_duplicate; }
    const CvxID& GetNewPluginID() const { return m_newPlugin; }

private:
    CvxPersistenceSetup* m_setup;
    CvxPersistenceData* m_data;
    bool m_duplicate;
    CvxID m_newPlugin;
};
