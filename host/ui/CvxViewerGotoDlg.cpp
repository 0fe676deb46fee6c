#include "CvxViewerGotoDlg.h"

#include "CvxQtText.h"
#include "CvxData.h"
#include "CvxDataTable.h"
#include "CvxLabelChannel.h"
#include "CvxMarkerMgr.h"
#include "CvxSourceText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {


QString TimeText(CvxTime t)
{
    return QString::fromStdString(CvxSourceText::FormatTime(t.AsInt128()));
}

} // namespace

CvxViewerGotoDlg::CvxViewerGotoDlg(std::shared_ptr<const CvxData> data, const CvxLabelChannel& label,
                                   const CvxMarkerMgr* markers, QWidget* parent)
    : QDialog(parent), m_data(std::move(data)), m_markers(markers)
{
    if (m_data != nullptr) {
        m_table = m_data->GetTableWithLabelID(label.GetLabelID());
        if (m_table == nullptr && m_data->GetTableCount() > 0) {
            m_table = &m_data->GetTable(0);
        }
    }
    setObjectName("ViewerGotoDlg");
    setWindowTitle(tr("Go To"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    m_bySample = new QRadioButton(tr("&Sample:"), this);
    m_bySample->setObjectName("BySample");
    m_byTime = new QRadioButton(tr("&Time:"), this);
    m_byTime->setObjectName("ByTime");
    m_byMarker = new QRadioButton(tr("&Marker:"), this);
    m_byMarker->setObjectName("ByMarker");
    m_sampleEdit = new QLineEdit(this);
    m_sampleEdit->setObjectName("Sample");
    m_timeEdit = new QLineEdit(this);
    m_timeEdit->setObjectName("Time");
    m_markerCombo = new QComboBox(this);
    m_markerCombo->setObjectName("Marker");
    if (m_table != nullptr && m_table->GetRowCount() > 0) {
        const std::int64_t last = m_table->GetRowCount() - 1;
        m_sampleEdit->setPlaceholderText(QString("%1 to %2").arg(m_table->GetSampleNumber(0)).arg(m_table->GetSampleNumber(last)));
        m_timeEdit->setPlaceholderText(TimeText(m_table->GetRowTime(0)) + " to " + TimeText(m_table->GetRowTime(last)));
    }
    if (m_markers != nullptr) {
        for (const CvxMarker* marker : m_markers->GetMarkers(true)) {
            m_markerCombo->addItem(CvxQt(marker->GetNameWithAbbreviation()) + "  (" + TimeText(marker->GetPosition().AsTime()) + ")",
                                   QString::fromStdString(marker->GetID().ToString()));
        }
    }
    m_byMarker->setEnabled(m_markerCombo->count() > 0);
    grid->addWidget(m_bySample, 0, 0);
    grid->addWidget(m_sampleEdit, 0, 1);
    grid->addWidget(m_byTime, 1, 0);
    grid->addWidget(m_timeEdit, 1, 1);
    grid->addWidget(m_byMarker, 2, 0);
    grid->addWidget(m_markerCombo, 2, 1);
    layout->addLayout(grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CvxViewerGotoDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxViewerGotoDlg::reject);
    layout->addWidget(buttons);
    // Typing into a field chooses its way.
    connect(m_sampleEdit, &QLineEdit::textEdited, m_bySample, [this] { m_bySample->setChecked(true); });
    connect(m_timeEdit, &QLineEdit::textEdited, m_byTime, [this] { m_byTime->setChecked(true); });
    connect(m_markerCombo, &QComboBox::activated, m_byMarker, [this] { m_byMarker->setChecked(true); });
    m_bySample->setChecked(true);
    setMinimumWidth(380);
}

void CvxViewerGotoDlg::accept()
{
    const auto refuse = [this](const QString& why, QWidget* field) {
        QMessageBox::warning(this, windowTitle(), why);
        field->setFocus();
    };
    if (m_table == nullptr || m_table->GetRowCount() == 0) {
        refuse(tr("There is no data to go to."), m_sampleEdit);
        return;
    }
    const std::int64_t last = m_table->GetRowCount() - 1;
    if (m_byMarker->isChecked()) {
        const CvxMarker* marker = nullptr;
        CvxID id;
        if (m_markers != nullptr && id.SetValue(m_markerCombo->currentData().toString().toStdString())) {
            marker = m_markers->GetMarker(id);
        }
        if (marker == nullptr) {
            refuse(tr("Choose a marker."), m_markerCombo);
            return;
        }
        m_kind = EvxKind::Time;
        m_time = marker->GetPosition().AsTime();
    } else if (m_byTime->isChecked()) {
        CvxInt128 fs = 0;
        const CvxTime first = m_table->GetRowTime(0);
        const CvxTime end = m_table->GetRowTime(last);
        // A bare number is refused here: in a dialog it is too easily meant in another unit.
        const QString text = m_timeEdit->text().trimmed();
        const bool unit = !text.isEmpty() && text.back().isLetter();
        if (!unit || !CvxSourceText::ParseTime(text.toStdString(), fs) || CvxTime(fs) < first || end < CvxTime(fs)) {
            refuse(tr("Type a time from %1 to %2, with its unit (s, ms, us, ns, ps, fs).").arg(TimeText(first), TimeText(end)),
                   m_timeEdit);
            return;
        }
        m_kind = EvxKind::Time;
        m_time = CvxTime(fs);
    } else {
        std::int64_t sample = 0;
        const std::int64_t first = m_table->GetSampleNumber(0);
        const std::int64_t end = m_table->GetSampleNumber(last);
        if (!CvxSourceText::ParseInt(m_sampleEdit->text().trimmed().toStdString(), sample) || sample < first || sample > end) {
            refuse(tr("Type a sample number from %1 to %2.").arg(first).arg(end), m_sampleEdit);
            return;
        }
        m_kind = EvxKind::Sample;
        m_sample = sample;
    }
    QDialog::accept();
}
