#include "CvxChannelAssignDlg.h"

#include "CvxLabelMgr.h"
#include "CvxQtText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CvxChannelAssignDlg::CvxChannelAssignDlg(const CvxID& id, QWidget* parent) : QDialog(parent)
{
    setObjectName("ChannelAssignDlg");
    setWindowTitle(tr("Assign Channels"));
    const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(id);
    const bool bus = label != nullptr && label->IsA(EvxLabelKind::BusSignal);
    auto* layout = new QVBoxLayout(this);
    auto* table = new QTableWidget(0, 2, this);
    table->setObjectName("channels");
    table->setHorizontalHeaderLabels({tr("Bit"), tr("Channel")});
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const int width = bus ? label->GetNumberOfChannels() : 0;
    table->setRowCount(width);
    for (int bit = width - 1; bit >= 0; --bit) {
        const int row = width - 1 - bit;
        const std::u16string channel = label->GetChannelName(bit);
        table->setItem(row, 0, new QTableWidgetItem(QString::number(bit)));
        table->setItem(row, 1, new QTableWidgetItem(channel.empty() ? tr("(not named by the source)") : CvxQt(channel)));
    }
    layout->addWidget(table);
    auto* note = new QLabel(this);
    note->setObjectName("note");
    note->setWordWrap(true);
    note->setText(label == nullptr ? tr("The bus/signal no longer exists.")
                  : !bus           ? tr("%1 is not made of acquisition channels.").arg(CvxQt(label->GetName()))
                                   : tr("The channels of %1 come from its source and cannot be changed here.")
                                       .arg(CvxQt(label->GetName())));
    layout->addWidget(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &CvxChannelAssignDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxChannelAssignDlg::reject);
    layout->addWidget(buttons);
    resize(360, 320);
}
