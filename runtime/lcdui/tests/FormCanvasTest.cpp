// The form canvas: keys move the highlight or reach the item, touches reach items in their own
// coordinates, the form is painted under the chrome; and the image and custom items.
#include "runtime/lcdui/chrome/TouchScreenAreaListener.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lcdui/tests/FormFixture.h"

namespace formtest {
namespace {

class FormCanvasTest : public FormFixture {
protected:
    // Boxes 20 high (26 with padding), one a row.
    std::vector<JavaPtr<Box>> column(int32_t count) {
        std::vector<JavaPtr<Box>> boxes;
        for (int32_t i = 0; i < count; ++i) {
            boxes.push_back(box(40, 20, Item::LAYOUT_NEWLINE_BEFORE));
            form->append(JavaPtr<Item>(boxes.back()));
        }
        return boxes;
    }
};

TEST_F(FormCanvasTest, AnArrowActsOnItsReleaseNotItsPress) {
    column(3);
    show();
    canvas()->keyPressed(Core::KEY_DOWN);
    EXPECT_EQ(highlightedIndex(), 0);
    canvas()->keyReleased(Core::KEY_DOWN);
    EXPECT_EQ(highlightedIndex(), 1);
    key(Core::KEY_UP);
    EXPECT_EQ(highlightedIndex(), 0);
    canvas()->keyPressed(Core::KEY_DOWN);
    canvas()->keyReleased(Core::KEY_UP);
    EXPECT_EQ(highlightedIndex(), 0) << "a release whose press went elsewhere";
}

TEST_F(FormCanvasTest, DownOnTheLastRowStaysWithoutScrolling) {
    column(30);
    show();
    form->m_highlightItem(29, false);
    const int32_t scrolled = canvas()->getVerticalScrollPos();
    EXPECT_GT(scrolled, 0) << "the highlighted item is scrolled into view";
    key(Core::KEY_DOWN);
    EXPECT_EQ(highlightedIndex(), 29);
    EXPECT_EQ(canvas()->getVerticalScrollPos(), scrolled);
}

TEST_F(FormCanvasTest, AnItemThatKeepsTheTraversalKeepsTheArrowsUntilItLetsGo) {
    auto boxes = column(2);
    show();
    boxes[0]->take();
    boxes[0]->keepTraversals = 1;
    key(Core::KEY_DOWN);
    EXPECT_EQ(highlightedIndex(), 0);
    key(Core::KEY_DOWN);
    EXPECT_EQ(highlightedIndex(), 1);
    EXPECT_EQ(boxes[0]->take(), (std::vector<std::string>{"traverse 6", "traverse 6", "out", "out"}));
    key(Core::KEY_NUM0 + 5);
    EXPECT_EQ(boxes[1]->take(), (std::vector<std::string>{"traverse 6", "key 53"})) << "other keys reach the item";
}

TEST_F(FormCanvasTest, WithoutAHighlightDownStartsAtTheTopAndUpAtTheBottom) {
    const struct {
        int32_t key;
        int32_t highlighted;
    } cases[] = {{Core::KEY_DOWN, 0}, {Core::KEY_UP, 2}, {Core::KEY_RIGHT, 0}, {Core::KEY_LEFT, -1}};
    for (const auto& c : cases) {
        form = makeForm(nullptr);
        column(3);
        form->m_unhighlightItem(0);
        show();
        key(c.key);
        EXPECT_EQ(highlightedIndex(), c.highlighted) << c.key;
    }
}

TEST_F(FormCanvasTest, AFormThatNeverHighlightsScrollsByTwentyAnArrow) {
    form->setNeverHighlightItems(true);
    column(30);
    form->setNeedsRelayout(true);
    show();
    ASSERT_TRUE(canvas()->verticalScrollbarVisible());
    canvas()->keyPressed(Core::KEY_DOWN);
    EXPECT_EQ(canvas()->getVerticalScrollPos(), 0);
    canvas()->keyReleased(Core::KEY_DOWN);
    key(Core::KEY_DOWN);
    key(Core::KEY_UP);
    EXPECT_EQ(canvas()->getVerticalScrollPos(), 20);
    EXPECT_EQ(highlightedIndex(), -1);
}

TEST_F(FormCanvasTest, ATouchOnAScrolledFormReachesTheItemInItsContentCoordinates) {
    auto boxes = column(30);
    show();
    canvas()->setVerticalScrollPos(100);
    // Screen y 50 is form y 150: box 5 spans 130 to 156, its content starts 3 in.
    tap(10, 50);
    // The press highlights the box first, which offers it the traversal.
    EXPECT_EQ(boxes[5]->take(), (std::vector<std::string>{"traverse 0", "press 2,17", "release 2,17"}));
    EXPECT_EQ(highlightedIndex(), 5);
    tap(200, 50);
    EXPECT_TRUE(boxes[5]->take().empty()) << "beside the box";
}

TEST_F(FormCanvasTest, AnOverlaysAreasKeepTouchesFromTheItems) {
    auto boxes = column(2);
    show();
    int32_t overlayEvents = 0;
    auto listener = jnew<TouchScreenAreaListener>(
        [](void* context, JavaPtr<String>, int32_t, int32_t, int32_t, int32_t, int32_t, bool) {
            ++*static_cast<int32_t*>(context);
        },
        &overlayEvents);
    TouchScreenAreaManager::registerArea(0, 300, 320, 400, str("overlay"), listener, 2);
    boxes[0]->take();
    tap(10, 10);
    EXPECT_TRUE(boxes[0]->take().empty());
    tap(10, 350);
    EXPECT_EQ(overlayEvents, 2);
    TouchScreenAreaManager::unregisterAllAreas(listener);
    tap(10, 10);
    EXPECT_EQ(boxes[0]->take().size(), 2u);
}

TEST_F(FormCanvasTest, TheFormPaintsItsBackgroundAndFramesTheHighlightedItem) {
    auto boxes = column(2);
    show();
    EXPECT_EQ(pixel(200, 200), 0xCCCCCC);
    EXPECT_EQ(pixel(boxes[0]->m_x, boxes[0]->m_y + 10), 0x0000FF);
    EXPECT_EQ(pixel(boxes[1]->m_x, boxes[1]->m_y + 10), 0xCCCCCC);
    EXPECT_EQ(pixel(boxes[0]->m_x + 3, boxes[0]->m_y + 3), 0x000000) << "the custom item's own drawing";
}

using FormItemKindsTest = FormFixture;

TEST_F(FormItemKindsTest, AnImageItemWithoutImageIsItsLabelAndPadding) {
    auto item = jnew<ImageItem>();
    item->WENDinvokeconstructor(str("L"), nullptr, Item::LAYOUT_EXPAND | Item::LAYOUT_VEXPAND | Item::LAYOUT_RIGHT,
                                str("alt"));
    form->append(JavaPtr<Item>(item));
    show();
    EXPECT_EQ(item->getPreferredWidth(), 6);
    EXPECT_EQ(item->getPreferredHeight(), 14);
    EXPECT_EQ(item->layoutInternal(), Item::LAYOUT_RIGHT) << "nothing to expand";
    EXPECT_EQ(item->m_width, 6);
    log.take();
    item->paint(master);
    const auto drawn = lcduitest::callsNamed(log.take(), {"drawImage", "drawString"});
    EXPECT_EQ(drawn, std::vector<std::string>{"drawString \"L\"," + std::to_string(item->m_x) + "," +
                                              std::to_string(item->m_y) + ",20"});
}

TEST_F(FormItemKindsTest, ACustomItemPaintsOnAFreshBackgroundInsideItsContent) {
    auto b = box(40, 20, 0, "L");
    EXPECT_EQ(b->getMinimumWidth(), 40) << "no padding";
    EXPECT_EQ(b->getMinimumHeight(), 20) << "no label";
    form->append(JavaPtr<Item>(b));
    show();
    const int32_t x = b->m_x + 3, y = b->m_y + 8 + 3;
    log.take();
    b->paint(master);
    const auto drawn = lcduitest::callsNamed(log.take(), {"drawImage", "drawLine"});
    EXPECT_EQ(drawn, std::vector<std::string>{"drawImage 40x20," + std::to_string(x) + "," + std::to_string(y) + ",20"});
    EXPECT_EQ(b->painted, "40x20");
    tick();
    EXPECT_EQ(pixel(x, y), 0x000000) << "its line";
    EXPECT_EQ(pixel(x + 30, y + 2), 0xCCCCCC) << "the fresh background";
}

TEST_F(FormItemKindsTest, ACustomItemWithNoPaintableSizeIsSkippedNotThrown) {
    const struct {
        int32_t width, height;
    } cases[] = {{0, 10}, {10, 0}, {10, 20000}};
    for (const auto& c : cases) {
        form = makeForm(nullptr);
        auto b = box(c.width, c.height);
        form->append(JavaPtr<Item>(b));
        log.take();
        EXPECT_NO_THROW(b->paint(master)) << "before any layout";
        show();
        EXPECT_NO_THROW(b->paint(master)) << c.width << "x" << c.height;
        EXPECT_TRUE(lcduitest::callsNamed(log.take(), {"drawImage"}).empty());
        EXPECT_TRUE(b->painted.empty());
    }
}

}  // namespace
}  // namespace formtest
