#include "CvxSourceDlg.h"

#include "CvxAcquisitionSource.h"
#include "CvxHostSession.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QTableWidget>
#include <QVBoxLayout>

CvxSourceDlg::CvxSourceDlg(const CvxAcquisitionSource* current, QWidget* parent) : QDialog(parent)
{
    setObjectName("SourceDlg");
    setWindowTitle(tr("Acquisition Source"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_kind = new QComboBox(this);
    m_kind->setObjectName("Kind");
    m_kind->addItem(tr("Simulated analyzer"), "simulated");
    m_kind->addItem(tr("VCD capture file"), "vcd");
    m_kind->addItem(tr("libsigrok device or file"), "sigrok");
    form->addRow(tr("&Source:"), m_kind);
    layout->addLayout(form);
    m_options = new QTableWidget(0, 3, this);
    m_options->setObjectName("Options");
    m_options->setHorizontalHeaderLabels({tr("Option"), tr("Value"), tr("Meaning")});
    m_options->horizontalHeader()->setStretchLastSection(true);
    m_options->verticalHeader()->hide();
    layout->addWidget(m_options);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CvxSourceDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxSourceDlg::reject);
    layout->addWidget(buttons);
    resize(640, 420);

    const QString kind = current != nullptr ? QString::fromStdString(CvxHostSession::SourceKind(*current)) : "simulated";
    m_kind->setCurrentIndex(std::max(0, m_kind->findData(kind)));
    ShowKind(kind);
    // The current source's values, so that OK without a change keeps them.
    if (current != nullptr) {
        for (const CvxSourceOption& option : current->GetOptions()) {
            const auto found = m_options->findItems(QString::fromStdString(option.key), Qt::MatchExactly);
            if (!found.isEmpty() && found.front()->column() == 0) {
                m_options->item(found.front()->row(), 1)->setText(QString::fromStdString(option.value));
            }
        }
    }
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this] { ShowKind(m_kind->currentData().toString()); });
}

CvxSourceDlg::~CvxSourceDlg() = default;

void CvxSourceDlg::ShowKind(const QString& kind)
{
    m_source = CvxHostSession::MakeSource(kind.toStdString());
    m_options->setRowCount(0);
    if (m_source == nullptr) {
        return;
    }
    for (const CvxSourceOption& option : m_source->GetOptions()) {
        const int row = m_options->rowCount();
        m_options->insertRow(row);
        auto* key = new QTableWidgetItem(QString::fromStdString(option.key));
        key->setFlags(key->flags() & ~Qt::ItemIsEditable);
        auto* meaning = new QTableWidgetItem(QString::fromStdString(option.description));
        meaning->setFlags(meaning->flags() & ~Qt::ItemIsEditable);
        m_options->setItem(row, 0, key);
        m_options->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(option.value)));
        m_options->setItem(row, 2, meaning);
    }
    m_options->resizeColumnToContents(0);
}

void CvxSourceDlg::accept()
{
    // A fresh source takes every value; the first it refuses stops OK and nothing is applied.
    std::unique_ptr<CvxAcquisitionSource> source = CvxHostSession::MakeSource(m_kind->currentData().toString().toStdString());
    if (source == nullptr) {
        return;
    }
    const std::vector<CvxSourceOption> defaults = source->GetOptions();
    for (int row = 0; row < m_options->rowCount(); ++row) {
        const std::string key = m_options->item(row, 0)->text().toStdString();
        const std::string value = m_options->item(row, 1)->text().trimmed().toStdString();
        const auto same = std::find_if(defaults.begin(), defaults.end(), [&](const CvxSourceOption& o) {
            return o.key == key && o.value == value;
        });
        std::string error;
        if (same == defaults.end() && !source->SetOption(key, value, error)) {
            QMessageBox::warning(this, windowTitle(), tr("Option %1: %2").arg(QString::fromStdString(key), QString::fromStdString(error)));
            m_options->setCurrentCell(row, 1);
            return;
        }
    }
    m_source = std::move(source);
    QDialog::accept();
}

std::unique_ptr<CvxAcquisitionSource> CvxSourceDlg::TakeSource()
{
    return std::move(m_source);
}
