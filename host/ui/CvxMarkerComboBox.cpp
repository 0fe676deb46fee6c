#include "CvxMarkerComboBox.h"

#include "CvxID.h"
#include "CvxMarkerMgr.h"
#include "CvxQtText.h"

#include <QSignalBlocker>

namespace {

QString IdText(const CvxID& id)
{
    return QString::fromStdString(id.ToString());
}

} // namespace

CvxMarkerComboBox::CvxMarkerComboBox(int id, QWidget* parent) : QComboBox(parent)
{
    setObjectName(QString::number(id));
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(this, &QComboBox::currentIndexChanged, this, &CvxMarkerComboBox::IndexChanged);
}

void CvxMarkerComboBox::SetMarkers(const std::vector<CvxMarker*>& markers, const CvxMarkerMgr& manager)
{
    const CvxID chosen = GetSelectedMarker();
    m_quiet = true;
    clear();
    for (const CvxMarker* marker : markers) {
        if (marker != nullptr && manager.GetMarker(marker->GetID()) == marker) {
            addItem(CvxQt(marker->GetNameWithAbbreviation()), IdText(marker->GetID()));
        }
    }
    const int again = chosen.IsNull() ? -1 : findData(IdText(chosen));
    setCurrentIndex(again >= 0 ? again : (count() > 0 ? 0 : -1));
    m_lastIndex = currentIndex();
    m_quiet = false;
}

bool CvxMarkerComboBox::SelectMarker(const CvxID& marker)
{
    const int index = findData(IdText(marker));
    if (index < 0) {
        return false;
    }
    m_quiet = true;
    setCurrentIndex(index);
    m_lastIndex = index;
    m_quiet = false;
    return true;
}

CvxID CvxMarkerComboBox::GetSelectedMarker() const
{
    CvxID id;
    if (currentIndex() >= 0) {
        id.SetValue(currentData().toString().toStdString());
    }
    return id;
}

void CvxMarkerComboBox::SetValueChangedCommand(Command command)
{
    m_command = std::move(command);
}

void CvxMarkerComboBox::IndexChanged(int index)
{
    if (m_quiet) {
        return;
    }
    if (m_command && index >= 0 && !m_command(GetSelectedMarker())) {
        const QSignalBlocker blocker(this);
        setCurrentIndex(m_lastIndex);
        return;
    }
    m_lastIndex = index;
}
