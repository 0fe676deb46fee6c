#pragma once
// The document of a viewer window: made by the plug-in base from the plug-in's document
// run-time class, it holds the window's data (a viewer's model). The modified flag is only
// stored; a document that never counts as modified overrides IsModified.

class CvxDocument {
public:
    CvxDocument() = default;
    CvxDocument(const CvxDocument&) = delete;
    CvxDocument& operator=(const CvxDocument&) = delete;
    virtual ~CvxDocument() = default;

    virtual bool IsModified() const { return m_modified; }
    virtual void SetModifiedFlag(bool modified) { m_modified = modified; }
    // Called when the window starts with a new, empty document; false stops the window.
    virtual bool OnNewDocument()
    {
        m_modified = false;
        return true;
    }

private:
    bool m_modified = false;
};
