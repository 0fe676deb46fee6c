#pragma once
// The "Markers" page (template 3433) of a property sheet over a viewer's marker manager: every
// marker with its name, time and whether it is shown, by position ("Markers"), and for the
// chosen one its name (user markers only: Begin, End and Trigger keep theirs), its foreground
// and background colours and its Show check box. The page edits working copies taken when it
// is made; UpdateModel writes what differs into the manager.

#include "CvxPropertyPage.h"

#include <vector>

class CvxAlphaEditCtrl;
class CvxColorWellButton;
class CvxID;
class CvxMarkerMgr;
class QColor;
class QCheckBox;
class QLabel;
class QTreeWidget;

class CvxMarkerPropertyPage : public CvxPropertyPage {
    Q_OBJECT
public:
    static constexpr int kTemplateID = 3433;
    enum EvxControl : int {
        kNameLabel = 19601,
        kName = 19602,
        kForegroundLabel = 19603,
        kForeground = 19604,
        kBackgroundLabel = 19605,
        kBackground = 19606,
        kShow = 19607,
        kError = 19608,
    };

    // `first` is the marker chosen first; the first listed one when it is null or unknown.
    CvxMarkerPropertyPage(CvxMarkerMgr& markers, const CvxID& first, QWidget* parent = nullptr);
    ~CvxMarkerPropertyPage() override;

    // False (the choice unchanged) for a marker the page does not list.
    bool SelectMarker(const CvxID& marker);
    // The null id when none is chosen.
    CvxID GetSelectedMarker() const;

    // Writes the working names, colours and show flags that differ from the manager's markers
    // (markers deleted meanwhile are passed over), tells the manager's observers once when
    // anything changed, and clears the modified state. A user marker's name must be non-empty
    // (it is trimmed) and unlike every other marker's: else nothing is written, the page shows
    // why, chooses that marker and answers false.
    bool UpdateModel();

    bool OnApply() override;
    QString GetHelpTopic() const override;

private:
    struct Entry;

    Entry* Selected();
    void ShowSelected();
    void ShowRow(int row);
    void NameChanged();
    void ColorChanged(int id, const QColor& color);
    void ShowChanged(bool show);

    CvxMarkerMgr& m_markers;
    std::vector<Entry> m_entries; // in the list's order
    QTreeWidget* m_list = nullptr;
    CvxAlphaEditCtrl* m_name = nullptr;
    CvxColorWellButton* m_foreground = nullptr;
    CvxColorWellButton* m_background = nullptr;
    QCheckBox* m_show = nullptr;
    QLabel* m_error = nullptr;
    bool m_loading = false; // the chosen marker's values going into the controls
};
