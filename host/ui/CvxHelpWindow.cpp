#include "CvxHelpWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const QString kRoot = QStringLiteral("qrc:/help/");

} // namespace

CvxHelpWindow::CvxHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("HelpWindow");
    setWindowTitle(tr("Help"));
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    auto* contents = new QPushButton(tr("&Contents"), this);
    contents->setObjectName("HelpContents");
    auto* back = new QPushButton(tr("&Back"), this);
    back->setObjectName("HelpBack");
    auto* forward = new QPushButton(tr("&Forward"), this);
    forward->setObjectName("HelpForward");
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    layout->addLayout(buttons);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName("HelpPage");
    m_browser->setOpenExternalLinks(true);
    layout->addWidget(m_browser);
    connect(contents, &QPushButton::clicked, this, [this] { ShowTopic(QString()); });
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    back->setEnabled(false);
    forward->setEnabled(false);
    resize(640, 560);
}

CvxHelpWindow& CvxHelpWindow::Get()
{
    static QPointer<CvxHelpWindow> window;
    if (window == nullptr) {
        window = new CvxHelpWindow;
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        // The application ends with its main window, whether help is open or not.
        window->setAttribute(Qt::WA_QuitOnClose, false);
    }
    return *window;
}

void CvxHelpWindow::ShowTopic(const QString& topic)
{
    const QString page = topic.isEmpty() ? QStringLiteral("index.html") : topic;
    if (QFile::exists(":/help/" + page)) {
        m_browser->setSource(QUrl(kRoot + page));
    } else {
        m_browser->setSource(QUrl(kRoot + "index.html"));
        m_browser->append("<p><i>" + tr("There is no help page %1.").arg(page.toHtmlEscaped()) + "</i></p>");
    }
    show();
    raise();
    activateWindow();
}

QString CvxHelpWindow::GetCurrentPage() const
{
    return m_browser->source().fileName();
}
