#pragma once
// The host's print-control interface: what the print framework asks a viewer that prints.
// Only virtual operations; a query the controller does not handle answers 0 (false). The
// framework (its dialog, page loop and header/footer drawing) is the GUI side of the host;
// this interface is free of it, so that viewers register controllers from their core.
//
// Queries are numbered: text queries (QueryText), capability queries (QueryCapability, 1 or
// 0) and number queries (QueryNumber, SetNumber); the numbers are the viewer's to document.

#include <string>

class CvxPrintCtrlBase {
public:
    CvxPrintCtrlBase() = default;
    CvxPrintCtrlBase(const CvxPrintCtrlBase&) = delete;
    CvxPrintCtrlBase& operator=(const CvxPrintCtrlBase&) = delete;
    virtual ~CvxPrintCtrlBase() = default;

    // The controller's name, as the framework lists it.
    virtual std::u16string GetName() const = 0;
    // False: the query is not handled (the text is unchanged).
    virtual bool QueryText(int query, std::u16string& text) const
    {
        (void)query;
        (void)text;
        return false;
    }
    virtual int QueryCapability(int query) const
    {
        (void)query;
        return 0;
    }
    virtual bool QueryNumber(int query, int& value) const
    {
        (void)query;
        (void)value;
        return false;
    }
    virtual bool SetNumber(int query, int value)
    {
        (void)query;
        (void)value;
        return false;
    }
    // Sets what a text query answers (the header and footer texts); false when not handled.
    virtual bool SetText(int query, const std::u16string& text)
    {
        (void)query;
        (void)text;
        return false;
    }
    // A print job's beginning and end.
    virtual void BeginJob() {}
    virtual void EndJob() {}
    // The preparation of a job (token table, layout); false with the reason in `error` when
    // it cannot be laid out: nothing is printed then, and nothing is thrown to the framework.
    virtual bool Prepare(std::u16string& error)
    {
        (void)error;
        return true;
    }
};
