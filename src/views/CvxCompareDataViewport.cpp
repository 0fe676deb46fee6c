#include "CvxCompareDataViewport.h"

#include "CvxCancelMgr.h"
#include "CvxCompareCellPainter.h"
#include "CvxCompareMessage.h"
#include "CvxCompareModel.h"
#include "CvxCompareTextLayout.h"
#include "CvxHostOptions.h"
#include "CvxPainterSelect.h"
#include "CvxQtText.h"
#include "CvxTimeCorrelatedIter.h"

#include <QAbstractSlider>
#include <QJsonArray>
#include <QPainter>

#include <algorithm>
#include <climits>

namespace {

// Holds the model's activity updates and the marker bars' redrawing back for one move of the
// grid, so that each is brought up to date once, after the move.
class MoveHold {
public:
    explicit MoveHold(CvxCompareModel& model) : m_model(model)
    {
        m_model.HoldActivityUpdates(true);
        CvxCompareMarkerDisplayUpdatesSuppressMessage suppress(true);
        m_model.Broadcast(suppress);
    }
    ~MoveHold()
    {
        CvxCompareMarkerDisplayUpdatesSuppressMessage release(false);
        m_model.Broadcast(release);
        m_model.HoldActivityUpdates(false);
    }
    MoveHold(const MoveHold&) = delete;
    MoveHold& operator=(const MoveHold&) = delete;

private:
    CvxCompareModel& m_model;
};

} // namespace

// What one paint needs, made once per paint: the visible columns with their iterators and
// cell painters.
struct CvxCompareDataViewport::Frame {
    QFont font;
    QFontMetrics metrics{QFont()};
    CvxCompareCellStyle style;
    int rowHeight = 1;
    std::vector<const CvxCompareColumn*> columns;
    std::vector<std::unique_ptr<CvxSampleIterBase>> iters;
    std::vector<std::unique_ptr<CvxCompareCellPainter>> painters;
    std::unique_ptr<CvxTimeCorrelatedIter> walk;
    int centreTop = 0;
    std::vector<std::pair<CvxPosition, int>> painted; // each painted row's position and top
};

CvxCompareDataViewport::CvxCompareDataViewport(CvxCompareModel& model) : m_model(model) {}

CvxCompareDataViewport::~CvxCompareDataViewport()
{
    ScrollEnded(Qt::Vertical);
}

QFont CvxCompareDataViewport::DataFont() const
{
    const CvxCompareProperties& properties = m_model.GetProperties();
    return CvxFont(CvxQt(properties.GetDataFontName()), properties.GetFontPointSize()).Get();
}

int CvxCompareDataViewport::GetRowHeight() const
{
    return std::max(1, QFontMetrics(DataFont()).height());
}

int CvxCompareDataViewport::GetAverageCharWidth() const
{
    return CvxCompareTextLayout::CharWidth(DataFont());
}

int CvxCompareDataViewport::GetPageRows() const
{
    return std::max(1, GetSize().height() / GetRowHeight());
}

int CvxCompareDataViewport::GetColumnsWidth() const
{
    int width = 0;
    for (const CvxCompareColumn& column : m_model.GetColumns()) {
        width = std::max(width, column.GetLeft() + column.GetWidth());
    }
    return width;
}

void CvxCompareDataViewport::SetOriginX(int x)
{
    x = std::clamp(x, 0, std::max(0, GetColumnsWidth() - GetSize().width()));
    if (x != m_originX) {
        m_originX = x;
        Invalidate();
    }
}

void CvxCompareDataViewport::MoveOrigin(int x)
{
    SetOriginX(x);
    if (m_originHook) {
        m_originHook(m_originX);
    }
}

bool CvxCompareDataViewport::MayMove() const
{
    return !CvxCancelMgr::GetInstance().IsEnabled();
}

bool CvxCompareDataViewport::WalkRows(Frame& frame, const std::function<void(int, CvxTimeCorrelatedIter&)>& row) const
{
    const std::shared_ptr<CvxData>& data = m_model.GetInputData();
    if (data == nullptr || !m_model.IsDataValid() || m_model.GetColumns().empty()) {
        return false;
    }
    const CvxCompareProperties& properties = m_model.GetProperties();
    frame.font = DataFont();
    frame.metrics = QFontMetrics(frame.font);
    frame.rowHeight = std::max(1, frame.metrics.height());
    frame.style.metrics = &frame.metrics;
    frame.style.averageCharWidth = CvxCompareTextLayout::CharWidth(frame.font);
    frame.style.referenceBackground = CvxColor(properties.GetRefBackgroundColor());
    frame.style.noReferenceBackground = CvxColor(properties.GetNoRefBackgroundColor());
    frame.style.differenceForeground = CvxColor(properties.GetDiffForegroundColor());
    frame.style.differenceBackground = CvxColor(properties.GetDiffBackgroundColor());
    frame.style.Prepare();

    // Only the columns that meet the visible range are read and formatted.
    std::vector<CvxSampleIterBase*> iters;
    for (const CvxCompareColumn& column : m_model.GetColumns()) {
        if (column.GetLeft() + column.GetWidth() <= m_originX || column.GetLeft() >= m_originX + GetSize().width()) {
            continue;
        }
        const CvxDataColumnComponent* dataColumn = data->GetColumnWithLabelID(column.GetLabel().GetLabelID());
        if (dataColumn == nullptr) {
            continue;
        }
        const bool subRows = dataColumn->GetAttributes().Contains(CvxDataColumnComponent::kAttrSubRows);
        frame.iters.push_back(data->CreateIter(column.GetLabel(), subRows ? CvxSampleIterBase::kModeSubRows
                                                                          : CvxSampleIterBase::kModeSamples));
        iters.push_back(frame.iters.back().get());
        frame.columns.push_back(&column);
        frame.painters.push_back(std::make_unique<CvxCompareCellPainter>(m_model, column, frame.style));
    }
    frame.walk = std::make_unique<CvxTimeCorrelatedIter>(*data, iters, m_model.GetRepresentedTables());

    const int height = GetSize().height();
    const int total = height / frame.rowHeight + 4;
    frame.centreTop = height / 2 - frame.rowHeight / 2;
    frame.painted.reserve(static_cast<std::size_t>(total));
    CvxTimeCorrelatedIter& walk = *frame.walk;
    walk.SetPosition(m_model.GetCenter());
    int top = frame.centreTop;
    for (int i = 0; i < total / 2 && !walk.IsDone(); ++i) {
        frame.painted.emplace_back(walk.GetPosition(), top);
        row(top, walk);
        walk.Prev();
        top -= frame.rowHeight;
    }
    walk.SetPosition(m_model.GetCenter());
    walk.Next();
    top = frame.centreTop + frame.rowHeight;
    for (int i = 0; i < total / 2 && !walk.IsDone(); ++i) {
        frame.painted.emplace_back(walk.GetPosition(), top);
        row(top, walk);
        walk.Next();
        top += frame.rowHeight;
    }
    return true;
}

void CvxCompareDataViewport::Paint(QPainter& painter, const QRect&)
{
    if (CvxCancelMgr::GetInstance().IsPumping()) {
        return;
    }
    const CvxCompareProperties& properties = m_model.GetProperties();
    painter.fillRect(GetRect(), CvxColor(properties.GetBackgroundColor()));
    Frame frame;
    std::u16string text;
    const bool shown = WalkRows(frame, [&](int top, CvxTimeCorrelatedIter& walk) {
        for (std::size_t c = 0; c < frame.columns.size(); ++c) {
            const CvxCompareColumn& column = *frame.columns[c];
            frame.painters[c]->PaintWalked(painter, walk, static_cast<int>(c),
                                           QRect(column.GetLeft() - m_originX, top, column.GetWidth(), frame.rowHeight),
                                           text);
        }
    });
    m_painted = frame.painted;
    m_rowHeight = frame.rowHeight;
    if (!shown) {
        return;
    }
    PaintOutline(painter, frame);
    m_model.SetVisibleRows(std::max(1, GetSize().height() / frame.rowHeight));
    const int width = GetSize().width();
    if (properties.IsCenterRectDisplayed()) {
        painter.setPen(QPen(CvxColor(properties.GetCenterRectColor()), 1));
        painter.drawLine(0, frame.centreTop, width, frame.centreTop);
        painter.drawLine(0, frame.centreTop + frame.rowHeight, width, frame.centreTop + frame.rowHeight);
    }
    // Markers: two dotted lines around the row each shown marker falls on.
    m_markerRows.clear();
    if (frame.painted.empty()) {
        return;
    }
    for (const CvxMarker* marker : m_model.GetMarkerMgr().GetMarkers(false)) {
        if (!marker->IsSetShow()) {
            continue;
        }
        const std::optional<int> top = RowTopIn(frame.painted, marker->GetPosition());
        if (!top) {
            continue;
        }
        const int y = *top;
        m_markerRows.emplace_back(marker->GetID(), y);
        painter.setPen(QPen(CvxColor(marker->GetBackgroundColor()), 1, Qt::DotLine));
        painter.drawLine(0, y + 1, width, y + 1);
        painter.drawLine(0, y + frame.rowHeight - 1, width, y + frame.rowHeight - 1);
    }
}

bool CvxCompareDataViewport::RowAt(int y, CvxPosition& position) const
{
    for (const auto& [at, top] : m_painted) {
        if (y >= top && y < top + m_rowHeight) {
            position = at;
            return true;
        }
    }
    return false;
}

bool CvxCompareDataViewport::GetShownRange(CvxPosition& first, CvxPosition& last) const
{
    Frame frame;
    if (!WalkRows(frame, [](int, CvxTimeCorrelatedIter&) {}) || frame.painted.empty()) {
        return false;
    }
    const auto [low, high] = std::minmax_element(frame.painted.begin(), frame.painted.end());
    first = low->first;
    last = high->first;
    return true;
}

std::optional<int> CvxCompareDataViewport::RowTopIn(const std::vector<std::pair<CvxPosition, int>>& painted,
                                                   const CvxPosition& at)
{
    if (painted.empty()) {
        return std::nullopt;
    }
    const auto [first, last] = std::minmax_element(painted.begin(), painted.end());
    if (at < first->first || last->first < at) {
        return std::nullopt;
    }
    std::optional<int> y;
    const CvxPosition* best = nullptr;
    for (const auto& [position, top] : painted) {
        if (!(position < at) && (best == nullptr || position < *best)) {
            best = &position;
            y = top;
        }
    }
    return y;
}

int CvxCompareDataViewport::RowTopOf(const CvxPosition& position) const
{
    Frame frame;
    if (!WalkRows(frame, [](int, CvxTimeCorrelatedIter&) {})) {
        return -1;
    }
    const std::optional<int> top = RowTopIn(frame.painted, position);
    if (!top || *top + frame.rowHeight <= 0 || *top >= GetSize().height()) {
        return -1;
    }
    return *top;
}

std::vector<CvxID> CvxCompareDataViewport::MarkersAt(int y) const
{
    std::vector<CvxID> markers;
    for (const auto& [id, top] : m_markerRows) {
        if (y >= top && y < top + m_rowHeight) {
            markers.push_back(id);
        }
    }
    return markers;
}

const CvxCompareColumn* CvxCompareDataViewport::ColumnAt(int x) const
{
    const int at = x + m_originX;
    for (const CvxCompareColumn& column : m_model.GetColumns()) {
        if (at >= column.GetLeft() && at < column.GetLeft() + column.GetWidth()) {
            return &column;
        }
    }
    return nullptr;
}

void CvxCompareDataViewport::SetOutline(const CvxPosition& first, const CvxPosition& last)
{
    if (!m_outlined || !(first == m_outlineFirst) || !(last == m_outlineLast)) {
        m_outlined = true;
        m_outlineFirst = first;
        m_outlineLast = last;
        Invalidate();
    }
}

void CvxCompareDataViewport::ClearOutline()
{
    if (m_outlined) {
        m_outlined = false;
        Invalidate();
    }
}

void CvxCompareDataViewport::PaintOutline(QPainter& painter, const Frame& frame) const
{
    if (!m_outlined) {
        return;
    }
    const CvxPosition low = std::min(m_outlineFirst, m_outlineLast);
    const CvxPosition high = std::max(m_outlineFirst, m_outlineLast);
    int top = INT_MAX;
    int bottom = INT_MIN;
    for (const auto& [position, rowTop] : frame.painted) {
        if (!(position < low) && !(high < position)) {
            top = std::min(top, rowTop);
            bottom = std::max(bottom, rowTop + frame.rowHeight - 1);
        }
    }
    int left = INT_MAX;
    int right = INT_MIN;
    for (const CvxCompareColumn& column : m_model.GetColumns()) {
        if (column.IsSelected()) {
            left = std::min(left, column.GetLeft() - m_originX);
            right = std::max(right, column.GetLeft() + column.GetWidth() - 1 - m_originX);
        }
    }
    if (top > bottom || left > right) {
        return;
    }
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 0, 0), 1, Qt::DashLine));
    painter.drawRect(QRect(QPoint(left, top), QPoint(right, bottom)));
    painter.restore();
}

QJsonObject CvxCompareDataViewport::Describe() const
{
    Frame frame;
    std::vector<std::pair<int, QJsonArray>> rows;
    std::u16string text;
    int status = 0;
    WalkRows(frame, [&](int top, CvxTimeCorrelatedIter& walk) {
        QJsonArray cells;
        for (std::size_t c = 0; c < frame.columns.size(); ++c) {
            walk.GetValue(static_cast<int>(c), text, status);
            CvxCompareCellRequest request;
            request.model = &m_model;
            request.input = walk.GetIter(static_cast<int>(c));
            request.text = text;
            request.status = status;
            CvxCompareCellPainter& painter = *frame.painters[c];
            if (status != kStatusNoSample) {
                painter.Paint(request);
            }
            const CvxCompareCellPainter::Decision& decision = painter.GetDecision();
            QJsonObject cell{{"column", CvxQt(frame.columns[c]->GetLabel().GetName())},
                             {"input", CvxQt(status == kStatusNoSample ? std::u16string() : text)},
                             {"status", status}};
            if (status != kStatusNoSample && decision.compared) {
                cell["reference"] = painter.ShowsReference() ? CvxQt(decision.referenceText) : QString();
                cell["background"] = decision.referencePresent ? "reference" : "no-reference";
                cell["different"] = decision.differ;
            }
            cells.append(cell);
        }
        rows.emplace_back(top, cells);
    });
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QJsonArray shown;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CvxPosition& position = std::find_if(frame.painted.begin(), frame.painted.end(), [&](const auto& p) {
                                          return p.second == rows[i].first;
                                      })->first;
        shown.append(QJsonObject{{"top", rows[i].first},
                                 {"sample", static_cast<qint64>(position.AsSample())},
                                 {"centre", rows[i].first == frame.centreTop},
                                 {"cells", rows[i].second}});
    }
    QJsonObject described{{"pane", "grid"}, {"originX", m_originX}, {"rows", shown}};
    if (m_outlined) {
        described["outline"] = QJsonObject{{"first", static_cast<qint64>(m_outlineFirst.AsSample())},
                                           {"last", static_cast<qint64>(m_outlineLast.AsSample())}};
    }
    return described;
}

bool CvxCompareDataViewport::OnModelMessage(const CvxMvcDefMsg& message)
{
    const int type = message.GetType();
    const auto move = [&](const std::function<void()>& action) {
        if (MayMove()) {
            const MoveHold hold(m_model);
            action();
        }
        return true;
    };
    const int a = GetAverageCharWidth();
    const int width = GetSize().width();
    switch (type) {
    case CvxCompareNewDataMessage::kType: {
        const auto& newData = static_cast<const CvxCompareNewDataMessage&>(message);
        if (newData.GetRunsPresent() && CvxHostOptions::GetInstance().GetGotoTriggerOnRun() && m_model.IsDataValid()) {
            m_model.MoveCenter(CvxPosition(), false);
        }
        SetOriginX(m_originX);
        Invalidate();
        return true;
    }
    case 10: // the origin moved (undoable command)
    case 11: // the centre moved (undoable command)
    case CvxCompareColumnsChangedMessage::kType:
    case CvxComparePropertiesChangedMessage::kType:
    case CvxCompareDataChangedMessage::kType:
    case CvxCompareSelectionChangeMessage::kType:
    case CvxCompareColumnWidthChangedMessage::kType:
        SetOriginX(m_originX);
        Invalidate();
        return true;
    case CvxCompareGotoBeginMessage::kType:
    case CvxCompareKbHomeMessage::kType: return move([&] { m_model.GotoFirst(); });
    case CvxCompareGotoEndMessage::kType:
    case CvxCompareKbEndMessage::kType: return move([&] { m_model.GotoLast(); });
    case CvxCompareGotoTriggerMessage::kType: return move([&] { m_model.MoveCenter(CvxPosition::AtTime(CvxTime()), true); });
    case CvxCompareKbPageUpMessage::kType: return move([&] { m_model.StepBackward(GetPageRows(), true); });
    case CvxCompareKbPageDownMessage::kType: return move([&] { m_model.StepForward(GetPageRows(), true); });
    case CvxCompareKbArrowUpMessage::kType: return move([&] { m_model.StepBackward(1, true); });
    case CvxCompareKbArrowDownMessage::kType: return move([&] { m_model.StepForward(1, true); });
    case CvxCompareKbCtrlHomeMessage::kType: return move([&] { MoveOrigin(0); });
    case CvxCompareKbCtrlEndMessage::kType: return move([&] { MoveOrigin(GetColumnsWidth()); });
    case CvxCompareKbArrowLeftMessage::kType:
    case CvxCompareLineLeftMessage::kType: return move([&] { MoveOrigin(m_originX - a); });
    case CvxCompareKbArrowRightMessage::kType:
    case CvxCompareLineRightMessage::kType: return move([&] { MoveOrigin(m_originX + a); });
    case CvxComparePageLeftMessage::kType: return move([&] { MoveOrigin(m_originX - width); });
    case CvxComparePageRightMessage::kType: return move([&] { MoveOrigin(m_originX + width); });
    default: return false;
    }
}

CvxScrollable::Range CvxCompareDataViewport::GetScrollRange(Qt::Orientation orientation, int extent) const
{
    if (orientation == Qt::Horizontal) {
        const int total = GetColumnsWidth();
        return {0, std::max(0, total - extent), extent, GetAverageCharWidth(), m_originX};
    }
    if (!m_model.IsDataValid()) {
        return {};
    }
    const CvxInt128 first = m_model.GetDataFirst().AsInt128();
    const CvxInt128 span = m_model.GetDataLast().AsInt128() - first;
    const CvxInt128 at = std::clamp<CvxInt128>(m_model.GetCenter().AsInt128() - first, 0, span);
    const int value = span <= 0 ? 0 : static_cast<int>(static_cast<long double>(at) * kThumbRange / static_cast<long double>(span));
    return {0, span <= 0 ? 0 : kThumbRange, kThumbRange / 20, 1, value};
}

void CvxCompareDataViewport::ScrollTo(Qt::Orientation orientation, int value)
{
    if (!MayMove()) {
        return;
    }
    if (orientation == Qt::Horizontal) {
        MoveOrigin(value);
        return;
    }
    if (!m_model.IsDataValid()) {
        return;
    }
    // The thumb maps linearly onto the time span; the centre settles on the first sample there.
    // Activity updates wait until the thumb is let go.
    if (!m_thumbHold) {
        m_thumbHold = true;
        m_model.HoldActivityUpdates(true);
    }
    const CvxInt128 first = m_model.GetDataFirst().AsInt128();
    const CvxInt128 span = m_model.GetDataLast().AsInt128() - first;
    const auto offset = static_cast<CvxInt128>(static_cast<long double>(span) * value / kThumbRange);
    m_model.MoveCenter(CvxPosition::AtTime(CvxTime::FromFs(first + offset)), true);
}

bool CvxCompareDataViewport::ScrollAction(Qt::Orientation orientation, int action)
{
    if (orientation != Qt::Vertical) {
        return false;
    }
    if (!MayMove()) {
        return true;
    }
    const MoveHold hold(m_model);
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: m_model.StepBackward(1, true); return true;
    case QAbstractSlider::SliderSingleStepAdd: m_model.StepForward(1, true); return true;
    case QAbstractSlider::SliderPageStepSub: m_model.StepBackward(GetPageRows(), true); return true;
    case QAbstractSlider::SliderPageStepAdd: m_model.StepForward(GetPageRows(), true); return true;
    case QAbstractSlider::SliderToMinimum: m_model.GotoFirst(); return true;
    case QAbstractSlider::SliderToMaximum: m_model.GotoLast(); return true;
    default: return false;
    }
}

void CvxCompareDataViewport::ScrollEnded(Qt::Orientation orientation)
{
    if (orientation == Qt::Vertical && m_thumbHold) {
        m_thumbHold = false;
        m_model.HoldActivityUpdates(false);
    }
}
