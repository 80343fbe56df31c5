// A date, a time of day or both on a form: collapsed to one line a part, and edited in a full-screen
// month calendar or clock laid over the form, each with its Cancel and Save commands.
#pragma once

#include <cstdint>

#include "runtime/lcdui/forms/Item.h"

namespace java::lang { class String; }
namespace java::util {
class Calendar;
class Date;
class TimeZone;
}  // namespace java::util

namespace javax::microedition::lcdui {

class DateField : public Item {
    JAVA_CLASS(DateField, "javax.microedition.lcdui.DateField", Item)
public:
    static constexpr int32_t DATE = 1;
    static constexpr int32_t TIME = 2;
    static constexpr int32_t DATE_TIME = 3;
    static constexpr int32_t FIRST_YEAR = 1970;
    static constexpr int32_t LINE_GAP = 3;
    enum View : int32_t { COLLAPSED = 0, CALENDAR = 1, CLOCK = 2 };

    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& label, int32_t mode) {
        WENDinvokeconstructor(label, mode, nullptr);
    }
    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& label, int32_t mode,
                               const JavaPtr<java::util::TimeZone>& timeZone);

    bool requiresOwnRow() override { return true; }
    void command(const JavaPtr<Command>& command) override;
    int32_t getMinContentHeight() override;
    int32_t getMinContentWidth() override;
    int32_t getPrefContentWidth(int32_t) override { return getMinContentWidth(); }
    int32_t getPrefContentHeight(int32_t) override { return getMinContentHeight(); }
    void paint(const JavaPtr<Graphics>& g, int32_t w, int32_t h) override;
    using Item::paint;
    void keyReleased(int32_t keyCode) override;
    bool traverse(int32_t dir, int32_t viewportWidth, int32_t viewportHeight,
                  const JavaPtr<JArray<int32_t>>& visRect) override;
    void traverseOut() override;
    void touchscreenAreaEvent(const JavaPtr<java::lang::String>& name, int32_t type, int32_t x, int32_t y, int32_t dx,
                              int32_t dy, bool inside) override;

    virtual JavaPtr<java::util::Date> getDate();
    virtual int32_t getInputMode();
    virtual void setDate(const JavaPtr<java::util::Date>& date);
    virtual void setInputMode(int32_t mode);

    static JavaPtr<java::lang::String> m_timeToString(int32_t hour, int32_t minute, int32_t second, bool isAm);
    // What the tests and the harness read of the field and its views.
    JavaPtr<JArray<java::lang::String>> lineTexts();
    int32_t view();
    int32_t calendarDay();
    int32_t calendarMonth();
    int32_t calendarYear();
    int32_t clockValue(int32_t field);
    // The day cell's rectangle {x, y, w, h} on the screen, from the last calendar paint.
    bool dayCell(int32_t day, int32_t (&rect)[4]);
    JavaPtr<java::lang::String> monthIncAreaName() { return m_monthIncAreaName; }

private:
    bool m_setModeInternal(int32_t mode);
    void m_updateFormItemStrings();
    JavaPtr<java::util::Calendar> m_calendar();
    void m_initCalendarView();
    void m_initClockView();
    void m_closeCalendarView(bool save);
    void m_closeClockView(bool save);
    void m_setFormOverlay(bool show);
    void m_yearOrMonthChanged(int32_t month, int32_t year);
    void m_paintCalendar(const JavaPtr<Graphics>& g);
    void m_paintClock(const JavaPtr<Graphics>& g);
    void m_clockEnsureBounds();
    void m_stepMonth(int32_t step);
    void m_stepYear(int32_t step);
    void m_focusDay(int32_t day);
    int32_t m_daysInShownMonth();
    void m_formSize(int32_t* width, int32_t* height, int32_t* top);

    int32_t m_mode = DATE;
    JavaPtr<java::util::TimeZone> m_timeZone;
    JavaPtr<java::util::Date> m_date;
    int32_t m_view = COLLAPSED;
    JavaPtr<java::lang::String> m_dateString;
    JavaPtr<java::lang::String> m_timeString;
    JavaPtr<Font> m_lineFont;
    int32_t m_selectedLine = -1;
    int32_t m_lineCount = 0;
    JavaPtr<JArray<java::lang::String>> m_lineTexts;
    JavaPtr<Font> m_calendarFont;
    int32_t m_firstWeekday = 1;
    int32_t m_calendarDay = -1;
    // The day last focused in the grid: what Save stores while a header row has the focus.
    int32_t m_lastDay = 1;
    int32_t m_calendarMonth = 0;
    int32_t m_calendarYear = FIRST_YEAR;
    int32_t m_headerRow = 0;
    int32_t m_cellWidth = 0;
    int32_t m_cellHeight = 0;
    int32_t m_monthNameWidth = 0;
    int32_t m_yearWidth = 0;
    int32_t m_gridLeft = 0;
    int32_t m_gridTop = 0;
    JavaPtr<Font> m_clockFont;
    JavaPtr<JArray<int32_t>> m_clockValues;
    int32_t m_clockField = 0;
    JavaPtr<Command> m_saveCommand;
    JavaPtr<Command> m_cancelCommand;
    bool m_traversing = false;
    JavaPtr<java::lang::String> m_dateAreaName;
    JavaPtr<java::lang::String> m_timeAreaName;
    JavaPtr<java::lang::String> m_monthIncAreaName;
    JavaPtr<java::lang::String> m_monthDecAreaName;
    JavaPtr<java::lang::String> m_yearIncAreaName;
    JavaPtr<java::lang::String> m_yearDecAreaName;
    JavaPtr<java::lang::String> m_timeFieldIncAreaName;
    JavaPtr<java::lang::String> m_timeFieldDecAreaName;
    JavaPtr<java::lang::String> m_timeFieldNextAreaName;
    JavaPtr<java::lang::String> m_timeFieldPrevAreaName;
    JavaPtr<java::lang::String> m_calendarAreaName;
};

}  // namespace javax::microedition::lcdui
