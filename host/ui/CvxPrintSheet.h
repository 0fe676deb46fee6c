#pragma once
// The options sheet of a print job: the pages the print controller adds (the framework shows
// them as tabs of its print dialog) and applies when the dialog is accepted. The sheet does
// not own its pages: the controller that adds a page deletes it when asked to remove it.

#include <QList>

class CvxPrintOptionsPage;
class QWidget;

class CvxPrintSheet {
public:
    void AddPage(CvxPrintOptionsPage* page);
    void RemovePage(CvxPrintOptionsPage* page);
    const QList<CvxPrintOptionsPage*>& GetPages() const { return m_pages; }
    QList<QWidget*> GetWidgets() const;
    void Apply();

private:
    QList<CvxPrintOptionsPage*> m_pages;
};
