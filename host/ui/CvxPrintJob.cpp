#include "CvxPrintJob.h"

#include "CvxPrintCtrlBase.h"
#include "CvxPrintLayoutCtrl.h"
#include "CvxQtText.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace {

// A job begun is ended on every way out.
class JobScope {
public:
    explicit JobScope(CvxPrintCtrlBase& controller) : m_controller(controller) { m_controller.BeginJob(); }
    ~JobScope() { m_controller.EndJob(); }
    JobScope(const JobScope&) = delete;
    JobScope& operator=(const JobScope&) = delete;

private:
    CvxPrintCtrlBase& m_controller;
};

// One band's three texts: left, centred and right, each centred vertically.
void DrawBand(QPainter& painter, const CvxPrintCtrlBase& controller, const CvxPrintLayoutCtrl& layout, int firstQuery,
              const QRect& band)
{
    constexpr Qt::Alignment kAlign[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    for (int i = 0; i < 3; ++i) {
        std::u16string text;
        if (!controller.QueryText(firstQuery + i, text) || text.empty()) {
            continue;
        }
        painter.drawText(band, static_cast<int>(kAlign[i] | Qt::AlignVCenter | Qt::TextSingleLine),
                         CvxQt(CvxPrintJob::ReplaceTokens(std::move(text), layout.GetTokens())));
    }
}

} // namespace

std::u16string CvxPrintJob::ReplaceTokens(std::u16string text, const std::map<std::u16string, std::u16string>& tokens)
{
    // One pass from left to right: a value that holds a token is not replaced again.
    std::u16string out;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto match = std::find_if(tokens.begin(), tokens.end(), [&](const auto& token) {
            return !token.first.empty() && text.compare(at, token.first.size(), token.first) == 0;
        });
        if (match == tokens.end()) {
            out.push_back(text[at++]);
            continue;
        }
        out += match->second;
        at += match->first.size();
    }
    return out;
}

bool CvxPrintJob::Run(CvxPrintCtrlBase& controller, QPrinter& printer, QString& error, int* pages)
{
    if (pages != nullptr) {
        *pages = 0;
    }
    auto* layout = dynamic_cast<CvxPrintLayoutCtrl*>(&controller);
    if (layout == nullptr) {
        error = QString("%1 cannot print its pages.").arg(CvxQt(controller.GetName()));
        return false;
    }
    JobScope job(controller);
    std::u16string reason;
    // Laid out before the painter begins, which creates the output file: a failed layout
    // leaves no file behind.
    const QRect page(0, 0, printer.width(), printer.height());
    if (!layout->PrepareDevice(printer, page, printer.printRange() == QPrinter::Selection, reason)) {
        error = CvxQt(reason);
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = QString("The printer could not be opened.");
        return false;
    }
    int number = 0;
    while (layout->HasNextPage()) {
        if (number > 0 && !printer.newPage()) {
            error = QString("The printer did not take page %1.").arg(number + 1);
            return false;
        }
        ++number;
        painter.save();
        layout->PrintPage(painter, number);
        painter.restore();
        painter.save();
        painter.setFont(layout->GetPrintFont());
        painter.setPen(Qt::black);
        DrawBand(painter, controller, *layout, kFirstTextQuery, layout->GetHeaderRect());
        DrawBand(painter, controller, *layout, kFirstTextQuery + 3, layout->GetFooterRect());
        painter.restore();
    }
    painter.end();
    if (pages != nullptr) {
        *pages = number;
    }
    return true;
}
