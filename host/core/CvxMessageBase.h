#pragma once
// A host message: what the host tells a plug-in through OnHostMessage (and what plug-ins send
// each other through the host). The type number says which message it is; receivers switch
// on it and cast to the concrete class only to read its fields. Initialisation (type 8) has
// no class of its own: the host sends a plain CvxMessageBase.

#include "CvxID.h"

enum EvxHostMessage : int {
    kHostMsgLabelsChanged = 1,
    kHostMsgSymbolChanged = 2,
    kHostMsgRun = 3,
    kHostMsgDestroyPlugIn = 5,
    kHostMsgInitialize = 8,
    kHostMsgUpdateActivityIndicators = 9,
    kHostMsgTriggerChanged = 12,
    kHostMsgFrontPanelKnob = 13,
    kHostMsgLoad = 14,
    kHostMsgSave = 15,
    kHostMsgLabelsAdded = 20,
    kHostMsgLabelsDeleted = 21,
    kHostMsgSamplingChanged = 23,
    kHostMsgWindowRange = 30,
    kHostMsgGetAlignmentTime = 33,
    kHostMsgLabelOrder = 50,
    kHostMsgLockViewer = 55,
    kHostMsgLockPosition = 56,
    kHostMsgDeleteConnection = 60,
};

class CvxMessageBase {
public:
    explicit CvxMessageBase(int type, const CvxID& sender = CvxID::NullID()) : m_type(type), m_sender(sender) {}
    CvxMessageBase(const CvxMessageBase&) = default;
    CvxMessageBase& operator=(const CvxMessageBase&) = default;
    virtual ~CvxMessageBase() = default;

    int GetType() const { return m_type; }
    // The instance identifier of the plug-in that sent the message (null for the host).
    const CvxID& GetSenderID() const { return m_sender; }
    void SetSenderID(const CvxID& sender) { m_sender = sender; }

private:
    int m_type;
    CvxID m_sender;
};
