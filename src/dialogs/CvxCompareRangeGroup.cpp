#include "CvxCompareRangeGroup.h"

#include "CvxMarkerComboBox.h"
#include "CvxMarkerMgr.h"

#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

CvxCompareRangeGroup::CvxCompareRangeGroup(const QString& title, const Ids& ids, QWidget* parent) : QGroupBox(title, parent)
{
    m_all = new QRadioButton("&All", this);
    m_all->setObjectName(QString::number(ids.all));
    m_markers = new QRadioButton("&Markers", this);
    m_markers->setObjectName(QString::number(ids.markers));
    auto* fromLabel = new QLabel("from:", this);
    fromLabel->setObjectName(QString::number(ids.fromLabel));
    m_from = new CvxMarkerComboBox(ids.from, this);
    fromLabel->setBuddy(m_from);
    auto* toLabel = new QLabel("to:", this);
    toLabel->setObjectName(QString::number(ids.toLabel));
    m_to = new CvxMarkerComboBox(ids.to, this);
    toLabel->setBuddy(m_to);
    m_fromLabel = fromLabel;
    m_toLabel = toLabel;
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_all, 0, 0);
    layout->addWidget(m_markers, 1, 0);
    layout->addWidget(fromLabel, 1, 1);
    layout->addWidget(m_from, 1, 2);
    layout->addWidget(toLabel, 1, 3);
    layout->addWidget(m_to, 1, 4);
    layout->setColumnStretch(2, 1);
    layout->setColumnStretch(4, 1);

    m_from->SetValueChangedCommand([this](const CvxID& marker) {
        m_range.SetFromMarkerID(marker);
        return true;
    });
    m_to->SetValueChangedCommand([this](const CvxID& marker) {
        m_range.SetToMarkerID(marker);
        return true;
    });
    connect(m_all, &QRadioButton::clicked, this, [this] { ApplyType(CvxCompareRange::kAll); });
    connect(m_markers, &QRadioButton::clicked, this, [this] { ApplyType(CvxCompareRange::kMarkers); });
}

void CvxCompareRangeGroup::Show(const CvxCompareRange& range, CvxMarkerMgr& markers)
{
    m_range = range;
    for (CvxMarkerComboBox* combo : {m_from, m_to}) {
        combo->SetMarkers(markers.GetMarkers(false), markers);
    }
    m_from->SelectMarker(m_range.GetFromMarkerID());
    m_to->SelectMarker(m_range.GetToMarkerID());
    (m_range.IsAll() ? m_all : m_markers)->setChecked(true);
    ApplyType(m_range.GetType());
}

void CvxCompareRangeGroup::SetChoosable(bool choosable)
{
    m_choosable = choosable;
    UpdateStates();
}

void CvxCompareRangeGroup::ApplyType(int type)
{
    m_range.SetType(type);
    UpdateStates();
}

void CvxCompareRangeGroup::UpdateStates()
{
    const bool markers = m_choosable && m_range.GetType() == CvxCompareRange::kMarkers;
    m_all->setEnabled(m_choosable);
    m_markers->setEnabled(m_choosable);
    for (QWidget* control : {m_fromLabel, static_cast<QWidget*>(m_from), m_toLabel, static_cast<QWidget*>(m_to)}) {
        control->setEnabled(markers);
    }
}
