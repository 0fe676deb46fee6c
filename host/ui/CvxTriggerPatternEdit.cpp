#include "CvxTriggerPatternEdit.h"

#include "CvxBase.h"
#include "CvxLabelChannel.h"
#include "CvxLabelMgr.h"
#include "CvxPatternModel.h"
#include "CvxQtText.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStringConvert.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

#include <algorithm>

CvxTriggerPatternEdit::CvxTriggerPatternEdit(const std::vector<CvxID>& labels, QWidget* parent) : QWidget(parent)
{
    const CvxLabelMgr& mgr = CvxLabelMgr::GetInstance();
    const CvxStdCmdIFaceMgr& ifaces = CvxStdCmdIFaceMgr::GetInstance();
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    m_label = new QComboBox(this);
    m_label->setObjectName("label");
    for (const CvxID& id : labels) {
        const CvxLabelBase* label = mgr.IDToLabel(id);
        if (label != nullptr && label->IsA(EvxLabelKind::BusSignal) && ifaces.IsValidTriggerLabel(CvxLabelChannel(id))) {
            m_labels.push_back(id);
            m_label->addItem(CvxQt(label->GetName()));
        }
    }
    m_base = new QComboBox(this);
    m_base->setObjectName("base");
    m_base->addItem(tr("Hex"), kBaseHex);
    m_base->addItem(tr("Binary"), kBaseBinary);
    m_pattern = new QLineEdit(this);
    m_pattern->setObjectName("pattern");
    m_pattern->setPlaceholderText(tr("digits, X for any"));
    form->addRow(tr("&Bus/Signal:"), m_label);
    form->addRow(tr("&Base:"), m_base);
    form->addRow(tr("&Pattern:"), m_pattern);
    LabelChosen();
    connect(m_label, &QComboBox::currentIndexChanged, this, &CvxTriggerPatternEdit::LabelChosen);
    connect(m_base, &QComboBox::currentIndexChanged, this, &CvxTriggerPatternEdit::BaseChosen);
}

CvxTriggerPatternEdit::~CvxTriggerPatternEdit() = default;

int CvxTriggerPatternEdit::CurrentWidth() const
{
    const int index = m_label->currentIndex();
    const CvxLabelBase* label =
        index >= 0 ? CvxLabelMgr::GetInstance().IDToLabel(m_labels[static_cast<std::size_t>(index)]) : nullptr;
    return label != nullptr ? label->GetNumberOfChannels() : 1;
}

void CvxTriggerPatternEdit::LabelChosen()
{
    // A signal's pattern is one binary digit; a bus's reads best in hexadecimal.
    const QSignalBlocker blocker(m_base);
    m_base->setCurrentIndex(m_base->findData(CurrentWidth() == 1 ? kBaseBinary : kBaseHex));
    m_shownBase = m_base->currentData().toInt();
}

void CvxTriggerPatternEdit::BaseChosen()
{
    const int base = m_base->currentData().toInt();
    const int index = m_label->currentIndex();
    if (index >= 0 && !m_pattern->text().trimmed().isEmpty()) {
        CvxPatternModel old{CvxLabelChannel(m_labels[static_cast<std::size_t>(index)]), CurrentWidth(), m_shownBase};
        std::string error;
        CvxPatternModel rewritten(old.GetLabel(), old.GetWidth(), base);
        if (old.Parse(CvxU16(m_pattern->text()), error) && rewritten.SetBits(old.GetValueBits(), old.GetCareBits())) {
            m_pattern->setText(CvxQt(rewritten.GetText()));
        }
    }
    m_shownBase = base;
}

bool CvxTriggerPatternEdit::SetPattern(const CvxPatternModel& pattern)
{
    const auto at = std::find(m_labels.begin(), m_labels.end(), pattern.GetLabel().GetLabelID());
    const int base = m_base->findData(pattern.GetBaseCode());
    if (at == m_labels.end() || base < 0) {
        return false;
    }
    m_label->setCurrentIndex(static_cast<int>(at - m_labels.begin()));
    {
        const QSignalBlocker blocker(m_base);
        m_base->setCurrentIndex(base);
    }
    m_shownBase = pattern.GetBaseCode();
    m_pattern->setText(CvxQt(pattern.GetText()));
    return true;
}

bool CvxTriggerPatternEdit::GetPattern(CvxPatternModel& pattern, QString& error) const
{
    const int index = m_label->currentIndex();
    if (index < 0) {
        error = tr("There is no bus/signal the trigger can be set on.");
        return false;
    }
    const CvxID& id = m_labels[static_cast<std::size_t>(index)];
    if (CvxLabelMgr::GetInstance().IDToLabel(id) == nullptr) {
        error = tr("The bus/signal %1 no longer exists.").arg(m_label->currentText());
        return false;
    }
    CvxPatternModel candidate(CvxLabelChannel(id), CurrentWidth(), m_base->currentData().toInt());
    std::string problem;
    if (!candidate.Parse(CvxU16(m_pattern->text()), problem)) {
        error = tr("%1: %2.").arg(m_label->currentText(), CvxQt(CvxStringConvert::FromUtf8(problem)));
        return false;
    }
    pattern = candidate;
    return true;
}
