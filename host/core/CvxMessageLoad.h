#pragma once
// Load a setup: the keyed setup tree (positioned where the plug-in's part begins), the binary
// data streams, whether the load duplicates an existing plug-in, and the instance identifier
// the plug-in runs under after the load.

#include "CvxMessageBase.h"

class CvxPersistenceData;
class CvxPersistenceSetup;

class CvxMessageLoad : public CvxMessageBase {
public:
    static constexpr int kType = kHostMsgLoad;

    CvxMessageLoad(CvxPersistenceSetup* setup, CvxPersistenceData* data, const CvxID& instanceID, bool duplicate = false)
        : CvxMessageBase(kType), m_setup(setup), m_data(data), m_instance(instanceID), m_duplicate(duplicate)
    {
    }

    CvxPersistenceSetup* GetSetup() const { return m_setup; }
    CvxPersistenceData* GetPersistenceData() const { return m_data; }
    const CvxID& GetInstanceID() const { return m_instance; }
    bool IsDuplicate() const { return m_duplicate; }

private:
    CvxPersistenceSetup* m_setup;
    CvxPersistenceData* m_data;
    CvxID m_instance;
    bool m_duplicate;
};
