// Choice groups and lists: row sizes, traversal, FIRE and touch, the exception rules, the select
// command, and the caller's arrays left alone.
#include <functional>

#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/chrome/CommandListener.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lcdui/forms/ChoiceGroup.h"
#include "runtime/lcdui/forms/ItemStateListener.h"
#include "runtime/lcdui/forms/List.h"
#include "runtime/lcdui/tests/FormFixture.h"

namespace formtest {
namespace {

JavaPtr<JArray<String>> strings(std::initializer_list<const char*> values) {
    auto array = jnew<JArray<String>>(static_cast<int32_t>(values.size()));
    int32_t i = 0;
    for (const char* value : values) (*array)[i++] = str(value);
    return array;
}

JavaPtr<ChoiceGroup> group(int32_t type, std::initializer_list<const char*> values = {"ad", "ef", "gh"},
                           const JavaPtr<JArray<Image>>& images = nullptr) {
    auto made = jnew<ChoiceGroup>();
    made->WENDinvokeconstructor(nullptr, type, strings(values), images, type == Choice::IMPLICIT);
    return made;
}

class Counter : public ItemStateListener, public CommandListener {
    JAVA_CLASS(Counter, "formtest.Counter", ItemStateListener, CommandListener)
public:
    void itemStateChanged(const JavaPtr<Item>&) override { events.push_back("changed"); }
    void commandAction(const JavaPtr<Command>& command, const JavaPtr<Displayable>& source) override {
        events.push_back(std::string("command ") + command->getLabel()->val() + (source.get() == list ? " from the list" : ""));
    }
    std::vector<std::string> events;
    // Not counted: the list holds this listener.
    Displayable* list = nullptr;
};

std::string thrown(const std::function<void()>& call) {
    try {
        call();
    } catch (const java::lang::NullPointerException&) {
        return "null";
    } catch (const java::lang::IndexOutOfBoundsException&) {
        return "index";
    } catch (const java::lang::IllegalArgumentException&) {
        return "argument";
    }
    return "none";
}

class ChoiceTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        List::List_staticInit();
        counter = JavaPtr<Counter>(new Counter());
    }
    void TearDown() override {
        shownList = nullptr;
        counter = nullptr;
        FormFixture::TearDown();
    }
    JavaPtr<List> makeList(int32_t type) {
        auto made = jnew<List>();
        made->WENDinvokeconstructor(str("List"), type, strings({"ad", "ef", "gh"}), nullptr);
        made->setCommandListener(JavaPtr<CommandListener>(counter));
        counter->list = made.get();
        return made;
    }
    void showList(const JavaPtr<List>& list) {
        display->setCurrent(JavaPtr<Displayable>(list));
        tick();
        shownList = list;
    }
    void listKey(int32_t code) {
        shownList->getForm()->formCanvas()->keyPressed(code);
        shownList->getForm()->formCanvas()->keyReleased(code);
    }
    JavaPtr<List> shownList;
    JavaPtr<Counter> counter;
};

TEST_F(ChoiceTest, RowsAreAsHighAsTheirIndicatorImageOrFontAndTheTextFollowsThem) {
    auto picture = Image::createImage(12, 12);
    const struct {
        int32_t type;
        bool image;
        int32_t rowHeight, textX;
    } cases[] = {
        {Choice::MULTIPLE, false, 20, 29}, {Choice::EXCLUSIVE, false, 16, 25}, {Choice::IMPLICIT, false, 8, 6},
        {Choice::MULTIPLE, true, 20, 41},  {Choice::EXCLUSIVE, true, 16, 37},  {Choice::IMPLICIT, true, 12, 18},
    };
    for (const auto& c : cases) {
        auto images = jnew<JArray<Image>>(1);
        if (c.image) (*images)[0] = picture;
        JavaPtr<ChoiceGroup> made = group(c.type, {"ad"}, images);
        EXPECT_EQ(made->getMinContentHeight(), c.rowHeight + 4) << c.type << (c.image ? " with an image" : "");
        log.take();
        made->paint(master, 200, 100);
        const auto text = lcduitest::callsNamed(log.take(), {"drawString"});
        ASSERT_EQ(text.size(), 1u);
        EXPECT_EQ(text[0], "drawString \"ad\"," + std::to_string(c.textX) + "," + std::to_string(3 + (c.rowHeight - 8) / 2) + ",20")
            << c.type << (c.image ? " with an image" : "");
    }
}

TEST_F(ChoiceTest, TraversalMovesTheFocusInsideAndLetsGoAtTheEnds) {
    const struct {
        int32_t from, direction, to;
        bool kept;
    } cases[] = {
        {-1, Canvas::DOWN, 0, true},  {-1, Canvas::UP, 2, true},   {-1, Canvas::LEFT, 2, true},
        {-1, Canvas::RIGHT, 0, true}, {-1, 0, 0, true},            {1, Canvas::DOWN, 2, true},
        {1, Canvas::UP, 0, true},     {0, Canvas::UP, -1, false},  {2, Canvas::DOWN, -1, false},
        {1, Canvas::LEFT, -1, false}, {1, Canvas::RIGHT, -1, false}, {1, 0, 1, true},
    };
    for (const auto& c : cases) {
        JavaPtr<ChoiceGroup> made = group(Choice::EXCLUSIVE);
        made->traverseOut();
        if (c.from >= 0) made->traverse(0, 100, 100, nullptr);
        for (int32_t i = 0; i < c.from; ++i) made->traverse(Canvas::DOWN, 100, 100, nullptr);
        auto visRect = jnew<JArray<int32_t>>(4);
        EXPECT_EQ(made->traverse(c.direction, 100, 100, visRect), c.kept) << c.from << " " << c.direction;
        EXPECT_EQ(made->getHighlightedIndex(), c.to) << c.from << " " << c.direction;
        if (c.to >= 0) EXPECT_EQ((*visRect)[1], c.to * 20) << "the row's top";
    }
}

TEST_F(ChoiceTest, ATouchChecksARowButNeverClearsItAndNotifiesOnlyAChange) {
    JavaPtr<ChoiceGroup> made = group(Choice::MULTIPLE);
    form->append(JavaPtr<Item>(made));
    form->setItemStateListener(JavaPtr<ItemStateListener>(counter));
    show();
    tick();
    // The second row: content starts 3 in, rows 24 apart from 3.
    const int32_t x = made->m_x + 30, y = made->m_y + 3 + 3 + 24 + 10;
    tap(x, y);
    EXPECT_TRUE(made->isSelected(1));
    tap(x, y);
    EXPECT_TRUE(made->isSelected(1)) << "a touch never clears a check";
    EXPECT_EQ(counter->events, std::vector<std::string>{"changed"});
    key(Core::KEY_FIRE);
    EXPECT_FALSE(made->isSelected(1)) << "FIRE does";
}

TEST_F(ChoiceTest, RefusedArgumentsThrowBeforeAnythingChanges) {
    JavaPtr<ChoiceGroup> made = group(Choice::EXCLUSIVE);
    auto shortImages = jnew<JArray<Image>>(1);
    auto nullEntry = strings({"ad", "ef"});
    (*nullEntry)[1] = nullptr;
    const struct {
        const char* name;
        std::function<void()> call;
        const char* kind;
    } cases[] = {
        {"implicit outside a list", [] { auto g = jnew<ChoiceGroup>(); g->WENDinvokeconstructor(nullptr, Choice::IMPLICIT); }, "argument"},
        {"unknown type", [] { auto g = jnew<ChoiceGroup>(); g->WENDinvokeconstructor(nullptr, 5); }, "argument"},
        {"null strings", [] { auto g = jnew<ChoiceGroup>(); g->WENDinvokeconstructor(nullptr, 1, nullptr, nullptr); }, "null"},
        {"null string entry", [&] { auto g = jnew<ChoiceGroup>(); g->WENDinvokeconstructor(nullptr, 1, nullEntry, nullptr); }, "null"},
        {"images of another length", [&] { auto g = jnew<ChoiceGroup>(); g->WENDinvokeconstructor(nullptr, 1, strings({"a", "b"}), shortImages); }, "null"},
        {"append null", [&] { made->append(nullptr, nullptr); }, "null"},
        {"insert beyond size", [&] { made->insert(4, str("x"), nullptr); }, "index"},
        {"insert null", [&] { made->insert(0, nullptr, nullptr); }, "null"},
        {"delete size", [&] { made->deleteJ(3); }, "index"},
        {"set -1", [&] { made->set(-1, str("x"), nullptr); }, "index"},
        {"set null", [&] { made->set(0, nullptr, nullptr); }, "null"},
        {"getString size", [&] { made->getString(3); }, "index"},
        {"isSelected -1", [&] { made->isSelected(-1); }, "index"},
        {"setSelectedIndex size", [&] { made->setSelectedIndex(3, true); }, "index"},
        {"short flags", [&] { made->getSelectedFlags(jnew<JArray<bool>>(2)); }, "null"},
        {"null flags", [&] { made->setSelectedFlags(nullptr); }, "null"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(thrown(c.call), c.kind) << c.name;
        EXPECT_EQ(made->size(), 3) << c.name;
        EXPECT_EQ(made->getSelectedIndex(), 0) << c.name;
        EXPECT_EQ(std::string(made->getString(0)->val()), "ad") << c.name;
    }
    EXPECT_EQ(thrown([&] { made->insert(3, str("end"), nullptr); }), "none") << "inserting at the size appends";
    EXPECT_EQ(std::string(made->getString(3)->val()), "end");
}

TEST_F(ChoiceTest, TheGroupKeepsItsOwnCopiesOfTheCallersArrays) {
    auto values = strings({"ad", "ef"});
    auto made = jnew<ChoiceGroup>();
    made->WENDinvokeconstructor(nullptr, Choice::EXCLUSIVE, values, nullptr);
    made->set(0, str("gh"), nullptr);
    EXPECT_EQ(std::string((*values)[0]->val()), "ad") << "set writes into the group only";
    (*values)[1] = str("zz");
    EXPECT_EQ(std::string(made->getString(1)->val()), "ef");
}

TEST_F(ChoiceTest, DeletingTheSelectedElementKeepsTheIndexAndTheFlagsInStep) {
    const struct {
        int32_t type, deleted, selectedAfter;
    } cases[] = {
        {Choice::IMPLICIT, 1, -1}, {Choice::IMPLICIT, 0, 0}, {Choice::EXCLUSIVE, 1, 0}, {Choice::EXCLUSIVE, 0, 0},
    };
    for (const auto& c : cases) {
        JavaPtr<ChoiceGroup> made = group(c.type);
        made->setSelectedIndex(1, true);
        made->deleteJ(c.deleted);
        EXPECT_EQ(made->getSelectedIndex(), c.selectedAfter) << c.type << " deleting " << c.deleted;
        auto flags = jnew<JArray<bool>>(2);
        EXPECT_EQ(made->getSelectedFlags(flags), c.selectedAfter >= 0 ? 1 : 0) << c.type << " deleting " << c.deleted;
        if (c.selectedAfter >= 0) EXPECT_TRUE((*flags)[c.selectedAfter]);
    }
}

TEST_F(ChoiceTest, FireOnAnImplicitListSelectsTheRowThenFiresTheSelectCommandOnce) {
    JavaPtr<List> list = makeList(Choice::IMPLICIT);
    EXPECT_GE(Displayable::findCommandIndex(list->getForm()->getCommands(), List::SELECT_COMMAND, nullptr), 0);
    showList(list);
    EXPECT_EQ(list->getSelectedIndex(), -1);
    listKey(Core::KEY_DOWN);
    listKey(Core::KEY_FIRE);
    EXPECT_EQ(list->getSelectedIndex(), 1);
    EXPECT_EQ(counter->events, std::vector<std::string>{"command Select from the list"});
}

TEST_F(ChoiceTest, WithoutASelectCommandFireOnlySelects) {
    JavaPtr<List> list = makeList(Choice::IMPLICIT);
    list->setSelectCommand(nullptr);
    EXPECT_LT(Displayable::findCommandIndex(list->getForm()->getCommands(), List::SELECT_COMMAND, nullptr), 0);
    showList(list);
    listKey(Core::KEY_FIRE);
    EXPECT_EQ(list->getSelectedIndex(), 0);
    EXPECT_TRUE(counter->events.empty());
}

TEST_F(ChoiceTest, AnyCommandOnAnImplicitListPicksTheFocusedRowFirst) {
    JavaPtr<List> list = makeList(Choice::IMPLICIT);
    auto go = command("Go", Command::SCREEN);
    list->addCommand(go);
    showList(list);
    listKey(Core::KEY_DOWN);
    listKey(Core::KEY_DOWN);
    list->getForm()->formCanvas()->triggerCommand(go);
    EXPECT_EQ(list->getSelectedIndex(), 2);
    EXPECT_EQ(counter->events, std::vector<std::string>{"command Go from the list"});
}

}  // namespace
}  // namespace formtest
