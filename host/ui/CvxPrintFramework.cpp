#include "CvxPrintFramework.h"

#include "CvxPrintCtrlBase.h"
#include "CvxPrintJob.h"
#include "CvxPrintLayoutCtrl.h"
#include "CvxPrintSheet.h"
#include "CvxQtText.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

// The controller's options pages for one dialog: added when it opens, removed (and deleted
// by the controller) before the dialog that took them goes.
class SheetScope {
public:
    explicit SheetScope(CvxPrintLayoutCtrl* layout) : m_layout(layout)
    {
        if (m_layout != nullptr) {
            m_layout->AddOptionPages(m_sheet);
        }
    }
    ~SheetScope()
    {
        if (m_layout != nullptr) {
            m_layout->RemoveOptionPages(m_sheet);
        }
    }
    SheetScope(const SheetScope&) = delete;
    SheetScope& operator=(const SheetScope&) = delete;
    CvxPrintSheet& Get() { return m_sheet; }

private:
    CvxPrintLayoutCtrl* m_layout;
    CvxPrintSheet m_sheet;
};

QString Title(const CvxPrintCtrlBase& controller)
{
    return CvxQt(controller.GetName());
}

} // namespace

void CvxPrintFramework::Tell(QWidget* parent, const QString& error)
{
    QMessageBox::warning(parent, QObject::tr("Print"), error);
}

bool CvxPrintFramework::Print(CvxPrintCtrlBase& controller, QWidget* parent)
{
    auto* layout = dynamic_cast<CvxPrintLayoutCtrl*>(&controller);
    QPrinter printer;
    printer.setDocName(Title(controller));
    bool accepted = false;
    {
        QPrintDialog dialog(&printer, parent);
        dialog.setObjectName("PrintDialog");
        dialog.setWindowTitle(QObject::tr("Print"));
        dialog.setOption(QAbstractPrintDialog::PrintSelection, layout != nullptr && layout->HasSelection());
        SheetScope sheet(layout);
        dialog.setOptionTabs(sheet.Get().GetWidgets());
        accepted = dialog.exec() == QDialog::Accepted;
        if (accepted) {
            sheet.Get().Apply();
        }
    }
    if (!accepted) {
        return false;
    }
    QString error;
    if (!CvxPrintJob::Run(controller, printer, error)) {
        Tell(parent, error);
        return false;
    }
    return true;
}

bool CvxPrintFramework::Preview(CvxPrintCtrlBase& controller, QWidget* parent)
{
    QPrinter printer;
    printer.setDocName(Title(controller));
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName("PrintPreviewDialog");
    QString error;
    // The preview asks for the pages again after each change of page set-up; a failure is
    // told once, after the dialog.
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        QString reason;
        if (!CvxPrintJob::Run(controller, *target, reason) && error.isEmpty()) {
            error = reason;
        }
    });
    dialog.exec();
    if (!error.isEmpty()) {
        Tell(parent, error);
        return false;
    }
    return true;
}

bool CvxPrintFramework::ExportPdf(CvxPrintCtrlBase& controller, QWidget* parent)
{
    const QString path = QFileDialog::getSaveFileName(parent, QObject::tr("Export PDF"), Title(controller) + ".pdf",
                                                      QObject::tr("PDF files (*.pdf)"));
    if (path.isEmpty()) {
        return false;
    }
    QString error;
    if (!WritePdf(controller, path, error)) {
        Tell(parent, error);
        return false;
    }
    return true;
}

bool CvxPrintFramework::WritePdf(CvxPrintCtrlBase& controller, const QString& path, QString& error, int* pages)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(Title(controller));
    return CvxPrintJob::Run(controller, printer, error, pages);
}
