#pragma once
// The document of a viewer window: made by the plug-in base from the plug-in's document
// run-time class, it holds the window's data (a viewer's model). The modified flag is only
// stored; a document that never counts as modified overrides IsModified.

class CvxMvcModel;

class CvxDocument {
public:
    CvxDocument() = default;
    CvxDocument(const CvxDocument&) = delete;
    CvxDocument& operator=(const CvxDocument&) = delete;
    virtual ~CvxDocument() = default;

    virtual bool IsModified() const { return m_modified; }
    virtual void SetModifiedFlag(bool modified) { m_modified = modified; }
    // The model the document holds, for host views and test hosts that observe it (null when
    // the document holds none).
    virtual CvxMvcModel* GetMvcModel() { return nullptr; }
    // Called when the window starts with a new, empty document; false stops the window.
    virtual bool OnNewDocument()
    {
        m_modified = false;
        return true;
    }

private:
    bool m_modified = false;
};
