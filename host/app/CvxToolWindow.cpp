#include "CvxToolWindow.h"

#include "CvxQtText.h"
#include "CvxMarkupDocument.h"
#include "CvxStdToolCmdIFace.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CvxToolWindow::CvxToolWindow(const QString& name, CvxPlugInBase& plugIn, CvxStdToolCmdIFace& tool, QWidget* parent)
    : QWidget(parent), m_name(name), m_plugIn(plugIn), m_tool(tool)
{
    setObjectName(name);
    setWindowTitle(name);
    auto* layout = new QVBoxLayout(this);
    m_counts = new QLabel(this);
    m_counts->setObjectName("Counts");
    m_counts->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_options = new QLabel(this);
    m_options->setObjectName("Options");
    m_options->setWordWrap(true);
    m_options->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* form = new QFormLayout;
    form->addRow(tr("Comparison:"), m_counts);
    form->addRow(tr("Options:"), m_options);
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    auto* copy = new QPushButton(tr("Copy Reference"), this);
    copy->setObjectName("CopyReference");
    auto* compare = new QPushButton(tr("Compare"), this);
    compare->setObjectName("Execute");
    connect(copy, &QPushButton::clicked, this, [this] { Execute("CopyReference"); });
    connect(compare, &QPushButton::clicked, this, [this] { Execute("Execute"); });
    buttons->addWidget(copy);
    buttons->addWidget(compare);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();
    Refresh();
}

void CvxToolWindow::Refresh()
{
    std::u16string reply;
    QString counts = tr("no comparison yet");
    if (m_tool.GetDataValue(u"GetCounts", reply)) {
        CvxMarkupDocument doc(reply);
        std::u16string samples, columns, differences;
        if (doc.HasRoot() && doc.FindElement(u"Counts") && doc.GetAttribute(u"SamplesCompared", samples)
            && doc.GetAttribute(u"ColumnsCompared", columns) && doc.GetAttribute(u"Differences", differences)) {
            counts = tr("%1 samples of %2 buses/signals compared, %3 differences")
                         .arg(CvxQt(samples), CvxQt(columns), CvxQt(differences));
        }
    }
    m_counts->setText(counts);
    m_options->setText(m_tool.GetDataValue(u"GetOptions", reply) ? CvxQt(reply).toHtmlEscaped() : QString());
}

void CvxToolWindow::Execute(const QString& command)
{
    m_tool.ExecuteCommand(CvxU16(command));
    Refresh();
}
