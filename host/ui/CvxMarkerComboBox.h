#pragma once
// A drop-down list of a viewer's markers, known by its control id (also its object name).
// Each item shows a marker's name with its abbreviation and keeps the marker's id. The
// caller's command hears of a marker chosen by the user (or by setCurrentIndex), not of the
// caller's own SetMarkers and SelectMarker.

#include <QComboBox>

#include <functional>
#include <vector>

class CvxID;
class CvxMarker;
class CvxMarkerMgr;

class CvxMarkerComboBox : public QComboBox {
public:
    // The answer is whether the caller took the marker; when it did not, the list goes back
    // to the marker chosen before.
    using Command = std::function<bool(const CvxID& marker)>;

    CvxMarkerComboBox(int id, QWidget* parent);

    // Lists the markers in the order given; markers the manager does not hold are left out.
    // The marker chosen before stays chosen when it is listed again.
    void SetMarkers(const std::vector<CvxMarker*>& markers, const CvxMarkerMgr& manager);
    // False (the choice unchanged) when the marker is not listed.
    bool SelectMarker(const CvxID& marker);
    // The null id when nothing is chosen.
    CvxID GetSelectedMarker() const;
    void SetValueChangedCommand(Command command);

private:
    void IndexChanged(int index);

    Command m_command;
    bool m_quiet = false; // changes made by the caller's own calls, which the command does not hear of
    int m_lastIndex = -1;
};
