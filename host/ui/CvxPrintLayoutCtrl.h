#pragma once
// What the print framework asks of a controller that lays out and draws its own pages, beside
// the window-free queries of CvxPrintCtrlBase: preparation on the printer, the page loop, the
// token table for the header and footer texts, the bands those texts go in, and the pages of
// the options sheet. A controller implements both interfaces; the framework finds this one by
// casting the controller it took from CvxPrintMgr.

#include <QFont>
#include <QRect>

#include <map>
#include <string>

class CvxPrintSheet;
class QPaintDevice;
class QPainter;

class CvxPrintLayoutCtrl {
public:
    CvxPrintLayoutCtrl() = default;
    CvxPrintLayoutCtrl(const CvxPrintLayoutCtrl&) = delete;
    CvxPrintLayoutCtrl& operator=(const CvxPrintLayoutCtrl&) = delete;
    // Out of line: the type's identity lives in this library, for the framework's cast of a
    // controller made in a module loaded at run time.
    virtual ~CvxPrintLayoutCtrl();

    // Once per job, before any page: the token table and the layout for `device`, whose page
    // is `page` (device units). `selection`: the user asked for the selected rows only. False
    // with the reason in `error` when the pages cannot be laid out; nothing is printed then.
    virtual bool PrepareDevice(QPaintDevice& device, const QRect& page, bool selection, std::u16string& error) = 0;
    // Whether a page remains; PrintPage draws it (its body) and brings the page tokens up to
    // date for the header and footer drawn after it.
    virtual bool HasNextPage() const = 0;
    virtual void PrintPage(QPainter& painter, int pageNumber) = 0;

    virtual const std::map<std::u16string, std::u16string>& GetTokens() const = 0;
    virtual QRect GetHeaderRect() const = 0;
    virtual QRect GetFooterRect() const = 0;
    virtual QFont GetPrintFont() const = 0;
    // Whether the viewer has a selection the user may print alone.
    virtual bool HasSelection() const { return false; }

    virtual void AddOptionPages(CvxPrintSheet& sheet) = 0;
    virtual void RemoveOptionPages(CvxPrintSheet& sheet) = 0;
};
