#include "CvxSymbolsDlg.h"

#include "CvxLabelMgr.h"
#include "CvxQtText.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStdToolCmdIFace.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

namespace {

constexpr int kValueColumn = 0;
constexpr int kNameColumn = 1;

CvxStdToolCmdIFace* CreatorOf(const CvxLabelBase& label)
{
    return CvxStdCmdIFaceMgr::GetInstance().GetIFaceFromInstanceID(label.GetCreatorInstanceID());
}

QString Hex(std::uint64_t value)
{
    return QString::number(value, 16).toUpper();
}

// The table's rows as the symbols of the bus/signal; false with `error` naming the first bad
// row, which becomes the current one.
bool ReadRows(QTableWidget* table, const CvxID& id, std::map<CvxUInt, std::u16string>& symbols, QString& error)
{
    const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(id);
    if (label == nullptr) {
        error = QObject::tr("The bus/signal no longer exists.");
        return false;
    }
    const int width = label->GetNumberOfChannels();
    std::map<CvxUInt, int> rowOf; // value -> the row (from 1) that has it
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem* valueItem = table->item(row, kValueColumn);
        const QTableWidgetItem* nameItem = table->item(row, kNameColumn);
        QString text = valueItem != nullptr ? valueItem->text().trimmed() : QString();
        const QString name = nameItem != nullptr ? nameItem->text().trimmed() : QString();
        const int shown = row + 1;
        if (text.startsWith("0x", Qt::CaseInsensitive)) {
            text = text.mid(2);
        }
        const bool digitsOnly = std::all_of(text.begin(), text.end(), [](QChar c) {
            return (c >= '0' && c <= '9') || (c.toUpper() >= 'A' && c.toUpper() <= 'F');
        });
        // Leading zeros do not count towards the width.
        qsizetype first = 0;
        while (first + 1 < text.size() && text[first] == '0') {
            ++first;
        }
        const QString significant = text.mid(first);
        const std::uint64_t value = digitsOnly && significant.size() <= 16 ? significant.toULongLong(nullptr, 16) : 0;
        if (text.isEmpty()) {
            error = QObject::tr("Row %1: the value is empty.").arg(shown);
        } else if (!digitsOnly) {
            error = QObject::tr("Row %1: \"%2\" is not a hexadecimal value.").arg(shown).arg(text);
        } else if (significant.size() > 16 || (width < 64 && (value >> width) != 0)) {
            error = QObject::tr("Row %1: %2 does not fit in the %3 bits of %4.")
                        .arg(shown)
                        .arg(significant.toUpper())
                        .arg(width)
                        .arg(CvxQt(label->GetName()));
        } else if (name.isEmpty()) {
            error = QObject::tr("Row %1: the symbol has no name.").arg(shown);
        } else if (const auto same = rowOf.find(CvxUInt(value)); same != rowOf.end()) {
            error = QObject::tr("Row %1: the value %2 is already the value of row %3.").arg(shown).arg(Hex(value)).arg(same->second);
        }
        if (!error.isEmpty()) {
            table->setCurrentCell(row, kValueColumn);
            return false;
        }
        rowOf.emplace(CvxUInt(value), shown);
        symbols[CvxUInt(value)] = CvxU16(name);
    }
    return true;
}

} // namespace

bool CvxSymbolsDlg::HasSymbolsToEdit(const CvxID& id)
{
    const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(id);
    if (label == nullptr || !label->IsA(EvxLabelKind::BusSignal) || label->GetNumberOfChannels() < 1
        || label->GetNumberOfChannels() > 64) {
        return false;
    }
    const CvxStdToolCmdIFace* creator = CreatorOf(*label);
    return creator != nullptr && creator->CanSetLabelSymbols(id);
}

CvxSymbolsDlg::CvxSymbolsDlg(const CvxID& id, QWidget* parent) : QDialog(parent), m_label(std::make_unique<const CvxID>(id))
{
    setObjectName("SymbolsDlg");
    const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(id);
    setWindowTitle(tr("Symbols"));
    auto* layout = new QVBoxLayout(this);
    if (label != nullptr) {
        layout->addWidget(new QLabel(tr("Symbols of %1 (%2 bits); values in hexadecimal.")
                                         .arg(CvxQt(label->GetName()))
                                         .arg(label->GetNumberOfChannels()),
                                     this));
    }
    m_table = new QTableWidget(0, 2, this);
    m_table->setObjectName("table");
    m_table->setHorizontalHeaderLabels({tr("Value (hex)"), tr("Symbol")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setVisible(true);
    layout->addWidget(m_table);
    if (label != nullptr) {
        for (const auto& [value, name] : label->GetSymbols()) {
            AddRow(Hex(value.Low64()), CvxQt(name));
        }
    }
    auto* rowButtons = new QHBoxLayout;
    auto* add = new QPushButton(tr("Add"), this);
    add->setObjectName("add");
    add->setAutoDefault(false);
    auto* remove = new QPushButton(tr("Remove"), this);
    remove->setObjectName("remove");
    remove->setAutoDefault(false);
    rowButtons->addWidget(add);
    rowButtons->addWidget(remove);
    rowButtons->addStretch();
    layout->addLayout(rowButtons);
    connect(add, &QPushButton::clicked, this, [this] {
        AddRow(QString(), QString());
        m_table->setCurrentCell(m_table->rowCount() - 1, kValueColumn);
        m_table->editItem(m_table->item(m_table->rowCount() - 1, kValueColumn));
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (m_table->currentRow() >= 0) {
            m_table->removeRow(m_table->currentRow());
        }
    });
    m_error = new QLabel(this);
    m_error->setObjectName("error");
    m_error->setWordWrap(true);
    layout->addWidget(m_error);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &CvxSymbolsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxSymbolsDlg::reject);
    layout->addWidget(buttons);
    if (!HasSymbolsToEdit(id)) {
        m_error->setText(label == nullptr ? tr("The bus/signal no longer exists.")
                                          : tr("The symbols of %1 cannot be edited.").arg(CvxQt(label->GetName())));
        buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    }
    resize(420, 320);
}

CvxSymbolsDlg::~CvxSymbolsDlg() = default;

void CvxSymbolsDlg::AddRow(const QString& value, const QString& name)
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    m_table->setItem(row, kValueColumn, new QTableWidgetItem(value));
    m_table->setItem(row, kNameColumn, new QTableWidgetItem(name));
}

void CvxSymbolsDlg::accept()
{
    std::map<CvxUInt, std::u16string> symbols;
    QString error;
    if (!ReadRows(m_table, *m_label, symbols, error)) {
        m_error->setText(error);
        return;
    }
    const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(*m_label);
    CvxStdToolCmdIFace* creator = label != nullptr ? CreatorOf(*label) : nullptr;
    if (creator == nullptr || !creator->SetLabelSymbols(*m_label, symbols)) {
        m_error->setText(tr("The symbols of %1 were not stored: its source takes none.")
                             .arg(label != nullptr ? CvxQt(label->GetName()) : QString()));
        return;
    }
    QDialog::accept();
}
