#include "CvxMarkerPropertyPage.h"

#include "CvxAlphaEditCtrl.h"
#include "CvxColorWellButton.h"
#include "CvxID.h"
#include "CvxMarkerMgr.h"
#include "CvxPainterSelect.h"
#include "CvxQtText.h"
#include "CvxTimeEngineeringFormatter.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

// The working copy of one marker.
struct CvxMarkerPropertyPage::Entry {
    CvxID id;
    bool user = false;
    QString name;
    QString time;
    int foreground = 0;
    int background = 0;
    bool show = true;
};

namespace {

enum EvxColumn : int { kColumnName, kColumnTime, kColumnShow };

QLabel* Label(int id, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::number(id));
    return label;
}

} // namespace

CvxMarkerPropertyPage::CvxMarkerPropertyPage(CvxMarkerMgr& markers, const CvxID& first, QWidget* parent)
    : CvxPropertyPage(tr("Markers"), kTemplateID, parent), m_markers(markers)
{
    for (const CvxMarker* marker : markers.GetMarkers(true)) {
        Entry entry;
        entry.id = marker->GetID();
        entry.user = marker->IsUserMarker();
        entry.name = CvxQt(marker->GetName());
        entry.time = CvxQt(CvxTimeEngineeringFormatter().Format(marker->GetPosition().AsTime()));
        entry.foreground = marker->GetForegroundColor();
        entry.background = marker->GetBackgroundColor();
        entry.show = marker->IsSetShow();
        m_entries.push_back(entry);
    }

    auto* layout = new QVBoxLayout(this);
    m_list = new QTreeWidget(this);
    m_list->setObjectName("Markers");
    m_list->setHeaderLabels({tr("Name"), tr("Time"), tr("Show")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        new QTreeWidgetItem(m_list);
        ShowRow(static_cast<int>(i));
    }
    layout->addWidget(m_list);

    auto* grid = new QGridLayout;
    m_name = new CvxAlphaEditCtrl(kName, false, this);
    m_name->SetKeypadCaption(tr("Marker Name"));
    m_foreground = new CvxColorWellButton(kForeground, this);
    m_background = new CvxColorWellButton(kBackground, this);
    QLabel* nameLabel = Label(kNameLabel, tr("&Name:"), this);
    nameLabel->setBuddy(m_name);
    QLabel* foregroundLabel = Label(kForegroundLabel, tr("&Foreground:"), this);
    foregroundLabel->setBuddy(m_foreground);
    QLabel* backgroundLabel = Label(kBackgroundLabel, tr("&Background:"), this);
    backgroundLabel->setBuddy(m_background);
    m_show = new QCheckBox(tr("&Show"), this);
    m_show->setObjectName(QString::number(kShow));
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 2);
    grid->addWidget(foregroundLabel, 1, 0);
    grid->addWidget(m_foreground, 1, 1);
    grid->addWidget(backgroundLabel, 2, 0);
    grid->addWidget(m_background, 2, 1);
    grid->addWidget(m_show, 3, 1);
    grid->setColumnStretch(2, 1);
    layout->addLayout(grid);
    m_error = Label(kError, QString(), this);
    m_error->setStyleSheet("color: red");
    layout->addWidget(m_error);

    m_name->SetValueChangedCommand([this] { NameChanged(); });
    connect(m_foreground, &CvxColorWellButton::colorChanged, this, &CvxMarkerPropertyPage::ColorChanged);
    connect(m_background, &CvxColorWellButton::colorChanged, this, &CvxMarkerPropertyPage::ColorChanged);
    connect(m_show, &QCheckBox::toggled, this, &CvxMarkerPropertyPage::ShowChanged);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &CvxMarkerPropertyPage::ShowSelected);

    if (first.IsNull() || !SelectMarker(first)) {
        m_list->setCurrentItem(m_list->topLevelItem(0));
    }
    ShowSelected(); // setCurrentItem tells nothing when the item is current already
}

CvxMarkerPropertyPage::~CvxMarkerPropertyPage() = default;

bool CvxMarkerPropertyPage::SelectMarker(const CvxID& marker)
{
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].id == marker) {
            m_list->setCurrentItem(m_list->topLevelItem(static_cast<int>(i)));
            return true;
        }
    }
    return false;
}

CvxID CvxMarkerPropertyPage::GetSelectedMarker() const
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    return row >= 0 ? m_entries[static_cast<std::size_t>(row)].id : CvxID();
}

bool CvxMarkerPropertyPage::UpdateModel()
{
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& entry = m_entries[i];
        if (!entry.user) {
            continue; // the data markers' names are fixed, so a clash is always a user marker's
        }
        const QString name = entry.name.trimmed();
        QString problem;
        if (name.isEmpty()) {
            problem = tr("A marker needs a name.");
        }
        for (std::size_t j = 0; j < m_entries.size() && problem.isEmpty(); ++j) {
            if (j != i && m_entries[j].name.trimmed() == name) {
                problem = tr("There is another marker named %1.").arg(name);
            }
        }
        if (!problem.isEmpty()) {
            m_error->setText(problem);
            m_list->setCurrentItem(m_list->topLevelItem(static_cast<int>(i)));
            return false;
        }
    }
    bool changed = false;
    for (const Entry& entry : m_entries) {
        CvxMarker* marker = m_markers.GetMarker(entry.id);
        if (marker == nullptr) {
            continue;
        }
        const std::u16string name = CvxU16(entry.name.trimmed());
        if (entry.user && marker->GetName() != name) {
            marker->SetName(name);
            changed = true;
        }
        if (marker->GetForegroundColor() != entry.foreground || marker->GetBackgroundColor() != entry.background
            || marker->IsSetShow() != entry.show) {
            marker->SetForegroundColor(entry.foreground);
            marker->SetBackgroundColor(entry.background);
            marker->SetShow(entry.show);
            changed = true;
        }
    }
    if (changed) {
        m_markers.NotifyChanged();
    }
    m_error->clear();
    SetModified(false);
    return true;
}

bool CvxMarkerPropertyPage::OnApply()
{
    return !IsModified() || UpdateModel();
}

QString CvxMarkerPropertyPage::GetHelpTopic() const
{
    return QStringLiteral("Markers_Set_Properties.htm");
}

CvxMarkerPropertyPage::Entry* CvxMarkerPropertyPage::Selected()
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    return row >= 0 ? &m_entries[static_cast<std::size_t>(row)] : nullptr;
}

void CvxMarkerPropertyPage::ShowSelected()
{
    const Entry* entry = Selected();
    m_loading = true;
    m_name->SetText(entry != nullptr ? entry->name : QString());
    m_name->setEnabled(entry != nullptr && entry->user);
    for (CvxColorWellButton* well : {m_foreground, m_background}) {
        well->setEnabled(entry != nullptr);
    }
    m_show->setEnabled(entry != nullptr);
    if (entry != nullptr) {
        m_foreground->SetColorRef(entry->foreground);
        m_background->SetColorRef(entry->background);
        m_show->setChecked(entry->show);
    }
    m_loading = false;
}

void CvxMarkerPropertyPage::ShowRow(int row)
{
    const Entry& entry = m_entries[static_cast<std::size_t>(row)];
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    item->setText(kColumnName, entry.name);
    item->setText(kColumnTime, entry.time);
    item->setText(kColumnShow, entry.show ? tr("Yes") : tr("No"));
}

void CvxMarkerPropertyPage::NameChanged()
{
    Entry* entry = Selected();
    if (m_loading || entry == nullptr || !entry->user) {
        return;
    }
    entry->name = m_name->GetText();
    ShowRow(m_list->indexOfTopLevelItem(m_list->currentItem()));
    SetModified(true);
}

void CvxMarkerPropertyPage::ColorChanged(int id, const QColor& color)
{
    Entry* entry = Selected();
    if (m_loading || entry == nullptr) {
        return;
    }
    (id == kForeground ? entry->foreground : entry->background) = CvxColorRef(color);
    SetModified(true);
}

void CvxMarkerPropertyPage::ShowChanged(bool show)
{
    Entry* entry = Selected();
    if (m_loading || entry == nullptr) {
        return;
    }
    entry->show = show;
    ShowRow(m_list->indexOfTopLevelItem(m_list->currentItem()));
    SetModified(true);
}
