#include "CvxMarkerDlg.h"

#include "CvxQtText.h"
#include "CvxID.h"
#include "CvxMarkerMgr.h"
#include "CvxSourceText.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

constexpr int kIdRole = Qt::UserRole + 1;


} // namespace

CvxMarkerDlg::CvxMarkerDlg(EvxMode mode, CvxMarkerMgr& markers, QWidget* parent)
    : QDialog(parent), m_mode(mode), m_markers(markers)
{
    setObjectName(mode == EvxMode::Goto ? "MarkerGotoDlg" : mode == EvxMode::Place ? "MarkerPlaceDlg" : "MarkerDeleteDlg");
    setWindowTitle(mode == EvxMode::Goto ? tr("Go To Marker") : mode == EvxMode::Place ? tr("Place Marker") : tr("Delete Markers"));
    auto* layout = new QVBoxLayout(this);
    m_list = new QListWidget(this);
    m_list->setObjectName("Markers");
    m_list->setSelectionMode(mode == EvxMode::Delete ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    for (const CvxMarker* marker : markers.GetMarkers(true)) {
        if (mode != EvxMode::Goto && !marker->IsUserMarker()) {
            continue; // only user markers move or go
        }
        auto* item = new QListWidgetItem(CvxQt(marker->GetNameWithAbbreviation()) + "  "
                                             + QString::fromStdString(CvxSourceText::FormatTime(marker->GetPosition().AsTime().AsInt128())),
                                         m_list);
        item->setData(kIdRole, QString::fromStdString(marker->GetID().ToString()));
    }
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CvxMarkerDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CvxMarkerDlg::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_list->clearSelection();
        item->setSelected(true);
        accept();
    });
    layout->addWidget(buttons);
    resize(320, 300);
}

std::vector<CvxID> CvxMarkerDlg::GetSelection() const
{
    std::vector<CvxID> chosen;
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->isSelected()) {
            CvxID id;
            if (id.SetValue(m_list->item(row)->data(kIdRole).toString().toStdString())) {
                chosen.push_back(id);
            }
        }
    }
    return chosen;
}

void CvxMarkerDlg::accept()
{
    const std::vector<CvxID> chosen = GetSelection();
    if (chosen.empty()) {
        QMessageBox::warning(this, windowTitle(), m_list->count() == 0 ? tr("There is no marker to choose.") : tr("Choose a marker."));
        return;
    }
    if (m_mode == EvxMode::Delete) {
        for (const CvxID& id : chosen) {
            m_markers.DeleteMarker(id);
        }
        m_markers.NotifyChanged();
    }
    QDialog::accept();
}
