#pragma once
// One page of a CvxPropertySheet, known by its template number (also its object name); its
// tab shows its title. A page edits working copies and hands them over in OnApply. Marking it
// modified enables the sheet's Apply button.
//
// A page may build its controls lazily: OnInitDialog runs once, just before the page is first
// shown; OnSetActive runs every time the page becomes the shown one. OnApply can run for a page
// that was never shown (the sheet applies every page), so it must not rely on OnInitDialog.

#include <QString>
#include <QWidget>

class CvxPropertyPage : public QWidget {
    Q_OBJECT
public:
    CvxPropertyPage(const QString& title, int templateID, QWidget* parent = nullptr);

    const QString& GetTitle() const { return m_title; }
    int GetTemplateID() const { return m_templateID; }

    void SetModified(bool modified);
    bool IsModified() const { return m_modified; }
    bool IsInitialized() const { return m_initialized; }

    // Hands the page's working copies over. False keeps the page modified and its sheet open
    // on it (the page shows why). The default takes nothing and answers true.
    virtual bool OnApply();
    // The help page for this page ("compare_options.htm"); empty for the contents.
    virtual QString GetHelpTopic() const;

signals:
    void modifiedChanged(bool modified);

protected:
    virtual void OnInitDialog();
    virtual void OnSetActive();

private:
    friend class CvxPropertySheet;
    // Runs OnInitDialog the first time, then OnSetActive.
    void Activate();

    QString m_title;
    int m_templateID;
    bool m_modified = false;
    bool m_initialized = false;
};
