// The painting frame: a viewport paints into the view's buffer only what was invalidated,
// several invalidations in one turn paint once, the view gives the viewport its size and its
// input goes to the controller; the scoped painter helpers put back what they changed.

#include "CvxQtTestApp.h"

#include "CvxPainterSelect.h"
#include "CvxScrollBarWrapper.h"
#include "CvxScrollable.h"
#include "CvxViewportWidget.h"

#include <QScrollBar>

#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class CountingViewport : public CvxViewport {
public:
    void Paint(QPainter& painter, const QRect& dirty) override
    {
        painter.fillRect(dirty, CvxColor(0x00FF0000)); // blue in 0x00BBGGRR
        ++paints;
        lastDirty = dirty;
    }
    QJsonObject Describe() const override { return {{"paints", paints}}; }
    int paints = 0;
    QRect lastDirty;
};

class KeyController : public CvxController {
public:
    bool KeyPress(QKeyEvent& event) override
    {
        keys.push_back(event.key());
        return true;
    }
    std::vector<int> keys;
};

// Content of 1000 x 5000 pixels seen through the view's size.
class ScrollingViewport : public CvxViewport, public CvxScrollable {
public:
    void Paint(QPainter&, const QRect&) override {}
    Range GetScrollRange(Qt::Orientation orientation, int page) const override
    {
        const bool vertical = orientation == Qt::Vertical;
        return {0, std::max(0, (vertical ? 5000 : 1000) - page), page, vertical ? 20 : 8, vertical ? y : x};
    }
    void ScrollTo(Qt::Orientation orientation, int value) override { (orientation == Qt::Vertical ? y : x) = value; }
    int x = 0;
    int y = 0;
};

} // namespace

TEST(CvxViewportWidget, PaintsInvalidatedPartsOncePerTurnAndForwardsInput)
{
    CvxQtTestApp();
    auto viewport = std::make_unique<CountingViewport>();
    auto controller = std::make_unique<KeyController>();
    CountingViewport* vp = viewport.get();
    KeyController* ctl = controller.get();
    CvxViewportWidget widget(std::move(viewport), std::move(controller));
    widget.resize(200, 100);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    EXPECT_EQ(vp->GetSize(), QSize(200, 100));
    QTest::qWait(20);
    const int before = vp->paints;
    EXPECT_GE(before, 1);

    vp->Invalidate(QRect(0, 0, 10, 10));
    vp->Invalidate(QRect(50, 50, 10, 10));
    QTest::qWait(30);
    EXPECT_EQ(vp->paints, before + 1);
    EXPECT_EQ(vp->lastDirty, QRect(0, 0, 60, 60));
    EXPECT_EQ(widget.grab().toImage().pixelColor(5, 5), QColor(0, 0, 255));

    widget.update(); // exposed again without a change: the buffer serves it
    QTest::qWait(30);
    EXPECT_EQ(vp->paints, before + 1);

    QTest::keyClick(&widget, Qt::Key_End, Qt::ControlModifier);
    ASSERT_FALSE(ctl->keys.empty()); // the modifier's own press may come first
    EXPECT_EQ(ctl->keys.back(), Qt::Key_End);
}

TEST(CvxPainterSelect, HelpersPutBackWhatTheyChanged)
{
    CvxQtTestApp();
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(QColor(10, 20, 30));
    QPainter painter(&image);
    const QPen pen = painter.pen();
    const QFont font = painter.font();
    {
        CvxSelectPen selectPen(painter, QPen(Qt::red, 3));
        CvxSelectFont selectFont(painter, CvxFont("Courier New", 14, 700).Get());
        CvxSelectTextColor text(painter, 0x0000FF00);
        EXPECT_EQ(painter.pen().color(), QColor(0, 255, 0));
        EXPECT_EQ(painter.pen().width(), 3);
        EXPECT_TRUE(painter.font().bold());
        EXPECT_TRUE(painter.font().fixedPitch() || QFontInfo(painter.font()).fixedPitch());
        // XOR twice gives the picture back: outlines and drag feedback erase themselves.
        CvxSelectROP2 rop(painter, CvxSelectROP2::kXor);
        painter.fillRect(QRect(0, 0, 4, 4), Qt::white);
        painter.fillRect(QRect(0, 0, 4, 4), Qt::white);
    }
    EXPECT_EQ(painter.pen(), pen);
    EXPECT_EQ(painter.font(), font);
    EXPECT_EQ(painter.compositionMode(), QPainter::CompositionMode_SourceOver);
    painter.end();
    EXPECT_EQ(image.pixelColor(1, 1), QColor(10, 20, 30));
    EXPECT_EQ(CvxColorRef(CvxColor(0x00123456)), 0x00123456);
}

// The wrapper keeps its bars beside the view, shows what the viewport can scroll and passes
// the user's moves on; a range that becomes empty disables its bar.
TEST(CvxScrollBarWrapper, BarsShowTheViewportsRangesAndPassMovesOn)
{
    CvxQtTestApp();
    auto viewport = std::make_unique<ScrollingViewport>();
    ScrollingViewport& content = *viewport;
    auto* view = new CvxViewportWidget(std::move(viewport), nullptr);
    CvxScrollBarWrapper wrapper(view, content, Qt::Vertical | Qt::Horizontal);
    wrapper.resize(300, 200);
    wrapper.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wrapper));
    QScrollBar* vertical = wrapper.GetScrollBar(Qt::Vertical);
    QScrollBar* horizontal = wrapper.GetScrollBar(Qt::Horizontal);
    ASSERT_NE(vertical, nullptr);
    EXPECT_EQ(view->width() + vertical->width(), 300);
    EXPECT_EQ(view->height() + horizontal->height(), 200);
    EXPECT_EQ(vertical->maximum(), 5000 - view->height());
    EXPECT_EQ(vertical->pageStep(), view->height());
    EXPECT_EQ(horizontal->maximum(), 1000 - view->width());

    vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(content.y, 20);
    horizontal->setValue(300);
    EXPECT_EQ(content.x, 300);
    content.y = 777; // the viewport moved by itself (a key, a find)
    wrapper.UpdateScrollBars();
    EXPECT_EQ(vertical->value(), 777);
    EXPECT_EQ(content.y, 777); // setting the bar from the viewport is no move of the user's

    wrapper.resize(1200, 200); // wider than the content
    EXPECT_FALSE(horizontal->isEnabled());
    EXPECT_TRUE(vertical->isEnabled());
}
