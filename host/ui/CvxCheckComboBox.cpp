#include "CvxCheckComboBox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStandardItemModel>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>

CvxCheckComboBox::CvxCheckComboBox(int id, QWidget* parent) : QComboBox(parent)
{
    setObjectName(QString::number(id));
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_model = new QStandardItemModel(this);
    setModel(m_model);
    connect(m_model, &QStandardItemModel::itemChanged, this, [this] {
        UpdateText();
        if (!m_quiet) {
            emit selectionChanged();
        }
    });
    // Filters run latest installed first: these see the popup's clicks and keys before the
    // combo box's own popup, which would take the item and close.
    view()->installEventFilter(this);
    view()->viewport()->installEventFilter(this);
}

void CvxCheckComboBox::SetEmptyText(const QString& text)
{
    m_emptyText = text;
    updateGeometry();
    UpdateText();
}

int CvxCheckComboBox::AddItem(const QString& text, bool checked)
{
    auto* item = new QStandardItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    m_model->appendRow(item);
    // The open list is as wide as the box unless told otherwise, which cuts texts beside the
    // check boxes.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth());
    updateGeometry();
    UpdateText();
    return m_model->rowCount() - 1;
}

bool CvxCheckComboBox::GetCheck(int index) const
{
    const QStandardItem* item = m_model->item(index);
    return item != nullptr && item->checkState() == Qt::Checked;
}

void CvxCheckComboBox::SetCheck(int index, bool checked)
{
    if (QStandardItem* item = m_model->item(index)) {
        m_quiet = true;
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
        m_quiet = false;
    }
}

QString CvxCheckComboBox::GetText() const
{
    QStringList checked;
    for (int i = 0; i < m_model->rowCount(); ++i) {
        if (GetCheck(i)) {
            checked.append(m_model->item(i)->text());
        }
    }
    return checked.isEmpty() ? m_emptyText : checked.join(", ");
}

QSize CvxCheckComboBox::sizeHint() const
{
    QStringList all;
    for (int i = 0; i < m_model->rowCount(); ++i) {
        all.append(m_model->item(i)->text());
    }
    const QFontMetrics metrics = fontMetrics();
    const int text = std::max(metrics.horizontalAdvance(all.join(", ")), metrics.horizontalAdvance(m_emptyText));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QSize own = QComboBox::sizeHint();
    const QSize wanted = style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(text + 4, own.height()), this);
    return {std::max(own.width(), wanted.width()), own.height()};
}

void CvxCheckComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = GetText();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

bool CvxCheckComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view()->viewport()) {
        if (event->type() == QEvent::MouseButtonRelease) {
            const QModelIndex index = view()->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            if (index.isValid()) {
                Toggle(index.row());
            }
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick) {
            return true; // its two releases have toggled twice already
        }
    } else if (watched == view() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Select) {
            Toggle(view()->currentIndex().row());
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

void CvxCheckComboBox::Toggle(int index)
{
    if (QStandardItem* item = m_model->item(index)) {
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
}

void CvxCheckComboBox::UpdateText()
{
    setToolTip(GetText());
    update();
}
