#pragma once
// A tabbed dialog of CvxPropertyPages ("Tabs") with OK ("1"), Cancel ("2"), Apply ("12321")
// and Help ("9") at the bottom. A sheet has no template of its own: its object name is its
// name ("ComparePropertySheet").
//
// Apply is enabled exactly while a page is modified, and applies every page (ApplyAll). OK
// applies too, then closes unless a page is still modified afterwards, that is, a page
// refused its changes. Cancel closes and applies nothing. Help and F1 show the help topic of
// the page shown (HelpTopic); the Help button is there only after SetHasHelp(true).

#include "CvxDialog.h"

#include <string>

class CvxPropertyPage;
class QPushButton;
class QShortcut;
class QTabWidget;

class CvxPropertySheet : public CvxDialog {
    Q_OBJECT
public:
    // firstPage: the index of the page shown first, once it has been added.
    CvxPropertySheet(const QString& name, const QString& caption, QWidget* parent, int firstPage = 0);

    // The sheet takes the page (as its Qt parent); its tab shows the page's title.
    void AddPage(CvxPropertyPage* page);
    int GetPageCount() const;
    // Null outside 0..GetPageCount()-1.
    CvxPropertyPage* GetPage(int index) const;
    // False (nothing changes) for an index that is no page.
    bool SetActivePage(int index);
    // -1 without pages.
    int GetActiveIndex() const;
    CvxPropertyPage* GetActivePage() const;

    void SetHasHelp(bool hasHelp);
    bool HasHelp() const { return m_hasHelp; }
    bool IsAnyPageModified() const;

    // Runs every page's OnApply in page order, clearing each page's modified state; a page
    // that refuses stops it and is shown. A sheet whose pages must be applied in another
    // order overrides it (and clears the pages' states itself).
    virtual void ApplyAll();
    // The topic Help shows: by default the shown page's GetHelpTopic().
    virtual std::u16string HelpTopic() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Ok();
    void ShowHelp();
    void UpdateApply();
    void ActivateCurrent();

    QTabWidget* m_tabs = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_help = nullptr;
    QShortcut* m_helpKey = nullptr;
    int m_firstPage;
    bool m_hasHelp = false;
    bool m_showing = false; // pages are activated only while the sheet is shown
};
