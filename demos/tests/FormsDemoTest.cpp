// The forms demonstration run in-process: where its items lie, a tap that highlights one, and the cross.
#include <cstdio>

#include "demos/tests/DemoHarness.h"

namespace demotest {
namespace {

class FormsDemoTest : public DemoHarness {
protected:
    void SetUp() override {
        DemoHarness::SetUp();
        start("forms");
        tick(10);
    }
    // The last box logged as "forms: <what> a,b,c,d".
    std::vector<int32_t> box(const std::vector<std::string>& lines, const std::string& what) {
        std::vector<int32_t> found;
        const std::string prefix = "forms: " + what + " ";
        for (const std::string& line : lines) {
            int32_t v[4];
            if (line.rfind(prefix, 0) == 0 && std::sscanf(line.c_str() + prefix.size(), "%d,%d,%d,%d", &v[0], &v[1], &v[2], &v[3]) == 4)
                found.assign(v, v + 4);
        }
        return found;
    }
};

TEST_F(FormsDemoTest, ATappedItemIsFramedWhereItWasLoggedAndTheCrossIsDrawn) {
    const auto shown = events();
    const auto image = box(shown, "item 6");
    const auto cross = box(shown, "cross");
    ASSERT_EQ(image.size(), 4u);
    ASSERT_EQ(cross.size(), 4u);
    EXPECT_NE(std::find(shown.begin(), shown.end(), "forms: highlighted 0"), shown.end());
    tap((image[0] + image[2]) / 2, (image[1] + image[3]) / 2);
    tick(10);
    const auto tapped = events();
    EXPECT_NE(std::find(tapped.begin(), tapped.end(), "forms: highlighted 6"), tapped.end());
    EXPECT_EQ(pixel(image[0], (image[1] + image[3]) / 2), 0x0000FF) << "the frame at the logged box";
    EXPECT_EQ(pixel(cross[0] + cross[2] / 2, cross[1] + 2), 0x000000) << "the cross's upright";
    EXPECT_EQ(pixel(cross[0] + cross[2] / 4, cross[1] + 2), 0xCCCCCC) << "between its strokes";
    tap(cross[0] + 5, cross[1] + 7);
    const auto touched = events();
    EXPECT_NE(std::find(touched.begin(), touched.end(), "forms: cross touched 5,7"), touched.end());
}

TEST_F(FormsDemoTest, TheFlowingTextFillsItsMiddleRowAndTheAlignedItemsSitRightAndCentred) {
    const auto shown = events();
    const auto start = box(shown, "item 0"), flowing = box(shown, "item 1"), after = box(shown, "item 2");
    const auto right = box(shown, "item 4"), centred = box(shown, "item 5");
    ASSERT_EQ(right.size(), 4u);
    EXPECT_EQ(flowing[0], 0) << "a flowing text's box spans the form";
    EXPECT_GT(after[1], start[1] + 8) << "the item after the text shares the text's last row";
    EXPECT_EQ(right[2], 315) << "right-aligned against the margin";
    EXPECT_NEAR((centred[0] + centred[2]) / 2, 160, 1) << "centred, the odd pixel of the spare width on the right";
}

TEST_F(FormsDemoTest, TheVolumeGaugeFillsHalfItsBoxesAndATouchOnTheLastBoxFillsThemAll) {
    const auto shown = events();
    const auto volume = box(shown, "item 10");
    ASSERT_EQ(volume.size(), 4u);
    // Label 8 high, then the boxes: 8 high, 10 apart, centred after the left arrow's place.
    const int32_t w = volume[2] - volume[0] - 6, boxes = std::min((w - 20) / 10, 10);
    const int32_t x0 = volume[0] + 3 + (w - 20 - 10 * boxes) / 2 + 10, y = volume[1] + 3 + 8 + 4;
    EXPECT_EQ(pixel(x0 + 4, y), 0x000000) << "the first box, filled";
    EXPECT_EQ(pixel(x0 + 10 * (boxes - 1) + 4, y), 0xCCCCCC) << "the last box, empty";
    tap(x0 + 10 * (boxes - 1) + 4, y);
    tick(10);
    EXPECT_EQ(pixel(x0 + 10 * (boxes - 1) + 4, y), 0x000000) << "filled by the touch";
}

}  // namespace
}  // namespace demotest
