// Date fields in UTC: the lines a value shows, the calendar's months and limits, the clock's wrap,
// Save and Cancel by soft key, touches on the views, and the dates a Save stores.
#include <cstdlib>
#include <ctime>
#include <functional>

#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/chrome/OnScreenKeyboard.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lcdui/forms/DateField.h"
#include "runtime/lcdui/forms/ItemStateListener.h"
#include "runtime/lcdui/tests/FormFixture.h"
#include "runtime/text/Date.h"

namespace formtest {
namespace {

using java::util::Date;

JavaPtr<Date> utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    return jnew<Date>(static_cast<long long>(timegm(&parts)) * 1000);
}

class Notes : public ItemStateListener {
    JAVA_CLASS(Notes, "formtest.Notes", ItemStateListener)
public:
    void itemStateChanged(const JavaPtr<Item>&) override { ++count; }
    int32_t count = 0;
};

class DateFieldTest : public FormFixture {
protected:
    void SetUp() override {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        FormFixture::SetUp();
    }
    JavaPtr<DateField> shown(int32_t mode, const JavaPtr<Date>& date) {
        form = makeForm(nullptr);
        auto made = jnew<DateField>();
        made->WENDinvokeconstructor(str("When"), mode);
        made->setDate(date);
        form->append(JavaPtr<Item>(made));
        form->setItemStateListener(JavaPtr<ItemStateListener>(notes));
        show();
        return made;
    }
    // Opens the view of the highlighted line and paints it.
    void open() {
        key(Core::KEY_FIRE);
        tick();
    }
    void save() { key(Core::KEY_SOFTKEY_RIGHT); }
    void cancel() { key(Core::KEY_SOFTKEY_LEFT); }
    static std::string lines(const JavaPtr<DateField>& f) {
        std::string all;
        JavaPtr<JArray<String>> texts = f->lineTexts();
        for (int32_t i = 0; i < texts->length; ++i) all += (i ? "|" : "") + std::string((*texts)[i]->val());
        return all;
    }
    JavaPtr<Notes> notes = JavaPtr<Notes>(new Notes());
};

TEST_F(DateFieldTest, TheLinesShowTheValueInTwelveHourTimeWithPaddedDays) {
    const struct {
        JavaPtr<Date> date;
        const char* lines;
    } cases[] = {
        {nullptr, "Date|Time"},
        {utc(2010, 3, 5, 0, 0, 0), "Fri Mar 05 2010|12:00:00 AM"},
        {utc(2010, 3, 5, 12, 0, 0), "Fri Mar 05 2010|12:00:00 PM"},
        {utc(2010, 3, 5, 13, 5, 9), "Fri Mar 05 2010|01:05:09 PM"},
    };
    for (const auto& c : cases) EXPECT_EQ(lines(shown(DateField::DATE_TIME, c.date)), c.lines);
}

TEST_F(DateFieldTest, AnUnknownModeIsRefusedAndANewModeLaysTheFormOutAgain) {
    JavaPtr<DateField> f = shown(DateField::DATE_TIME, utc(2010, 3, 5, 13));
    EXPECT_THROW(f->setInputMode(4), java::lang::IllegalArgumentException);
    EXPECT_THROW(f->setInputMode(0), java::lang::IllegalArgumentException);
    EXPECT_EQ(f->getInputMode(), DateField::DATE_TIME);
    ASSERT_FALSE(form->needsRelayout());
    f->setInputMode(DateField::TIME);
    EXPECT_EQ(lines(f), "01:00:00 PM");
    EXPECT_TRUE(form->needsRelayout()) << "one line fewer";
    tick();
    f->setDate(utc(2011, 1, 1));
    EXPECT_TRUE(form->needsRelayout()) << "new lines";
}

TEST_F(DateFieldTest, FebruaryHasItsLeapDayOnlyInLeapYears) {
    const struct {
        int year;
        bool leap;
    } cases[] = {{2000, true}, {2012, true}, {2011, false}, {2100, false}};
    for (const auto& c : cases) {
        JavaPtr<DateField> f = shown(DateField::DATE, utc(c.year, 2, 10));
        open();
        int32_t cell[4];
        EXPECT_TRUE(f->dayCell(28, cell)) << c.year;
        EXPECT_EQ(f->dayCell(29, cell), c.leap) << c.year;
        EXPECT_FALSE(f->dayCell(30, cell)) << c.year;
    }
}

TEST_F(DateFieldTest, TheCalendarStepsMonthsAcrossYearsButNeverBefore1970) {
    const struct {
        const char* name;
        JavaPtr<Date> date;
        std::vector<int32_t> keys;
        int32_t day, month, year;
    } cases[] = {
        {"day 3, up: the month row", utc(2011, 5, 3), {Core::KEY_UP}, -1, 4, 2011},
        {"down from the month row: day 1", utc(2011, 5, 3), {Core::KEY_UP, Core::KEY_DOWN}, 1, 4, 2011},
        {"December, right: January", utc(2011, 12, 3), {Core::KEY_UP, Core::KEY_RIGHT}, -1, 0, 2012},
        {"January 1970, left: stays", utc(1970, 1, 3), {Core::KEY_UP, Core::KEY_LEFT}, -1, 0, 1970},
        {"the year 1970, left: stays", utc(1970, 5, 3), {Core::KEY_UP, Core::KEY_UP, Core::KEY_LEFT}, -1, 4, 1970},
        {"a step past the month's end", utc(2011, 5, 30), {Core::KEY_DOWN}, 30, 4, 2011},
    };
    for (const auto& c : cases) {
        JavaPtr<DateField> f = shown(DateField::DATE, c.date);
        open();
        for (int32_t code : c.keys) key(code);
        EXPECT_EQ(f->calendarDay(), c.day) << c.name;
        EXPECT_EQ(f->calendarMonth(), c.month) << c.name;
        EXPECT_EQ(f->calendarYear(), c.year) << c.name;
    }
}

TEST_F(DateFieldTest, SaveStoresADayOfTheShownMonthWhateverHasTheFocus) {
    const struct {
        const char* name;
        JavaPtr<Date> date;
        std::vector<int32_t> keys;
        JavaPtr<Date> saved;
    } cases[] = {
        {"day 3 last focused, then the next month", utc(2012, 1, 31, 9),
         {Core::KEY_UP, Core::KEY_UP, Core::KEY_UP, Core::KEY_UP, Core::KEY_UP, Core::KEY_RIGHT}, utc(2012, 2, 3, 9)},
        {"the header focused", utc(2012, 3, 10, 9), {Core::KEY_UP, Core::KEY_UP}, utc(2012, 3, 3, 9)},
    };
    for (const auto& c : cases) {
        JavaPtr<DateField> f = shown(DateField::DATE, c.date);
        open();
        for (int32_t code : c.keys) key(code);
        save();
        EXPECT_EQ(f->getDate()->getTime(), c.saved->getTime()) << c.name;
    }
}

TEST_F(DateFieldTest, TheMonthArrowOn31JanuaryThenSaveStores29February) {
    JavaPtr<DateField> f = shown(DateField::DATE, utc(2012, 1, 31, 9));
    open();
    int32_t arrow[4];
    ASSERT_TRUE(TouchScreenAreaManager::areaFor(f->monthIncAreaName(), arrow));
    tap((arrow[0] + arrow[2]) / 2, (arrow[1] + arrow[3]) / 2);
    EXPECT_EQ(f->calendarMonth(), 1);
    save();
    EXPECT_EQ(f->getDate()->getTime(), utc(2012, 2, 29, 9)->getTime());
}

TEST_F(DateFieldTest, ADayTouchedThenSavedIsTheDateAndTheGridsRightEdgeStaysInIt) {
    JavaPtr<DateField> f = shown(DateField::DATE, utc(2012, 1, 31, 9));
    open();
    int32_t cell[4];
    ASSERT_TRUE(f->dayCell(15, cell));
    tap(cell[0] + cell[2] / 2, cell[1] + cell[3] / 2);
    EXPECT_EQ(f->calendarDay(), 15);
    ASSERT_TRUE(f->dayCell(21, cell)) << "21 January 2012 is a Saturday, in the last column";
    tap(cell[0] + cell[2], cell[1] + 2);
    EXPECT_EQ(f->calendarDay(), 21) << "the grid's right edge stays in the last column";
    tap(cell[0] + cell[2] / 2, cell[1] + cell[3] / 2);
    save();
    EXPECT_EQ(f->getDate()->getTime(), utc(2012, 1, 21, 9)->getTime());
    EXPECT_EQ(notes->count, 1) << "Save notifies once";
    EXPECT_EQ(f->view(), DateField::COLLAPSED);
}

TEST_F(DateFieldTest, ADayDraggedOffTheGridKeepsTheLastDayTheFingerWasOn) {
    JavaPtr<DateField> f = shown(DateField::DATE, utc(2012, 1, 31, 9));
    open();
    int32_t cell[4], sunday[4];
    ASSERT_TRUE(f->dayCell(18, cell));
    ASSERT_TRUE(f->dayCell(15, sunday)) << "15 January 2012 is a Sunday, in the first column";
    const int32_t y = cell[1] + cell[3] / 2;
    canvas()->pointerPressed(cell[0] + cell[2] / 2, y);
    // Two columns left of the grid, on the row of the 18th.
    canvas()->pointerDragged(sunday[0] - 2 * sunday[2], y);
    EXPECT_EQ(f->calendarDay(), 18);
    canvas()->pointerReleased(sunday[0] - 2 * sunday[2], y);
    save();
    EXPECT_EQ(f->getDate()->getTime(), utc(2012, 1, 18, 9)->getTime());
}

TEST_F(DateFieldTest, TheClockWrapsItsFieldsAndSavesTheHourOfTheHalfDay) {
    const struct {
        const char* name;
        JavaPtr<Date> date;
        std::vector<int32_t> keys;
        JavaPtr<Date> saved;
    } cases[] = {
        {"12 up: 11", utc(2012, 3, 10, 0, 15), {Core::KEY_UP}, utc(2012, 3, 10, 11, 15)},
        {"12:15 AM", utc(2012, 3, 10, 0, 15), {}, utc(2012, 3, 10, 0, 15)},
        {"12:15 PM", utc(2012, 3, 10, 12, 15), {}, utc(2012, 3, 10, 12, 15)},
        {"PM down: AM", utc(2012, 3, 10, 13, 0),
         {Core::KEY_LEFT, Core::KEY_DOWN}, utc(2012, 3, 10, 1, 0)},
        {"59 minutes up one: 0, the hour stays", utc(2012, 3, 10, 1, 59),
         {Core::KEY_RIGHT, Core::KEY_DOWN}, utc(2012, 3, 10, 1, 0)},
    };
    for (const auto& c : cases) {
        JavaPtr<DateField> f = shown(DateField::TIME, c.date);
        open();
        ASSERT_EQ(f->view(), DateField::CLOCK) << c.name;
        for (int32_t code : c.keys) key(code);
        save();
        EXPECT_EQ(f->getDate()->getTime(), c.saved->getTime()) << c.name;
    }
}

TEST_F(DateFieldTest, CancelLeavesTheValueAndTellsNobody) {
    JavaPtr<Date> date = utc(2012, 3, 10, 9);
    JavaPtr<DateField> f = shown(DateField::DATE, date);
    open();
    key(Core::KEY_RIGHT);
    cancel();
    EXPECT_EQ(f->getDate(), date);
    EXPECT_EQ(notes->count, 0);
    EXPECT_EQ(f->view(), DateField::COLLAPSED);
    EXPECT_EQ(forwardLabel(), "");
}

TEST_F(DateFieldTest, OpeningAViewHidesTheKeyboardBeforeTheOverlayIsLaidOut) {
    JavaPtr<DateField> f = shown(DateField::DATE, utc(2012, 3, 10));
    OnScreenKeyboard::show();
    canvas()->reLayout();
    open();
    EXPECT_FALSE(OnScreenKeyboard::isShown());
    auto area = jnew<JArray<int32_t>>(4);
    canvas()->getUnreservedArea(area);
    EXPECT_EQ((*area)[3], 480 - 12) << "no room left for the keyboard, only the soft keys";
}

}  // namespace
}  // namespace formtest
