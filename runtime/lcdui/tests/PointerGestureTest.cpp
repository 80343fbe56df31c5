// A gesture belongs to whatever took its press, on a form with the on-screen keyboard up: a
// keyboard key, an item's content or an overlay has the drags and the release wherever the finger
// goes, and nothing else hears them; a key released so repeats no more as the clock runs on.
#include <gtest/gtest.h>

#include "runtime/lcdui/chrome/KeyInternal.h"
#include "runtime/lcdui/chrome/TouchScreenAreaListener.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lcdui/tests/FormFixture.h"

namespace formtest {
namespace {

using Log = std::vector<std::string>;

// A box that logs, with its name, the pointer in content coordinates and the keys it is sent.
class GestureBox : public Box {
public:
    explicit GestureBox(const char* name) : Box(100, 40), name(name) {}
    void pointerPressed(int32_t x, int32_t y) override { add("press", x, y); }
    void pointerDragged(int32_t x, int32_t y) override { add("drag", x, y); }
    void pointerReleased(int32_t x, int32_t y) override { add("release", x, y); }
    void keyPressed(int32_t key) override { log->push_back(name + " key " + std::to_string(key)); }
    void keyRepeated(int32_t key) override { log->push_back(name + " repeat " + std::to_string(key)); }
    void keyReleased(int32_t key) override { log->push_back(name + " key up " + std::to_string(key)); }

    std::string name;
    Log* log = nullptr;

private:
    void add(const char* what, int32_t x, int32_t y) {
        log->push_back(name + " " + what + " " + std::to_string(x) + "," + std::to_string(y));
    }
};

class PointerGestureTest : public FormFixture {
protected:
    // Where a step touches: the key "a", the middle of either box, the keyboard toggle, the form's
    // background beside the boxes.
    enum Place { KEY, A, B, TOGGLE, BARE };
    // An overlay's area comes up or goes away between the touches.
    enum Act { DOWN, DRAG, UP, OVERLAY_UP, OVERLAY_GONE };
    struct Step {
        Act act;
        Place at;
    };

    std::pair<int32_t, int32_t> screenPoint(Place place) {
        if (place == KEY) {
            auto key = OnScreenKeyboard::keyAt(28);
            return {key->x + key->width / 2, key->y + key->height / 2};
        }
        if (place == TOGGLE) {
            int32_t r[4] = {};
            EXPECT_TRUE(TouchScreenAreaManager::areaFor(canvas()->getAreaBaseCode() + "osktoggle", r));
            return {(r[0] + r[2]) / 2, (r[1] + r[3]) / 2};
        }
        if (place == BARE) return {300, contentOrigin(*a).second};
        const GestureBox& box = place == A ? *a : *b;
        return {contentOrigin(box).first + 50, contentOrigin(box).second + 20};
    }
    // The screen point of a box's content origin.
    std::pair<int32_t, int32_t> contentOrigin(const Item& box) {
        auto area = jnew<JArray<int32_t>>(4);
        canvas()->getUnreservedArea(area);
        return {box.m_x + box.m_contentX, box.m_y + box.m_contentY + (*area)[1] - canvas()->getVerticalScrollPos()};
    }
    // "A release B" is read as box A's release at the middle of box B, in A's content coordinates.
    std::string expected(const std::string& entry) {
        const size_t last = entry.rfind(' ');
        const std::string place = entry.substr(last + 1);
        if (place != "A" && place != "B" && place != "BARE" && place != "KEY") return entry;
        const Place at = place == "A" ? A : place == "B" ? B : place == "BARE" ? BARE : KEY;
        const auto [x, y] = screenPoint(at);
        const auto [ox, oy] = contentOrigin(entry[0] == 'A' ? *a : *b);
        return entry.substr(0, last + 1) + std::to_string(x - ox) + "," + std::to_string(y - oy);
    }

    JavaPtr<GestureBox> a, b;
    Log events;
};

TEST_F(PointerGestureTest, WhateverTookAPressHasItsDragsAndReleaseWhereverTheFingerGoes) {
    // The key "a" reaches the highlighted box A.
    const std::string pressedA = "A key " + std::to_string(Core::KEY_a);
    const std::string releasedA = "A key up " + std::to_string(Core::KEY_a);
    struct Case {
        const char* name;
        std::vector<Step> gesture;
        Log heard;
    };
    const Case cases[] = {
        {"key lifted over an item", {{DOWN, KEY}, {DRAG, A}, {UP, A}}, {pressedA, releasedA}},
        {"key lifted on the keyboard toggle", {{DOWN, KEY}, {DRAG, TOGGLE}, {UP, TOGGLE}}, {pressedA, releasedA}},
        {"key slid over an item and back", {{DOWN, KEY}, {DRAG, A}, {DRAG, KEY}, {UP, KEY}}, {pressedA, releasedA}},
        {"item lifted over another item", {{DOWN, A}, {DRAG, B}, {UP, B}}, {"A press A", "A drag B", "A release B"}},
        {"item slid over another and back",
         {{DOWN, A}, {DRAG, B}, {DRAG, A}, {UP, A}},
         {"A press A", "A drag B", "A drag A", "A release A"}},
        {"item lifted on the keyboard", {{DOWN, A}, {UP, KEY}}, {"A press A", "A release KEY"}},
        {"item lifted beside the items",
         {{DOWN, A}, {DRAG, BARE}, {UP, BARE}},
         {"A press A", "A drag BARE", "A release BARE"}},
        {"item lifted once an overlay came up", {{DOWN, A}, {OVERLAY_UP, A}, {UP, A}}, {"A press A", "A release A"}},
        {"overlay lifted over an item once it went", {{OVERLAY_UP, A}, {DOWN, A}, {OVERLAY_GONE, A}, {UP, B}}, {}},
        {"no press taken", {{DRAG, B}, {UP, B}}, {}},
    };
    auto overlay = jnew<TouchScreenAreaListener>(nullptr, nullptr);
    for (const Case& c : cases) {
        form = makeForm(nullptr);
        // A command: the soft-key bar, with the toggle, lies below the keyboard.
        form->addCommand(command("Go", Command::SCREEN));
        a = JavaPtr<GestureBox>(new GestureBox("A"));
        b = JavaPtr<GestureBox>(new GestureBox("B"));
        for (const JavaPtr<GestureBox>& box : {a, b}) {
            box->WENDinvokeconstructor(nullptr);
            box->setLayout(Item::LAYOUT_NEWLINE_BEFORE);
            box->log = &events;
            form->append(JavaPtr<Item>(box));
        }
        show();
        if (!OnScreenKeyboard::isShown()) tap(screenPoint(TOGGLE).first, screenPoint(TOGGLE).second);
        ASSERT_TRUE(OnScreenKeyboard::isShown()) << c.name;
        form->m_highlightItem(0, false);
        // Laid out and painted again, with the chrome's areas where the keyboard left them.
        tick();
        events.clear();
        for (const Step& step : c.gesture) {
            const auto [x, y] = screenPoint(step.at);
            if (step.act == DOWN) canvas()->pointerPressed(x, y);
            if (step.act == DRAG) canvas()->pointerDragged(x, y);
            if (step.act == UP) canvas()->pointerReleased(x, y);
            if (step.act == OVERLAY_UP)
                TouchScreenAreaManager::registerArea(0, 0, WIDTH, HEIGHT, str("overlay"), overlay, 2);
            if (step.act == OVERLAY_GONE) TouchScreenAreaManager::unregisterAllAreas(overlay);
        }
        TouchScreenAreaManager::unregisterAllAreas(overlay);
        // Two seconds more: a key still held would be repeating.
        for (int i = 0; i < 200; ++i) tick();
        Log wanted;
        for (const std::string& entry : c.heard) wanted.push_back(expected(entry));
        EXPECT_EQ(events, wanted) << c.name;
        EXPECT_TRUE(OnScreenKeyboard::isShown()) << c.name << ": the toggle took no press";
    }
}

}  // namespace
}  // namespace formtest
