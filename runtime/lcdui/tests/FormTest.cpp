// Items and forms: sizes, commands, membership, highlight and soft keys, the exception rules, and
// which forms the tidy-up frees.
#include <functional>

#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/forms/ItemCommandListener.h"
#include "runtime/lcdui/tests/FormFixture.h"

namespace formtest {
namespace {

JavaPtr<Item> plainItem(const char* label = nullptr) {
    auto item = jnew<Item>();
    item->WENDinvokeconstructor();
    item->setLabel(str(label));
    return item;
}

// The exception a call throws, by kind.
std::string thrown(const std::function<void()>& call) {
    try {
        call();
    } catch (const java::lang::NullPointerException&) {
        return "null";
    } catch (const java::lang::IndexOutOfBoundsException&) {
        return "index";
    } catch (const java::lang::IllegalStateException&) {
        return "state";
    } catch (const java::lang::IllegalArgumentException&) {
        return "argument";
    }
    return "none";
}

using FormItemTest = FormFixture;

TEST_F(FormItemTest, AFreshItemIsItsPaddingPlusANonEmptyLabel) {
    const struct {
        const char* label;
        int32_t height;
    } cases[] = {{nullptr, 6}, {"", 6}, {"L", 14}};
    for (const auto& c : cases) {
        JavaPtr<Item> item = plainItem(c.label);
        EXPECT_EQ(item->getPreferredWidth(), 6);
        EXPECT_EQ(item->getMinimumWidth(), 6);
        EXPECT_EQ(item->getPreferredHeight(), c.height) << (c.label ? c.label : "null");
        EXPECT_EQ(item->getMinimumHeight(), c.height);
    }
}

TEST_F(FormItemTest, PreferredSizesLockAtLeastAtTheMinimumAndRefuseNegatives) {
    JavaPtr<Item> item = plainItem();
    item->setPreferredSize(100, -1);
    EXPECT_EQ(item->getPreferredWidth(), 106);
    EXPECT_TRUE(item->isWidthLocked());
    EXPECT_FALSE(item->isHeightLocked());
    EXPECT_EQ(thrown([&] { item->setPreferredSize(-2, 5); }), "argument");
    EXPECT_EQ(item->getPreferredWidth(), 106) << "a refused size changes nothing";
    EXPECT_FALSE(item->isHeightLocked());
    item->setPreferredSize(0, 0);
    EXPECT_EQ(item->getPreferredWidth(), 12) << "raised to the minimum box, then padded again";
    EXPECT_EQ(item->getPreferredHeight(), 12);
    item->setPreferredSize(-1, -1);
    EXPECT_EQ(item->getPreferredWidth(), 6);
    EXPECT_FALSE(item->isWidthLocked());
}

TEST_F(FormItemTest, TheFirstCommandOrAnAddedDefaultIsTheDefaultCommand) {
    JavaPtr<Item> item = plainItem();
    auto a = command("A"), b = command("B"), c = command("C");
    item->addCommand(a);
    item->addCommand(b);
    EXPECT_EQ(item->getDefaultCommand(), a);
    item->setDefaultCommand(c);
    EXPECT_EQ(item->getDefaultCommand(), c);
    EXPECT_GE(Displayable::findCommandIndex(item->getCommands(), c, nullptr), 0) << "a new default is added";
    item->removeCommand(c);
    EXPECT_EQ(item->getDefaultCommand(), nullptr);
    EXPECT_EQ(thrown([&] { item->addCommand(nullptr); }), "null");
}

TEST_F(FormItemTest, APressOnTheContentsRightAndBottomEdgeReachesTheItem) {
    auto b = box(40, 20);
    form->append(JavaPtr<Item>(b));
    show();
    b->take();
    b->pointerPressedInternal(3 + 40, 3 + 20);
    b->pointerPressedInternal(3 + 41, 3);
    EXPECT_EQ(b->take(), std::vector<std::string>{"press 40,20"});
}

TEST_F(FormItemTest, ItemPaintsLabelFrameAndContentInsideItsBox) {
    auto item = text("hello", "L");
    form->append(JavaPtr<Item>(item));
    show();
    ASSERT_EQ(item->m_x, 5);
    ASSERT_EQ(item->m_y, 0);
    master->setClip(1, 2, 300, 400);
    log.take();
    item->paint(master);
    const std::vector<std::string> expected = {
        "setColor 0x000000", "setFont 0,1,8", "drawString \"L\",5,0,20", "setColor 0x0000ff", "drawRect 5,0,56,22",
        "setClip 0,0,320,480", "translate 8,11", "setColor 0x000000", "drawString \"hello\",0,0,20",
        "translate -8,-11", "setClip 1,2,300,400"};
    std::vector<std::string> calls = lcduitest::callsNamed(
        log.take(), {"setColor", "drawString", "drawRect", "setClip", "translate", "setFont"});
    // The label is drawn in the label font; other fonts are the context's, put back, and the text's own.
    std::erase_if(calls, [](const std::string& call) { return call.rfind("setFont", 0) == 0 && call != "setFont 0,1,8"; });
    EXPECT_EQ(calls, expected);
}

TEST_F(FormItemTest, AOneLineTextStartsAtItsOwnBoxWhateverItsAlignment) {
    for (const int32_t layout : {Item::LAYOUT_LEFT, Item::LAYOUT_RIGHT, Item::LAYOUT_CENTER}) {
        auto item = text("hello");
        item->setLayout(layout);
        form->deleteAll();
        form->append(JavaPtr<Item>(item));
        show();
        log.take();
        item->paint(master);
        const auto drawn = lcduitest::callsNamed(log.take(), {"drawString"});
        EXPECT_EQ(drawn, std::vector<std::string>{"drawString \"hello\",0,0,20"}) << "layout " << layout;
    }
}

using FormHighlightTest = FormFixture;

TEST_F(FormHighlightTest, TheHighlightAndItsCommandsFollowTheItemOperations) {
    const struct {
        const char* name;
        std::function<void(Form&, std::vector<JavaPtr<Item>>&)> run;
        int32_t highlighted;
        const char* forward;
    } cases[] = {
        {"appends keep the first", [](Form&, auto&) {}, 0, "A"},
        {"set highlights the new item", [](Form& f, auto& items) { f.set(2, items[4]); }, 2, "E"},
        {"deleting the highlighted middle item", [](Form& f, auto&) { f.m_highlightItem(1, false); f.deleteJ(1); }, 1, "C"},
        {"deleting the highlighted last item", [](Form& f, auto&) { f.m_highlightItem(3, false); f.deleteJ(3); }, 2, "C"},
        {"deleting another item", [](Form& f, auto&) { f.deleteJ(2); }, 0, "A"},
        {"deleting all but one", [](Form& f, auto&) { f.deleteJ(3); f.deleteJ(2); f.deleteJ(1); }, 0, "A"},
        {"deleting the only item", [](Form& f, auto&) { for (int i = 3; i >= 0; --i) f.deleteJ(i); }, -1, ""},
        {"deleting all", [](Form& f, auto&) { f.deleteAll(); }, -1, ""},
    };
    for (const auto& c : cases) {
        form = makeForm("T");
        std::vector<JavaPtr<Item>> items;
        for (const char* label : {"A", "B", "C", "D", "E"}) {
            items.push_back(plainItem());
            items.back()->addCommand(command(label));
        }
        for (int i = 0; i < 4; ++i) form->append(items[static_cast<size_t>(i)]);
        c.run(*form, items);
        EXPECT_EQ(highlightedIndex(), c.highlighted) << c.name;
        EXPECT_EQ(forwardLabel(), c.forward) << c.name;
    }
}

TEST_F(FormHighlightTest, RefusedOperationsThrowAndLeaveTheFormAsItWas) {
    auto mine = plainItem(), other = plainItem(), stranger = plainItem();
    form->append(mine);
    form->append(plainItem());
    JavaPtr<Form> elsewhere = makeForm("other");
    elsewhere->append(stranger);
    const struct {
        const char* name;
        std::function<void()> call;
        const char* kind;
    } cases[] = {
        {"get -1", [&] { form->get(-1); }, "index"},
        {"get size", [&] { form->get(2); }, "index"},
        {"insert beyond size", [&] { form->insert(3, other); }, "index"},
        {"insert -1", [&] { form->insert(-1, other); }, "index"},
        {"set size", [&] { form->set(2, other); }, "index"},
        {"delete size", [&] { form->deleteJ(2); }, "index"},
        {"delete -1", [&] { form->deleteJ(-1); }, "index"},
        {"append null item", [&] { form->append(JavaPtr<Item>()); }, "null"},
        {"append null text", [&] { form->append(JavaPtr<String>()); }, "null"},
        {"append null image", [&] { form->append(JavaPtr<Image>()); }, "null"},
        {"insert null", [&] { form->insert(0, nullptr); }, "null"},
        {"set null", [&] { form->set(0, nullptr); }, "null"},
        {"append another form's item", [&] { form->append(stranger); }, "state"},
        {"insert another form's item", [&] { form->insert(0, stranger); }, "state"},
        {"set another form's item", [&] { form->set(0, stranger); }, "state"},
        {"set an item of this form", [&] { form->set(1, mine); }, "state"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(thrown(c.call), c.kind) << c.name;
        EXPECT_EQ(form->size(), 2) << c.name;
        EXPECT_EQ(form->get(0), mine) << c.name;
        EXPECT_EQ(highlightedIndex(), 0) << c.name;
        EXPECT_EQ(stranger->getContainingForm(), elsewhere) << c.name;
        EXPECT_EQ(other->getContainingForm(), nullptr) << c.name;
    }
    EXPECT_EQ(thrown([&] { form->append(mine); }), "none") << "an item of this form may be listed twice";
    EXPECT_EQ(form->size(), 3);
}

TEST_F(FormHighlightTest, AnItemListedTwiceLeavesTheFormWithItsLastListing) {
    auto b = box(10, 10);
    form->append(JavaPtr<Item>(b));
    form->append(JavaPtr<Item>(b));
    form->deleteJ(0);
    EXPECT_EQ(b->getContainingForm(), form) << "still listed once";
    form->deleteJ(0);
    EXPECT_EQ(b->getContainingForm(), nullptr);
}

TEST_F(FormHighlightTest, DeleteAllTakesTheItemsCommandsOffTheSoftKeys) {
    auto item = plainItem();
    item->addCommand(command("Edit"));
    form->append(item);
    ASSERT_EQ(forwardLabel(), "Edit");
    form->deleteAll();
    EXPECT_EQ(forwardLabel(), "");
    EXPECT_EQ(item->getContainingForm(), nullptr);
}

TEST_F(FormHighlightTest, TheArrayConstructorAppendsOrRefusesTheWholeArray) {
    auto items = jnew<JArray<Item>>(2);
    (*items)[0] = plainItem();
    (*items)[1] = plainItem();
    JavaPtr<Form> made = makeForm("T", items);
    EXPECT_EQ(made->size(), 2);
    EXPECT_EQ(made->getTitle()->val(), std::string("T"));
    EXPECT_EQ(made->highlightedItem(), (*items)[0]);
    EXPECT_EQ((*items)[1]->getContainingForm(), made);

    auto refused = jnew<JArray<Item>>(2);
    (*refused)[0] = plainItem();
    EXPECT_EQ(thrown([&] { makeForm("T", refused); }), "null");
    EXPECT_EQ((*refused)[0]->getContainingForm(), nullptr) << "no item points to a form that was never built";
}

using FormTidyUpTest = FormFixture;

TEST_F(FormTidyUpTest, AFormGoesOnlyWhenNeitherItNorAnyItemIsHeld) {
    const struct {
        const char* name;
        bool holdItem, current, listTwice;
        int32_t destroyed;
    } cases[] = {
        {"dropped", false, false, false, 1},
        {"dropped, its item listed twice", false, false, true, 1},
        {"one item still held", true, false, false, 0},
        {"current", false, true, false, 0},
    };
    for (const auto& c : cases) {
        Form::tidyUp();
        destroyedItems = 0;
        JavaPtr<Item> held;
        {
            JavaPtr<Form> dropped = makeForm("dropped");
            auto b = box(10, 10);
            dropped->append(JavaPtr<Item>(b));
            dropped->append(text("x"));
            if (c.listTwice) {
                dropped->append(JavaPtr<Item>(b));
                dropped->deleteJ(2);
            }
            if (c.holdItem) held = b;
            if (c.current) display->setCurrent(JavaPtr<Displayable>(dropped));
            tick();
        }
        if (c.current) {
            Form::tidyUp();
        } else {
            // The next switch of screens tidies up.
            display->setCurrent(JavaPtr<Displayable>(makeForm("next")));
            tick();
        }
        EXPECT_EQ(destroyedItems.load(), c.destroyed) << c.name;
        if (c.holdItem) EXPECT_NE(held->getContainingForm(), nullptr) << c.name;
    }
}

}  // namespace
}  // namespace formtest
