#include "CvxComboBox.h"

CvxComboBox::CvxComboBox(int id, QWidget* parent) : QComboBox(parent), m_id(id)
{
    setObjectName(QString::number(id));
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_quiet && index >= 0) {
            emit selectionChanged(m_id);
        }
    });
}

int CvxComboBox::AddItem(const QString& text, int data)
{
    m_quiet = true;
    addItem(text, data);
    m_quiet = false;
    return count() - 1;
}

void CvxComboBox::Clear()
{
    m_quiet = true;
    clear();
    m_quiet = false;
}

bool CvxComboBox::SelectData(int data)
{
    const int index = findData(data);
    if (index < 0) {
        return false;
    }
    SelectIndex(index);
    return true;
}

void CvxComboBox::SelectIndex(int index)
{
    m_quiet = true;
    setCurrentIndex(index);
    m_quiet = false;
}

std::optional<int> CvxComboBox::GetSelectedData() const
{
    if (currentIndex() < 0) {
        return std::nullopt;
    }
    return currentData().toInt();
}
