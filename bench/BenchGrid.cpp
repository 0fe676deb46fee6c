// The data grid's painting: an acquisition of 20 buses/signals of mixed widths with a paged
// reference of the same length and a difference every 1,000 rows, painted into a 1920 x 1080
// image at 200 random centre positions through the real viewport. Baseline: drawing the same
// number of pre-formatted strings of the same lengths at the same places with drawText. It
// also counts the heap allocations per painted row and checks the slowest frame.

#include "CvxBench.h"

#include "CvxCompareDataViewport.h"
#include "CvxCompareModel.h"
#include "CvxDataBuilder.h"
#include "CvxLabelMgr.h"
#include "CvxMessageRun.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <random>

namespace {

std::atomic<std::uint64_t> g_allocations{0};

constexpr int kWidths[] = {1, 1, 1, 1, 4, 8, 8, 8, 12, 16, 16, 16, 24, 32, 32, 32, 48, 64, 64, 64};
constexpr int kFrames = 200;

std::uint64_t ValueAt(int column, std::int64_t row, bool input)
{
    std::uint64_t v = (static_cast<std::uint64_t>(row) + 1) * 0x9E3779B97F4A7C15ULL ^ static_cast<std::uint64_t>(column);
    if (input && column == 6 && row % 1000 == 500) {
        v ^= 1; // a difference every 1,000 rows
    }
    const int width = kWidths[column];
    return width >= 64 ? v : v & ((std::uint64_t{1} << width) - 1);
}

std::shared_ptr<CvxData> Make(std::int64_t rows, bool input)
{
    CvxDataBuilder builder;
    CvxDataTable& table = builder.AddTable(u"Bench");
    table.SetUniformTimeBase(CvxTime::FromNs(10));
    for (int c = 0; c < static_cast<int>(std::size(kWidths)); ++c) {
        CvxDataColumnComponent& column =
            builder.AddBus(table, u"B" + std::u16string(1, char16_t(u'A' + c)), kWidths[c]);
        for (std::int64_t row = 0; row < rows; ++row) {
            column.Append(ValueAt(c, row, input));
        }
    }
    return builder.Finish();
}

QApplication& App()
{
    static int argc = 1;
    static char name[] = "cvx-bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

CvxBenchResult GridPaint(std::int64_t rows)
{
    App();
    CvxBenchBaseDir dir;
    CvxLabelMgr::GetInstance().Clear();
    CvxCompareModel model;
    model.SetOverviewWidth(1920);
    {
        const auto reference = Make(rows, false);
        model.OnRun(CvxMessageRun(reference, 1));
        std::vector<CvxCompareColumn> columns;
        std::vector<CvxLabelChannel> labels;
        const CvxDataTable& table = reference->GetTable(0);
        for (std::size_t c = 0; c < table.GetColumnCount(); ++c) {
            labels.emplace_back(table.GetColumn(c).GetLabelID());
            CvxCompareColumn column{labels.back()};
            column.SetWidth(40 + 12 * (kWidths[c] + 3) / 4 * 2);
            columns.push_back(column);
        }
        model.ReplaceColumns(columns);
        model.CopyReference(labels, CvxCompareRange());
    }
    const auto input = Make(rows, true);
    model.OnRun(CvxMessageRun(input, 2));
    const CvxDataTable& table = input->GetTable(0);

    CvxCompareDataViewport grid(model);
    grid.SetSize(QSize(1920, 1080));
    QImage image(1920, 1080, QImage::Format_RGB32);
    std::mt19937_64 random(7);
    std::vector<std::int64_t> centres(kFrames);
    for (std::int64_t& centre : centres) {
        centre = static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(rows));
    }

    // The grid: each frame centred on its row; cells drawn and their texts, for the baseline.
    std::vector<double> frameSeconds;
    std::uint64_t allocations = 0;
    std::int64_t paintedRows = 0;
    const auto paintAll = [&] {
        frameSeconds.clear();
        for (const std::int64_t centre : centres) {
            model.SetCenter(table.GetRowPosition(centre));
            const auto start = std::chrono::steady_clock::now();
            const std::uint64_t before = g_allocations.load(std::memory_order_relaxed);
            QPainter painter(&image);
            grid.Paint(painter, grid.GetRect());
            painter.end();
            allocations += g_allocations.load(std::memory_order_relaxed) - before;
            frameSeconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
    };
    // The same cells as pre-formatted strings of the same lengths, drawn at the same places.
    const int rowHeight = grid.GetRowHeight();
    const int rowsPerFrame = 1080 / rowHeight + 1;
    std::vector<std::pair<QPoint, QString>> cells;
    int x = 0;
    for (const CvxCompareColumn& column : model.GetColumns()) {
        if (x >= 1920) {
            break;
        }
        const QString text((kWidths[cells.size() % std::size(kWidths)] + 3) / 4, QChar('A'));
        for (int r = 0; r < rowsPerFrame; ++r) {
            cells.emplace_back(QPoint(x + 4, r * rowHeight + rowHeight - 4), text);
            cells.emplace_back(QPoint(x + column.GetWidth() / 2 + 4, r * rowHeight + rowHeight - 4), text);
        }
        x += column.GetWidth();
    }
    std::uint64_t baselineAllocations = 0;
    const auto baseline = [&] {
        const std::uint64_t before = g_allocations.load(std::memory_order_relaxed);
        for (int frame = 0; frame < kFrames; ++frame) {
            QPainter painter(&image);
            painter.fillRect(image.rect(), Qt::black);
            painter.setPen(Qt::white);
            for (const auto& [at, text] : cells) {
                painter.drawText(at, text);
            }
        }
        baselineAllocations = g_allocations.load(std::memory_order_relaxed) - before;
    };
    const CvxBenchTimes times = CvxBenchBestPair(3, [&] {
        allocations = 0;
        paintAll();
    }, baseline);
    paintedRows = static_cast<std::int64_t>(kFrames) * rowsPerFrame;

    std::vector<double> sorted = frameSeconds;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[sorted.size() / 2];
    CvxBenchResult r;
    r.itemsPerS = static_cast<double>(cells.size()) * kFrames / times.seconds;
    r.baselineItemsPerS = static_cast<double>(cells.size()) * kFrames / times.baselineSeconds;
    r.ratio = r.itemsPerS / r.baselineItemsPerS;
    r.extra.emplace_back("rows", static_cast<double>(rows));
    r.extra.emplace_back("median_frame_ms", median * 1000);
    r.extra.emplace_back("slowest_frame_ms", sorted.back() * 1000);
    r.extra.emplace_back("allocations_per_row", static_cast<double>(allocations) / static_cast<double>(paintedRows));
    r.extra.emplace_back("baseline_allocations_per_row",
                         static_cast<double>(baselineAllocations) / static_cast<double>(paintedRows));
    r.Check("slowest_within_3x_median", sorted.back() <= 3 * median);
    return r;
}

const CvxBenchRegistrar kGridPaint("grid_paint", [] { return GridPaint(100'000'000); }, 0.5, 0, true);
const CvxBenchRegistrar kGridPaintSmall("grid_paint_1m", [] { return GridPaint(1'000'000); }, 0.5, 0);

} // namespace

// Every heap allocation of the program is counted, so that a case can tell what its work
// allocated.
void* operator new(std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
