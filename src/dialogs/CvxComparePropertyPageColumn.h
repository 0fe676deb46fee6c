#pragma once
// "Column Properties" (template 3418) of the Compare Properties sheet: colour, width (1 to
// 1000), alignment, base (and the marker of a marker-relative time base) and difference
// display of one column, of all columns ("<all>") or of the selected ones ("<selected>",
// offered when more than one is selected). It edits working copies of every column record; a
// control shows a value only when every column in scope has it. It follows the Window page's
// previews: a new font or display option gives the working columns the widths their content
// then needs. The update hands the changed records to the model as one undoable command.

#include "CvxDefObserver.h"
#include "CvxPropertyPage.h"

#include <vector>

class CvxBaseComboBox;
class CvxColorWellButton;
class CvxComboBox;
class CvxCompareColumn;
class CvxCompareModel;
class CvxCompareProperties;
class CvxIntegerEditCtrl;
class CvxMarkerComboBox;
class QColor;
class QLabel;

class CvxComparePropertyPageColumn : public CvxPropertyPage, public CvxDefObserver {
    Q_OBJECT
public:
    static constexpr int kTemplateID = 3418;
    enum EvxControl : int {
        kScope = 19427,
        kColor = 19429,
        kBase = 19430,
        kWidth = 19431,
        kBaseLabel = 19432,
        kWidthLabel = 19433,
        kColorLabel = 19434,
        kMarker = 19442,
        kMarkerLabel = 19443,
        kAlignment = 19446,
        kAlignmentLabel = 19447,
        kDisplay = 19452,
        kDisplayLabel = 19453,
    };
    // Scopes besides a column's index.
    static constexpr int kScopeAll = -1;
    static constexpr int kScopeSelected = -2;
    static constexpr int kWidthMaximum = 1000;

    explicit CvxComparePropertyPageColumn(CvxCompareModel& model, QWidget* parent = nullptr);
    ~CvxComparePropertyPageColumn() override;

    const std::vector<CvxCompareColumn>& GetWorking() const { return m_working; }
    int GetScope() const { return m_scope; }
    // Hands the working records that differ from the model's columns over (one undoable
    // command) when the page was changed, then takes the model's columns again.
    void UpdateModel();
    QString GetHelpTopic() const override;

    void Update(CvxMvcModel* model, CvxMvcDefMsg* message) override;

protected:
    void OnInitDialog() override;

private:
    std::vector<CvxCompareColumn*> InScope();
    // The controls from the columns in scope.
    void ShowScope();
    void FillScopes();
    void ShowMarkerChoice(bool enabled);
    // The list's first marker, quietly (not the user's choice).
    void SelectFirstMarker();
    // The previewed properties' widths for every working column.
    void Remeasure(const CvxCompareProperties& properties);

    void ScopeChosen();
    void ColorChanged(int id, const QColor& color);
    void WidthStep();
    void AlignmentChosen();
    void BaseChosen();
    void MarkerChosen();
    void DisplayChosen();

    CvxCompareModel& m_model;
    std::vector<CvxCompareColumn> m_working;
    int m_scope = kScopeAll;
    CvxComboBox* m_scopes = nullptr;
    CvxColorWellButton* m_color = nullptr;
    CvxIntegerEditCtrl* m_width = nullptr;
    CvxComboBox* m_alignment = nullptr;
    CvxBaseComboBox* m_base = nullptr;
    CvxMarkerComboBox* m_marker = nullptr;
    QLabel* m_markerLabel = nullptr;
    CvxComboBox* m_display = nullptr;
    QLabel* m_displayLabel = nullptr;
};
