#include "CvxComparePropertyPage.h"

#include "CvxCheckComboBox.h"
#include "CvxColorWellButton.h"
#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"
#include "CvxCompareProperties.h"
#include "CvxIntegerEditCtrl.h"
#include "CvxPainterSelect.h"
#include "CvxPlugInMgr.h"
#include "CvxQtText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// The colour wells in the order the page lists them, with the property each edits.
struct Well {
    int id;
    const char* name; // the well's text, for remote clients that read the dump
    const char* label;
    int (CvxCompareProperties::*get)() const;
    void (CvxCompareProperties::*set)(int);
};

const Well kWells[] = {
    {CvxComparePropertyPage::kBackground, "BackgroundColor", "Background", &CvxCompareProperties::GetBackgroundColor,
     &CvxCompareProperties::SetBackgroundColor},
    {CvxComparePropertyPage::kRefBackground, "Ref BackgroundColor", "Ref Background",
     &CvxCompareProperties::GetRefBackgroundColor, &CvxCompareProperties::SetRefBackgroundColor},
    {CvxComparePropertyPage::kNoRefBackground, "NoRefBackgroundColor", "No Ref Background",
     &CvxCompareProperties::GetNoRefBackgroundColor, &CvxCompareProperties::SetNoRefBackgroundColor},
    {CvxComparePropertyPage::kDiffBackground, "DiffBackgroundColor", "Diff Background",
     &CvxCompareProperties::GetDiffBackgroundColor, &CvxCompareProperties::SetDiffBackgroundColor},
    {CvxComparePropertyPage::kDiffForeground, "DiffForegroundColor", "Diff Foreground",
     &CvxCompareProperties::GetDiffForegroundColor, &CvxCompareProperties::SetDiffForegroundColor},
    {CvxComparePropertyPage::kCenterRectColor, "CenterRectColor", nullptr, &CvxCompareProperties::GetCenterRectColor,
     &CvxCompareProperties::SetCenterRectColor},
};

// The display options: check box, text and property.
struct Option {
    int id;
    const char* text;
    bool (CvxCompareProperties::*get)() const;
    void (CvxCompareProperties::*set)(bool);
};

const Option kOptions[] = {
    {CvxComparePropertyPage::kShowActivity, "Display Activity Indicators",
     &CvxCompareProperties::IsActivityIndicatorDisplayed, &CvxCompareProperties::SetActivityIndicatorDisplayed},
    {CvxComparePropertyPage::kShowBase, "Display Column Base", &CvxCompareProperties::IsBaseDisplayed,
     &CvxCompareProperties::SetBaseDisplayed},
    {CvxComparePropertyPage::kShowTrigger, "Display Simple Trigger", &CvxCompareProperties::IsTriggerDisplayed,
     &CvxCompareProperties::SetTriggerDisplayed},
    {CvxComparePropertyPage::kShowMarkers, "Display Markers", &CvxCompareProperties::IsMarkersDisplayed,
     &CvxCompareProperties::SetMarkersDisplayed},
};

const Well* FindWell(int id)
{
    for (const Well& well : kWells) {
        if (well.id == id) {
            return &well;
        }
    }
    return nullptr;
}

} // namespace

CvxComparePropertyPage::CvxComparePropertyPage(CvxCompareModel& model, QWidget* parent)
    : CvxPropertyPage("Window Properties", kTemplateID, parent)
    , m_model(model)
    , m_working(std::make_unique<CvxCompareProperties>(model.GetProperties()))
{
}

CvxComparePropertyPage::~CvxComparePropertyPage() = default;

QString CvxComparePropertyPage::GetHelpTopic() const
{
    return QStringLiteral("compare_options.htm");
}

void CvxComparePropertyPage::OnInitDialog()
{
    auto* colours = new QGridLayout;
    int row = 0;
    for (const Well& well : kWells) {
        auto* button = new CvxColorWellButton(well.id, this);
        button->setAccessibleName(well.name);
        button->SetColorRef((*m_working.*well.get)());
        connect(button, &CvxColorWellButton::colorChanged, this, &CvxComparePropertyPage::ColorChanged);
        m_wells.push_back(button);
        if (well.label != nullptr) {
            auto* label = new QLabel(well.label, this);
            label->setBuddy(button);
            colours->addWidget(label, row, 0);
            colours->addWidget(button, row, 1, Qt::AlignLeft);
            ++row;
        }
    }
    m_fontSize = new CvxIntegerEditCtrl(kFontSize, this);
    m_fontSize->SetRange(kFontMinimum, kFontMaximum);
    m_fontSize->SetValue(m_working->GetFontPointSize());
    m_fontSize->SetKeypadCaption("Font Size");
    m_fontSize->SetValueChangedCommand([this] { FontStep(); });
    connect(m_fontSize->GetEdit(), &QLineEdit::textEdited, this, [this] { SetModified(true); });
    auto* fontLabel = new QLabel("Font Size", this);
    fontLabel->setBuddy(m_fontSize->GetEdit());
    colours->addWidget(fontLabel, row, 0);
    colours->addWidget(m_fontSize, row, 1, Qt::AlignLeft);
    colours->setRowStretch(row + 1, 1);

    auto* centerGroup = new QGroupBox("Center Rectangle", this);
    centerGroup->setObjectName(QString::number(kCenterRectGroup));
    m_centerRect = new QCheckBox("Display Rectangle", centerGroup);
    m_centerRect->setObjectName(QString::number(kCenterRect));
    m_centerRect->setChecked(m_working->IsCenterRectDisplayed());
    connect(m_centerRect, &QCheckBox::toggled, this, &CvxComparePropertyPage::CenterRectToggled);
    m_centerRectColorLabel = new QLabel("Color", centerGroup);
    m_centerRectColorLabel->setObjectName(QString::number(kCenterRectColorLabel));
    CvxColorWellButton* centerColor = m_wells.back();
    centerColor->setParent(centerGroup);
    auto* centerLayout = new QGridLayout(centerGroup);
    centerLayout->addWidget(m_centerRect, 0, 0, 1, 2);
    centerLayout->addWidget(m_centerRectColorLabel, 1, 0);
    centerLayout->addWidget(centerColor, 1, 1, Qt::AlignLeft);
    m_centerRectColorLabel->setEnabled(m_working->IsCenterRectDisplayed());
    centerColor->setEnabled(m_working->IsCenterRectDisplayed());

    auto* optionsGroup = new QGroupBox("Display Options", this);
    auto* optionsLayout = new QVBoxLayout(optionsGroup);
    for (const Option& option : kOptions) {
        auto* box = new QCheckBox(option.text, optionsGroup);
        box->setObjectName(QString::number(option.id));
        box->setChecked((*m_working.*option.get)());
        connect(box, &QCheckBox::toggled, this, [this, id = option.id](bool on) { DisplayOptionToggled(id, on); });
        optionsLayout->addWidget(box);
    }

    m_lockTo = new CvxCheckComboBox(kLockTo, this);
    m_lockTo->SetEmptyText("<<no locked windows>>");
    const CvxUtilsLockViewers& locks = m_model.GetLockedViewers();
    for (const CvxID& viewer : locks.GetPluginIDs()) {
        m_lockTo->AddItem(CvxQt(CvxPlugInMgr::GetInstance().GetFullName(viewer)), locks.IsLocked(viewer));
    }
    connect(m_lockTo, &CvxCheckComboBox::selectionChanged, this, [this] { SetModified(true); });
    auto* lockLabel = new QLabel("Lock to", this);
    lockLabel->setBuddy(m_lockTo);

    auto* right = new QVBoxLayout;
    right->addWidget(centerGroup);
    right->addWidget(optionsGroup);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(colours);
    columns->addSpacing(12);
    columns->addLayout(right);
    auto* lock = new QHBoxLayout;
    lock->addWidget(lockLabel);
    lock->addWidget(m_lockTo, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(lock);
    layout->addStretch();
    SetModified(false);
}

void CvxComparePropertyPage::ColorChanged(int id, const QColor& color)
{
    if (const Well* well = FindWell(id)) {
        (*m_working.*well->set)(CvxColorRef(color));
        SetModified(true);
    }
}

void CvxComparePropertyPage::CenterRectToggled(bool on)
{
    m_working->SetCenterRectDisplayed(on);
    m_centerRectColorLabel->setEnabled(on);
    m_wells.back()->setEnabled(on);
    SetModified(true);
}

void CvxComparePropertyPage::DisplayOptionToggled(int id, bool on)
{
    for (const Option& option : kOptions) {
        if (option.id == id) {
            (*m_working.*option.set)(on);
        }
    }
    SetModified(true);
    SendPreview();
}

void CvxComparePropertyPage::FontStep()
{
    m_working->SetFontPointSize(static_cast<int>(m_fontSize->GetIntegerValue()));
    SetModified(true);
    SendPreview();
}

void CvxComparePropertyPage::SendPreview()
{
    CvxComparePropertiesChangingMessage preview(m_working.get());
    m_model.Broadcast(preview);
}

void CvxComparePropertyPage::UpdateModel()
{
    if (m_fontSize != nullptr && m_fontSize->Commit()
        && m_fontSize->GetIntegerValue() != m_working->GetFontPointSize()) {
        FontStep();
    }
    if (!IsModified()) {
        return;
    }
    m_model.RequestProperties(*m_working);
    if (m_lockTo != nullptr) {
        CvxUtilsLockViewers locks;
        const std::vector<CvxID> viewers = m_model.GetLockedViewers().GetPluginIDs();
        for (std::size_t i = 0; i < viewers.size(); ++i) {
            locks.Add(viewers[i], m_lockTo->GetCheck(static_cast<int>(i)));
        }
        m_model.GetLockedViewers() = locks;
    }
    SetModified(false);
}
