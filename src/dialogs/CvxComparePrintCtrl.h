#pragma once
// The Compare viewer's print controller with its windowed side: the layout and drawing of the
// pages, the token table, and the "Options" page of the print dialog. The tool makes it
// through its print-controller factory, which this library sets when it is loaded, so that
// the module's core never includes a window header.
//
// The print range is the window's compare range (all the data, or marker to marker), or the
// rows the user outlined in the grid when the print dialog's "Selection" is chosen.

#include "CvxComparePrintCtrlCore.h"
#include "CvxComparePrintLayout.h"
#include "CvxComparePrintSettings.h"
#include "CvxComparePrintSupport.h"
#include "CvxPrintLayoutCtrl.h"

#include <QPointer>

#include <functional>
#include <memory>

class CvxComparePrintOptionsPage;
class CvxComparePrinterCtrlRender;

class CvxComparePrintCtrl : public CvxComparePrintCtrlCore, public CvxPrintLayoutCtrl {
public:
    // The rows outlined in the window's grid; false when none are.
    using OutlineQuery = std::function<bool(CvxPosition& first, CvxPosition& last)>;

    CvxComparePrintCtrl(CvxCompareModel& model, const CvxID& instance);
    ~CvxComparePrintCtrl() override;

    // The registered controller that prints `model`, if it is one of these.
    static CvxComparePrintCtrl* ForModel(const CvxCompareModel& model);
    void SetOutlineQuery(OutlineQuery query) { m_outline = std::move(query); }

    void BeginJob() override;
    void EndJob() override;

    bool PrepareDevice(QPaintDevice& device, const QRect& page, bool selection, std::u16string& error) override;
    bool HasNextPage() const override;
    void PrintPage(QPainter& painter, int pageNumber) override;
    const std::map<std::u16string, std::u16string>& GetTokens() const override { return m_tokens; }
    QRect GetHeaderRect() const override { return m_layout.GetHeader(); }
    QRect GetFooterRect() const override { return m_layout.GetFooter(); }
    QFont GetPrintFont() const override;
    bool HasSelection() const override;
    void AddOptionPages(CvxPrintSheet& sheet) override;
    void RemoveOptionPages(CvxPrintSheet& sheet) override;

    // The token table and the layout at a resolution, as PrepareDevice makes them.
    bool PrepareAt(const QRect& page, int dpiX, int dpiY, bool selection, std::u16string& error);
    CvxComparePrintSettings& GetSettings() { return m_settings; }
    const CvxComparePrintLayout& GetLayout() const { return m_layout; }
    const CvxPosition& GetRangeStart() const { return m_start; }
    const CvxPosition& GetRangeEnd() const { return m_end; }

private:
    void BuildTokens();
    void ResolveRange(bool selection);

    CvxComparePrintSettings m_settings;
    CvxComparePrintSupport m_support;
    CvxComparePrintLayout m_layout;
    std::unique_ptr<CvxComparePrinterCtrlRender> m_render;
    std::map<std::u16string, std::u16string> m_tokens;
    CvxPosition m_start;
    CvxPosition m_end;
    OutlineQuery m_outline;
    QPointer<CvxComparePrintOptionsPage> m_page;
};
