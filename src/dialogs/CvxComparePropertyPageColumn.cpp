#include "CvxComparePropertyPageColumn.h"

#include "CvxBaseComboBox.h"
#include "CvxColorWellButton.h"
#include "CvxComboBox.h"
#include "CvxCompareColumn.h"
#include "CvxCompareColumnWidth.h"
#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"
#include "CvxIntegerEditCtrl.h"
#include "CvxLabelNameFormatter.h"
#include "CvxMarkerComboBox.h"
#include "CvxMarkerMgr.h"
#include "CvxPainterSelect.h"
#include "CvxQtText.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

EvxBaseGroup GroupOf(const CvxBase& base)
{
    switch (base.GetCode()) {
    case kBaseTime:
    case kBaseTimeRelative: return kBaseGroupTime;
    case kBaseSample: return kBaseGroupSample;
    default: return kBaseGroupNumeric;
    }
}

// Whether the fields this page edits differ.
bool Differs(const CvxCompareColumn& a, const CvxCompareColumn& b)
{
    return a.GetWidth() != b.GetWidth() || a.GetColor() != b.GetColor() || a.GetAlignment() != b.GetAlignment()
        || !(a.GetBase() == b.GetBase()) || a.GetMarkerID() != b.GetMarkerID()
        || a.GetDifferenceDisplay().GetCode() != b.GetDifferenceDisplay().GetCode();
}

// Whether every column gives the same answer to `field`.
template <typename Field>
bool AllAgree(const std::vector<CvxCompareColumn*>& columns, Field field)
{
    return std::all_of(columns.begin(), columns.end(),
                       [&](const CvxCompareColumn* c) { return field(*c) == field(*columns.front()); });
}

} // namespace

CvxComparePropertyPageColumn::CvxComparePropertyPageColumn(CvxCompareModel& model, QWidget* parent)
    : CvxPropertyPage("Column Properties", kTemplateID, parent)
    , m_model(model)
    , m_working(model.GetColumns())
{
    m_model.AddObserver(this);
}

CvxComparePropertyPageColumn::~CvxComparePropertyPageColumn()
{
    m_model.RemoveObserver(this);
}

QString CvxComparePropertyPageColumn::GetHelpTopic() const
{
    return QStringLiteral("compare_options.htm");
}

void CvxComparePropertyPageColumn::OnInitDialog()
{
    auto* layout = new QGridLayout(this);
    int row = 0;
    const auto add = [&](int labelID, const char* text, QWidget* control) {
        auto* label = new QLabel(text, this);
        if (labelID != 0) {
            label->setObjectName(QString::number(labelID));
        }
        label->setBuddy(control);
        layout->addWidget(label, row, 0);
        layout->addWidget(control, row, 1, Qt::AlignLeft);
        ++row;
        return label;
    };
    m_scopes = new CvxComboBox(kScope, this);
    add(0, "Bus/Signal", m_scopes);
    m_color = new CvxColorWellButton(kColor, this);
    m_color->setAccessibleName("ColumnColor");
    add(kColorLabel, "Color", m_color);
    m_width = new CvxIntegerEditCtrl(kWidth, this);
    m_width->SetRange(1, kWidthMaximum);
    m_width->SetKeypadCaption("Column Width");
    add(kWidthLabel, "Width", m_width);
    m_alignment = new CvxComboBox(kAlignment, this);
    for (const char* alignment : {"Left", "Center", "Right"}) {
        m_alignment->AddItem(alignment, m_alignment->count());
    }
    add(kAlignmentLabel, "Alignment", m_alignment);
    m_base = new CvxBaseComboBox(kBase, this);
    add(kBaseLabel, "Base", m_base);
    m_marker = new CvxMarkerComboBox(kMarker, this);
    m_marker->SetMarkers(m_model.GetMarkerMgr().GetMarkers(true), m_model.GetMarkerMgr());
    m_markerLabel = add(kMarkerLabel, "Marker", m_marker);
    m_display = new CvxComboBox(kDisplay, this);
    for (const char* display : {"All", "Difference Pair", "Input Only"}) {
        m_display->AddItem(display, m_display->count());
    }
    m_displayLabel = add(kDisplayLabel, "Display", m_display);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(row, 1);

    connect(m_scopes, &CvxComboBox::selectionChanged, this, [this] { ScopeChosen(); });
    connect(m_color, &CvxColorWellButton::colorChanged, this, &CvxComparePropertyPageColumn::ColorChanged);
    m_width->SetValueChangedCommand([this] { WidthStep(); });
    connect(m_alignment, &CvxComboBox::selectionChanged, this, [this] { AlignmentChosen(); });
    connect(m_base, &CvxComboBox::selectionChanged, this, [this] { BaseChosen(); });
    m_marker->SetValueChangedCommand([this](const CvxID&) {
        MarkerChosen();
        return true;
    });
    connect(m_display, &CvxComboBox::selectionChanged, this, [this] { DisplayChosen(); });

    FillScopes();
    const std::vector<CvxID> selected = m_model.GetSelectedColumns();
    m_scope = kScopeAll;
    if (selected.size() > 1) {
        m_scope = kScopeSelected;
    } else if (selected.size() == 1) {
        for (std::size_t i = 0; i < m_working.size(); ++i) {
            if (m_working[i].GetID() == selected.front()) {
                m_scope = static_cast<int>(i);
            }
        }
    }
    m_scopes->SelectData(m_scope);
    ShowScope();
    SetModified(false);
}

void CvxComparePropertyPageColumn::FillScopes()
{
    m_scopes->Clear();
    m_scopes->AddItem("<all>", kScopeAll);
    if (m_model.GetSelectedColumns().size() > 1) {
        m_scopes->AddItem("<selected>", kScopeSelected);
    }
    for (std::size_t i = 0; i < m_working.size(); ++i) {
        const CvxLabelChannel& label = m_working[i].GetLabel();
        m_scopes->AddItem(CvxQt(CvxLabelNameFormatter::Format(label.GetLabelID(), label.GetChannel(), false)),
                          static_cast<int>(i));
    }
}

std::vector<CvxCompareColumn*> CvxComparePropertyPageColumn::InScope()
{
    std::vector<CvxCompareColumn*> columns;
    if (m_scope >= 0) {
        if (static_cast<std::size_t>(m_scope) < m_working.size()) {
            columns.push_back(&m_working[static_cast<std::size_t>(m_scope)]);
        }
        return columns;
    }
    const std::vector<CvxID> selected = m_model.GetSelectedColumns();
    for (CvxCompareColumn& column : m_working) {
        if (m_scope == kScopeAll || std::find(selected.begin(), selected.end(), column.GetID()) != selected.end()) {
            columns.push_back(&column);
        }
    }
    return columns;
}

void CvxComparePropertyPageColumn::SelectFirstMarker()
{
    const std::vector<CvxMarker*> markers = m_model.GetMarkerMgr().GetMarkers(true);
    if (!markers.empty()) {
        m_marker->SelectMarker(markers.front()->GetID());
    }
}

void CvxComparePropertyPageColumn::ShowMarkerChoice(bool enabled)
{
    m_marker->setEnabled(enabled);
    m_markerLabel->setEnabled(enabled);
}

void CvxComparePropertyPageColumn::ShowScope()
{
    const std::vector<CvxCompareColumn*> columns = InScope();
    for (QWidget* control : std::initializer_list<QWidget*>{m_color, m_width, m_alignment, m_base}) {
        control->setEnabled(!columns.empty());
    }
    if (columns.empty()) {
        ShowMarkerChoice(false);
        m_display->setEnabled(false);
        m_displayLabel->setEnabled(false);
        return;
    }
    const CvxCompareColumn& first = *columns.front();
    if (AllAgree(columns, [](const CvxCompareColumn& c) { return c.GetWidth(); })) {
        m_width->SetValue(first.GetWidth());
    } else {
        m_width->GetEdit()->clear();
    }
    if (AllAgree(columns, [](const CvxCompareColumn& c) { return c.GetColor(); })) {
        m_color->SetColorRef(first.GetColor());
    } else {
        m_color->SetNoColorState(true);
    }
    const bool sameAlignment = AllAgree(columns, [](const CvxCompareColumn& c) { return c.GetAlignment(); });
    m_alignment->SelectIndex(sameAlignment ? first.GetAlignment() : -1);

    // A base (and a marker for a marker-relative one) shows only when every column shares it.
    const bool sameGroup = AllAgree(columns, [](const CvxCompareColumn& c) { return GroupOf(c.GetBase()); });
    const bool sameBase = sameGroup && AllAgree(columns, [](const CvxCompareColumn& c) { return c.GetBase().GetCode(); });
    m_base->setEnabled(sameGroup);
    if (sameGroup) {
        m_base->SetBaseGroup(GroupOf(first.GetBase()));
    }
    if (!sameBase || !m_base->SetBase(first.GetBase().GetCode())) {
        m_base->SelectIndex(-1);
    }
    const bool relative = sameBase && first.GetBase().GetCode() == kBaseTimeRelative;
    const bool sameMarker = AllAgree(columns, [](const CvxCompareColumn& c) { return c.GetMarkerID(); });
    if (!relative || !sameMarker || !m_marker->SelectMarker(first.GetMarkerID())) {
        SelectFirstMarker();
    }
    ShowMarkerChoice(relative);

    // Only buses/signals held in the reference show a difference display.
    std::vector<CvxCompareColumn*> referenced;
    for (CvxCompareColumn* column : columns) {
        if (m_model.GetReferenceBuffer().Find(column->GetLabel()) != nullptr) {
            referenced.push_back(column);
        }
    }
    const bool display = !referenced.empty();
    m_display->setEnabled(display);
    m_displayLabel->setEnabled(display);
    const bool sameDisplay =
        display && AllAgree(referenced, [](const CvxCompareColumn& c) { return c.GetDifferenceDisplay().GetCode(); });
    m_display->SelectIndex(sameDisplay ? referenced.front()->GetDifferenceDisplay().GetCode() : -1);
}

void CvxComparePropertyPageColumn::ScopeChosen()
{
    if (const std::optional<int> scope = m_scopes->GetSelectedData()) {
        m_scope = *scope;
        ShowScope();
    }
}

void CvxComparePropertyPageColumn::ColorChanged(int, const QColor& color)
{
    for (CvxCompareColumn* column : InScope()) {
        column->SetColor(CvxColorRef(color));
    }
    SetModified(true);
}

void CvxComparePropertyPageColumn::WidthStep()
{
    const int width = static_cast<int>(m_width->GetIntegerValue());
    for (CvxCompareColumn* column : InScope()) {
        column->SetWidth(width);
    }
    SetModified(true);
}

void CvxComparePropertyPageColumn::AlignmentChosen()
{
    if (const std::optional<int> alignment = m_alignment->GetSelectedData()) {
        for (CvxCompareColumn* column : InScope()) {
            column->SetAlignment(*alignment);
        }
        SetModified(true);
    }
}

void CvxComparePropertyPageColumn::BaseChosen()
{
    const int code = m_base->GetBase();
    if (!CvxBase::IsValidCode(code)) {
        return;
    }
    for (CvxCompareColumn* column : InScope()) {
        column->SetBase(CvxBase(code));
    }
    ShowMarkerChoice(code == kBaseTimeRelative);
    SetModified(true);
    if (code == kBaseTimeRelative) {
        MarkerChosen(); // the time counts from the marker the list shows
    }
}

void CvxComparePropertyPageColumn::MarkerChosen()
{
    if (m_marker->currentIndex() < 0) {
        SelectFirstMarker();
    }
    const CvxID marker = m_marker->GetSelectedMarker();
    if (m_model.GetMarkerMgr().GetMarker(marker) != nullptr) {
        for (CvxCompareColumn* column : InScope()) {
            column->SetMarkerID(marker);
        }
    }
    SetModified(true);
}

void CvxComparePropertyPageColumn::DisplayChosen()
{
    if (const std::optional<int> display = m_display->GetSelectedData()) {
        for (CvxCompareColumn* column : InScope()) {
            column->SetDifferenceDisplay(CvxCompareColumnDifference(*display));
        }
        SetModified(true);
    }
}

void CvxComparePropertyPageColumn::Remeasure(const CvxCompareProperties& properties)
{
    bool changed = false;
    for (CvxCompareColumn& column : m_working) {
        const int width = CvxCompareColumnWidth::Measure(m_model, properties, column);
        if (width != column.GetWidth()) {
            column.SetWidth(width);
            changed = true;
        }
    }
    // The new widths go to the model with the new font, or the values would be cut.
    if (changed) {
        SetModified(true);
    }
}

void CvxComparePropertyPageColumn::Update(CvxMvcModel*, CvxMvcDefMsg* message)
{
    if (message == nullptr || message->GetType() != CvxComparePropertiesChangingMessage::kType || !IsInitialized()) {
        return;
    }
    if (const CvxCompareProperties* properties =
            static_cast<const CvxComparePropertiesChangingMessage*>(message)->GetProperties()) {
        Remeasure(*properties);
        ShowScope();
    }
}

void CvxComparePropertyPageColumn::UpdateModel()
{
    if (!IsModified()) {
        return;
    }
    std::vector<CvxCompareColumn> changed;
    for (const CvxCompareColumn& column : m_working) {
        const CvxCompareColumn* current = m_model.FindColumn(column.GetID());
        if (current != nullptr && Differs(column, *current)) {
            CvxCompareColumn record = *current; // the model's own record, with the page's fields
            record.SetWidth(column.GetWidth());
            record.SetColor(column.GetColor());
            record.SetAlignment(column.GetAlignment());
            record.SetBase(column.GetBase());
            record.SetMarkerID(column.GetMarkerID());
            record.SetDifferenceDisplay(column.GetDifferenceDisplay());
            changed.push_back(record);
        }
    }
    m_model.RequestColumnProperties(std::move(changed));
    m_working = m_model.GetColumns();
    if (IsInitialized()) {
        FillScopes();
        if (!m_scopes->SelectData(m_scope)) {
            m_scopes->SelectData(kScopeAll);
        }
        ScopeChosen();
    }
    SetModified(false);
}
