#include "CvxFindDlg.h"

#include "CvxBase.h"
#include "CvxCancelMgr.h"
#include "CvxData.h"
#include "CvxFindMgr.h"
#include "CvxFindModel.h"
#include "CvxLabelMgr.h"
#include "CvxPosition.h"
#include "CvxQtText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

struct CvxFindDlg::Row {
    QLineEdit* pattern;
    QComboBox* base;
};

namespace {

constexpr int kBases[] = {kBaseHex, kBaseBinary, kBaseOctal, kBaseDecimal};

} // namespace

CvxFindDlg::CvxFindDlg(const CvxFindModel& model, std::shared_ptr<const CvxData> data, const CvxPosition& from,
                       Found found, QWidget* parent)
    : QDialog(parent), m_model(std::make_unique<CvxFindModel>(model)), m_data(std::move(data)),
      m_position(std::make_unique<CvxPosition>(from)), m_found(std::move(found))
{
    setObjectName("FindDlg");
    setWindowTitle(tr("Find"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Bus/Signal"), this), 0, 0);
    grid->addWidget(new QLabel(tr("Pattern (X: any digit)"), this), 0, 1);
    grid->addWidget(new QLabel(tr("Base"), this), 0, 2);
    int r = 1;
    for (const CvxPatternModel& pattern : m_model->GetPatterns()) {
        const CvxLabelBase* label = CvxLabelMgr::GetInstance().IDToLabel(pattern.GetLabel().GetLabelID());
        auto* name = new QLabel(label != nullptr ? CvxQt(label->GetName() + pattern.GetLabel().GetChannelSuffix()) : QString(), this);
        auto* edit = new QLineEdit(CvxQt(pattern.GetText()), this);
        edit->setObjectName(QString("Pattern%1").arg(r));
        auto* base = new QComboBox(this);
        base->setObjectName(QString("Base%1").arg(r));
        for (const int code : kBases) {
            base->addItem(CvxQt(CvxBase(code).GetName()), code);
        }
        base->setCurrentIndex(std::max(0, base->findData(pattern.GetBaseCode())));
        grid->addWidget(name, r, 0);
        grid->addWidget(edit, r, 1);
        grid->addWidget(base, r, 2);
        m_rows.push_back({edit, base});
        ++r;
    }
    layout->addLayout(grid);
    auto* options = new QHBoxLayout;
    options->addWidget(new QLabel(tr("&Occurrence:"), this));
    m_occurrence = new QSpinBox(this);
    m_occurrence->setObjectName("Occurrence");
    m_occurrence->setRange(1, 1000000);
    m_occurrence->setValue(m_model->GetOccurrence());
    options->addWidget(m_occurrence);
    m_forward = new QRadioButton(tr("&Forward"), this);
    m_forward->setObjectName("Forward");
    auto* backward = new QRadioButton(tr("&Backward"), this);
    backward->setObjectName("Backward");
    (m_model->IsForward() ? m_forward : backward)->setChecked(true);
    options->addWidget(m_forward);
    options->addWidget(backward);
    options->addStretch();
    layout->addLayout(options);
    m_status = new QLabel(this);
    m_status->setObjectName("Status");
    layout->addWidget(m_status);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* next = buttons->addButton(tr("Find &Next"), QDialogButtonBox::ActionRole);
    next->setObjectName("FindNext");
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, [this] { FindNext(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxFindDlg::reject);
    layout->addWidget(buttons);
    setMinimumWidth(440);
}

CvxFindDlg::~CvxFindDlg() = default;

bool CvxFindDlg::FindNext()
{
    std::vector<CvxPatternModel>& patterns = m_model->GetPatterns();
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        CvxPatternModel taken(patterns[i].GetLabel(), patterns[i].GetWidth(), m_rows[i].base->currentData().toInt());
        std::string error;
        if (!taken.Parse(CvxU16(m_rows[i].pattern->text()), error)) {
            QMessageBox::warning(this, windowTitle(), tr("Pattern %1: %2").arg(i + 1).arg(QString::fromStdString(error)));
            m_rows[i].pattern->setFocus();
            return false;
        }
        patterns[i] = taken;
    }
    m_model->SetOccurrence(m_occurrence->value());
    m_model->SetForward(m_forward->isChecked());
    CvxFindMgr& finder = CvxFindMgr::GetInstance();
    finder.SetModel(*m_model);
    CvxPosition at;
    std::string error;
    bool found = false;
    if (m_data != nullptr) {
        // A long search pumps events and may be cancelled from the cancel dialog.
        CvxCancelMgr::GetInstance().Enable();
        found = finder.FindNext(*m_data, *m_position, at, error);
        CvxCancelMgr::GetInstance().Disable();
    }
    if (!found) {
        m_status->setText(m_data == nullptr  ? tr("There is no data to search.")
                          : error == "not found" ? tr("Not found.")
                                                 : tr("Not found: %1.").arg(QString::fromStdString(error)));
        return false;
    }
    *m_position = at;
    m_status->setText(tr("Found at sample %1.").arg(at.AsSample()));
    if (m_found) {
        m_found(at);
    }
    return true;
}
