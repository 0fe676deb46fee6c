#include "CvxLogPane.h"

#include "CvxInfoMgr.h"

#include <QTimer>

#include <algorithm>

CvxLogPane::CvxLogPane(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName("Log");
    setReadOnly(true);
    setMaximumBlockCount(2000);
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &CvxLogPane::Poll);
    timer->start(250);
    Poll();
}

void CvxLogPane::Poll()
{
    CvxInfoMgr& info = CvxInfoMgr::GetInstance();
    const std::uint64_t count = info.GetMessageCount();
    if (count == m_seen) {
        return;
    }
    const std::vector<CvxInfoMgr::Entry> recent = info.GetRecentMessages();
    // Only the newest `count - m_seen` are new (fewer when the recent list dropped some).
    const auto fresh = static_cast<std::size_t>(std::min<std::uint64_t>(count - m_seen, recent.size()));
    for (std::size_t i = recent.size() - fresh; i < recent.size(); ++i) {
        const QString text = QString::fromUtf16(recent[i].text.data(), static_cast<qsizetype>(recent[i].text.size()));
        if (recent[i].type == kMessageError) {
            appendHtml("<span style='color:#b00000'>" + text.toHtmlEscaped() + "</span>");
        } else {
            appendPlainText(text);
        }
    }
    m_seen = count;
}
