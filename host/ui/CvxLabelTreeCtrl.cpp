#include "CvxLabelTreeCtrl.h"

#include "CvxLabelMgr.h"
#include "CvxLabelNameFormatter.h"
#include "CvxLabelTooltipFormatter.h"
#include "CvxQtText.h"

#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kIdRole = Qt::UserRole + 1;
constexpr int kChannelRole = Qt::UserRole + 2;

constexpr int kBlankImage = 0;
constexpr int kBusImage = 2;
constexpr int kSignalImage = 4;
constexpr int kFolderImage = 6;
constexpr int kStringImage = 8;
constexpr int kOtherImage = 10;

void DrawGlyph(QPainter& painter, int image)
{
    switch (image) {
    case kBusImage: // the shape of a bus value between two transitions
        painter.setPen(QPen(QColor(0, 70, 160), 1.2));
        painter.setBrush(QColor(170, 200, 240));
        painter.drawPolygon(QPolygonF({{1, 8}, {4, 4}, {12, 4}, {15, 8}, {12, 12}, {4, 12}}));
        break;
    case kSignalImage: // a pulse
        painter.setPen(QPen(QColor(0, 120, 40), 1.6));
        painter.drawPolyline(QPolygonF({{1, 12}, {5, 12}, {5, 4}, {11, 4}, {11, 12}, {15, 12}}));
        break;
    case kFolderImage: {
        QPainterPath folder;
        folder.moveTo(1, 4);
        folder.lineTo(6, 4);
        folder.lineTo(7, 6);
        folder.lineTo(15, 6);
        folder.lineTo(15, 13);
        folder.lineTo(1, 13);
        folder.closeSubpath();
        painter.setPen(QPen(QColor(150, 110, 0), 1));
        painter.setBrush(QColor(245, 210, 100));
        painter.drawPath(folder);
        break;
    }
    case kStringImage: {
        QFont font = painter.font();
        font.setPixelSize(8);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(90, 40, 130));
        painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, "abc");
        break;
    }
    case kOtherImage:
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(90, 90, 90));
        painter.drawEllipse(QPointF(8, 8), 3, 3);
        break;
    default:
        break;
    }
}

// A small padlock in the lower right corner, over the glyph.
void DrawPadlock(QPainter& painter)
{
    painter.setPen(QPen(QColor(60, 60, 60), 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(10, 6.5, 4, 5), 0, 180 * 16);
    painter.setPen(QColor(60, 60, 60));
    painter.setBrush(QColor(220, 170, 40));
    painter.drawRect(QRectF(9.5, 9.5, 5.5, 5));
}

QIcon MakeImage(int image)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawGlyph(painter, image & ~1);
    if ((image & 1) != 0) {
        DrawPadlock(painter);
    }
    painter.end();
    return QIcon(pixmap);
}

} // namespace

CvxLabelTreeCtrl::CvxLabelTreeCtrl(int id, const CvxBitSet& folderTypes, const CvxBitSet& labelTypes, const CvxID& root, QWidget* parent)
    : QTreeWidget(parent), m_folderTypes(folderTypes), m_labelTypes(labelTypes), m_root(root)
{
    setObjectName(QString::number(id));
    setColumnCount(1);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setIconSize(QSize(16, 16));
}

void CvxLabelTreeCtrl::Fill()
{
    clear();
    AddChildren(invisibleRootItem(), m_root);
}

void CvxLabelTreeCtrl::AddChildren(QTreeWidgetItem* parent, const CvxID& folder)
{
    const CvxLabelMgr& mgr = CvxLabelMgr::GetInstance();
    for (const CvxID& id : mgr.GetChildren(folder)) {
        const CvxLabelBase* label = mgr.IDToLabel(id);
        if (label == nullptr) {
            continue;
        }
        const int kind = static_cast<int>(label->GetKind());
        if (label->IsFolder()) {
            if (!m_folderTypes.Contains(kind)) {
                AddChildren(parent, id);
                continue;
            }
            QTreeWidgetItem* item = AddItem(parent, CvxLabelChannel(id), CvxQt(label->GetName()));
            AddChildren(item, id);
            if (item->childCount() == 0) {
                delete item;
            } else {
                item->setExpanded(true);
            }
        } else if (m_labelTypes.Contains(kind)) {
            QTreeWidgetItem* item = AddItem(parent, CvxLabelChannel(id), CvxQt(label->GetName()));
            if (label->IsA(EvxLabelKind::BusSignal) && label->GetNumberOfChannels() > 1) {
                for (int channel = 0; channel < label->GetNumberOfChannels(); ++channel) {
                    AddItem(item, CvxLabelChannel(id, channel), CvxQt(CvxLabelNameFormatter::Format(id, channel, false)));
                }
            }
        }
    }
}

QTreeWidgetItem* CvxLabelTreeCtrl::AddItem(QTreeWidgetItem* parent, const CvxLabelChannel& label, const QString& text)
{
    auto* item = new QTreeWidgetItem(parent, {text});
    item->setData(0, kIdRole, QString::fromStdString(label.GetLabelID().ToString()));
    item->setData(0, kChannelRole, label.GetChannel());
    item->setIcon(0, Images()[static_cast<std::size_t>(ImageOf(label))]);
    item->setToolTip(0, CvxQt(CvxLabelTooltipFormatter::Format(label)));
    return item;
}

bool CvxLabelTreeCtrl::HasSelection() const
{
    return !GetSelectedLabels().empty();
}

std::vector<CvxLabelChannel> CvxLabelTreeCtrl::GetSelectedLabels() const
{
    const CvxLabelMgr& mgr = CvxLabelMgr::GetInstance();
    std::vector<CvxLabelChannel> selected;
    // The iterator walks in tree order, which the selection's own order is not.
    for (QTreeWidgetItemIterator it(const_cast<CvxLabelTreeCtrl*>(this), QTreeWidgetItemIterator::Selected); *it != nullptr; ++it) {
        CvxID id;
        id.SetValue((*it)->data(0, kIdRole).toString().toStdString());
        const CvxLabelBase* label = mgr.IDToLabel(id);
        if (label != nullptr && !label->IsFolder()) {
            selected.emplace_back(id, (*it)->data(0, kChannelRole).toInt());
        }
    }
    return selected;
}

void CvxLabelTreeCtrl::ClearSelectionAfterTake(bool keep)
{
    if (!keep) {
        clearSelection();
    }
}

int CvxLabelTreeCtrl::ImageOf(const CvxLabelChannel& label)
{
    const CvxLabelBase* base = CvxLabelMgr::GetInstance().IDToLabel(label.GetLabelID());
    if (base == nullptr) {
        return kOtherImage;
    }
    int image = kOtherImage;
    switch (base->GetKind()) {
    case EvxLabelKind::BusSignal: {
        const int channels = base->GetNumberOfChannels();
        if (channels == 1 || (channels > 1 && label.GetChannel() >= 0)) {
            image = kSignalImage;
        } else if (channels > 1) {
            image = kBusImage;
        }
        break;
    }
    case EvxLabelKind::GroupFolder:
        image = kFolderImage;
        break;
    case EvxLabelKind::StringLabel:
        image = kStringImage;
        break;
    default:
        break;
    }
    return image != kOtherImage && base->Locked() ? image + 1 : image;
}

const std::vector<QIcon>& CvxLabelTreeCtrl::Images()
{
    static const std::vector<QIcon> images = [] {
        std::vector<QIcon> made;
        for (int image = kBlankImage; image <= kOtherImage + 1; ++image) {
            made.push_back(MakeImage(image));
        }
        return made;
    }();
    return images;
}
