#include "CvxCompareHeaderView.h"

#include "CvxCompareColumnWidth.h"
#include "CvxCompareContextMenu.h"
#include "CvxCompareHeaderCommands.h"
#include "CvxCompareHeaderController.h"
#include "CvxCompareHeaderViewport.h"
#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"
#include "CvxComparePaneKeys.h"
#include "CvxCompareSplitterWnd.h"
#include "CvxCompareViewMetrics.h"
#include "CvxInfoDlg.h"
#include "CvxPainterSelect.h"
#include "CvxQtText.h"
#include "CvxStdCmdIFaceMgr.h"
#include "CvxStringConvert.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

#include <map>

using Menu = CvxCompareContextMenu;

struct CvxCompareHeaderView::Controls {
    struct Control {
        CvxCompareTriggerField::Kind kind = CvxCompareTriggerField::kNone;
        QWidget* widget = nullptr;
    };
    std::map<CvxID, Control> byColumn;
};

CvxCompareHeaderView::CvxCompareHeaderView(CvxCompareModel& model, CvxCompareSplitterWnd& splitter)
    : CvxComparePaneView(model, std::make_unique<CvxCompareHeaderViewport>(model),
                         std::make_unique<CvxCompareHeaderController>(), true, &splitter)
    , m_splitter(splitter)
    , m_commands(std::make_unique<CvxCompareHeaderCommands>(model, *this))
    , m_controls(std::make_unique<Controls>())
{
    setMouseTracking(true);
    GetHeaderController().Attach(*this);
    GetHeader().SetFieldsHook([this] { PlaceTriggerControls(); });
}

CvxCompareHeaderView::~CvxCompareHeaderView() = default;

CvxCompareHeaderViewport& CvxCompareHeaderView::GetHeader() { return static_cast<CvxCompareHeaderViewport&>(GetViewport()); }

CvxCompareHeaderController& CvxCompareHeaderView::GetHeaderController()
{
    return *static_cast<CvxCompareHeaderController*>(GetController());
}

void CvxCompareHeaderView::TrackHeaderHeight()
{
    CvxCompareModel& model = GetModel();
    CvxCompareProperties properties = model.GetProperties();
    const QFontMetrics metrics(CvxFont(CvxQt(properties.GetLabelFontName()), properties.GetFontPointSize()).Get());
    properties.SetHeaderRowHeight(CvxCompareViewMetrics::HeaderRowHeight(metrics.height() + metrics.leading()));
    model.SetProperties(properties);
    m_splitter.SetSidesShown(properties.IsMarkersDisplayed());
    m_splitter.SetRowHeight(CvxCompareViewMetrics::HeaderHeight(properties));
    m_splitter.RecalcLayout();
}

void CvxCompareHeaderView::ShowSelectedColumn()
{
    for (const CvxCompareColumn& column : GetModel().GetColumns()) {
        if (!column.IsSelected()) {
            continue;
        }
        int x = GetHorizontalOrigin();
        if (column.GetLeft() + column.GetWidth() > x + width()) {
            x = column.GetLeft() + column.GetWidth() - width();
        }
        if (column.GetLeft() < x) {
            x = column.GetLeft();
        }
        m_splitter.ScrollHorizontally(this, x);
        return;
    }
}

void CvxCompareHeaderView::SetHorizontalOrigin(int x)
{
    CvxComparePaneView::SetHorizontalOrigin(x);
    GetHeader().SetOriginX(x);
}

void CvxCompareHeaderView::ScrollLine(int step)
{
    if (step > 0) {
        CvxCompareLineRightMessage right;
        GetModel().Broadcast(right);
    } else if (step < 0) {
        CvxCompareLineLeftMessage left;
        GetModel().Broadcast(left);
    }
}

void CvxCompareHeaderView::Post(std::function<void()> action) { QTimer::singleShot(0, this, std::move(action)); }

bool CvxCompareHeaderView::ExecuteCommand(int id) { return m_commands->Execute(id); }

bool CvxCompareHeaderView::IsCommandEnabled(int id) const { return m_commands->IsEnabled(id); }

void CvxCompareHeaderView::ShowMenu(int kind, const QPoint& at)
{
    m_menu = Menu::Build(static_cast<Menu::Kind>(kind), this);
    m_commands->Apply(*m_menu);
    m_menu->popup(mapToGlobal(at));
}

void CvxCompareHeaderView::OnModelMessage(CvxMvcDefMsg& message)
{
    const int type = message.GetType();
    CvxCompareModel& model = GetModel();
    switch (type) {
    case CvxComparePropertiesChangedMessage::kType:
    case CvxCompareModelLoadedMessage::kType: TrackHeaderHeight(); break;
    // Columns keep the widths they were given; those without one get their measured width.
    case CvxCompareSetDefaultColumnWidthMessage::kType: CvxCompareColumnWidth::SizeUnsized(model); break;
    case CvxCompareDisplayLabelInsertDialogMessage::kType: {
        const int command = static_cast<const CvxCompareDisplayLabelInsertDialogMessage&>(message).GetInsertCommand();
        Post([this, command] { ExecuteCommand(command == 0 ? Menu::kInsertColumn : command); });
        break;
    }
    case CvxCompareCopyMessage::kType: m_commands->CopyColumns(); break;
    case CvxComparePasteMessage::kType: Post([this] { m_commands->PasteColumns(); }); break;
    case CvxCompareColumnDeleteMessage::kType:
        Post([this] {
            m_commands->ForSelection();
            ExecuteCommand(Menu::kDeleteColumn);
        });
        break;
    case CvxCompareDisplayPropertiesDialogMessage::kType: Post([this] { ExecuteCommand(Menu::kProperties); }); break;
    case CvxCompareUndoMessage::kType: Post([this] { ExecuteCommand(Menu::kUndo); }); break;
    case CvxCompareDisplaySymbolsDlgMessage::kType: Post([this] { ExecuteCommand(Menu::kSymbols); }); break;
    default: break;
    }
    GetHeader().OnModelMessage(message);
}

bool CvxCompareHeaderView::event(QEvent* event)
{
    const bool dragging = GetHeaderController().GetDragMode() != CvxCompareHeaderController::kNone;
    return CvxComparePaneKeys::Claim(*event, dragging, true) || CvxComparePaneView::event(event);
}

void CvxCompareHeaderView::customEvent(QEvent* event)
{
    if (event->type() == kShowSelectedColumnEvent) {
        ShowSelectedColumn();
        return;
    }
    CvxComparePaneView::customEvent(event);
}

QWidget* CvxCompareHeaderView::GetTriggerControl(const CvxID& column) const
{
    const auto it = m_controls->byColumn.find(column);
    return it != m_controls->byColumn.end() && it->second.widget->isVisibleTo(this) ? it->second.widget : nullptr;
}

void CvxCompareHeaderView::PlaceTriggerControls()
{
    std::map<CvxID, bool> placed;
    for (const CvxCompareHeaderViewport::TriggerField& field : GetHeader().GetTriggerFields()) {
        if (field.kind != CvxCompareTriggerField::kBus && field.kind != CvxCompareTriggerField::kSignal) {
            continue;
        }
        auto& control = m_controls->byColumn[field.column];
        if (control.widget == nullptr || control.kind != field.kind) {
            delete control.widget;
            control.widget = MakeTriggerControl(field.column, field.kind);
            control.kind = field.kind;
        }
        control.widget->setGeometry(field.rect);
        if (auto* edit = qobject_cast<QLineEdit*>(control.widget)) {
            if (!edit->hasFocus()) {
                edit->setText(CvxQt(field.pattern.GetText()));
            }
        } else if (auto* button = qobject_cast<QToolButton*>(control.widget)) {
            button->setText(CvxCompareTriggerField::LevelText(field.pattern));
        }
        control.widget->show();
        placed[field.column] = true;
    }
    for (auto it = m_controls->byColumn.begin(); it != m_controls->byColumn.end();) {
        if (placed.count(it->first) != 0) {
            ++it;
            continue;
        }
        if (GetModel().FindColumn(it->first) == nullptr) {
            delete it->second.widget;
            it = m_controls->byColumn.erase(it);
            continue;
        }
        it->second.widget->hide();
        ++it;
    }
}

QWidget* CvxCompareHeaderView::MakeTriggerControl(const CvxID& column, int kind)
{
    const CvxCompareColumn* record = GetModel().FindColumn(column);
    QString name = record != nullptr ? CvxCompareHeaderViewport::NameText(*record) : QString();
    name.replace('/', '_');
    if (kind == CvxCompareTriggerField::kBus) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName("Trigger:" + name);
        edit->setFrame(false);
        edit->setAlignment(Qt::AlignCenter);
        edit->setFont(GetHeader().LabelFont());
        edit->setToolTip(QStringLiteral("Trigger pattern of %1 (X: don't care)").arg(name));
        // A pattern that differs from the trigger as it is becomes the trigger (typed, or set
        // by a remote client).
        connect(edit, &QLineEdit::editingFinished, this, [this, column, edit] {
            const CvxCompareColumn* shown = GetModel().FindColumn(column);
            if (shown != nullptr
                && edit->text().trimmed().compare(CvxQt(CvxCompareTriggerField::PatternOf(*shown).GetText()), Qt::CaseInsensitive) != 0) {
                SetTrigger(column, edit->text());
            }
        });
        return edit;
    }
    auto* button = new QToolButton(this);
    button->setObjectName("Trigger:" + name);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setToolTip(QStringLiteral("Trigger level of %1").arg(name));
    auto* menu = new QMenu(button);
    for (const auto& [text, level] : {std::pair{"Don't Care (X)", "X"}, {"Low (0)", "0"}, {"High (1)", "1"}}) {
        QAction* action = menu->addAction(text);
        action->setObjectName(level);
        const QString value = level;
        connect(action, &QAction::triggered, this, [this, column, value] { SetTrigger(column, value); });
    }
    button->setMenu(menu);
    return button;
}

void CvxCompareHeaderView::SetTrigger(const CvxID& column, const QString& text)
{
    const CvxCompareColumn* record = GetModel().FindColumn(column);
    if (record == nullptr) {
        return;
    }
    CvxPatternModel pattern = CvxCompareTriggerField::PatternOf(*record);
    CvxPatternModel edited(pattern.GetLabel(), pattern.GetWidth(), pattern.GetBaseCode());
    std::string error;
    if (edited.Parse(CvxU16(text.trimmed()), error)
        && CvxStdCmdIFaceMgr::GetInstance().SetSimpleTrigger({edited}, error)) {
        GetHeader().Invalidate();
        return;
    }
    CvxInfoDlg::Show(CvxInfoDlg::kDialogWarning,
                     u"The trigger of " + CvxU16(CvxCompareHeaderViewport::NameText(*record)) + u" was not set: "
                         + CvxStringConvert::FromUtf8(error));
    GetHeader().Invalidate(); // the field shows the trigger as it is
}
