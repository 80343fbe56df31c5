// The date field collapsed on its form: the value and its text lines, their painting, traversal,
// FIRE and touch; the calendar and clock views are in DateFieldViews.cpp.
#include "runtime/lcdui/forms/DateField.h"

#include <algorithm>
#include <mutex>

#include "runtime/lang/BuildConstants.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Font.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/LCDUIStrings.h"
#include "runtime/lcdui/chrome/TouchScreenAreaListener.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lang/System.h"
#include "runtime/text/Calendar.h"
#include "runtime/text/CalendarImpl.h"
#include "runtime/text/Date.h"
#include "runtime/text/String.h"
#include "runtime/text/TimeZone.h"

namespace javax::microedition::lcdui {

using java::lang::String;
using java::util::Calendar;
namespace bc = buildconstants;

namespace {

std::recursive_mutex& lcdui() { return Canvas::paintLock(); }

JavaPtr<String> twoDigits(int32_t value) {
    JavaPtr<String> digits = String::valueOf(value);
    return value < 10 ? JavaPtr<String>(new String("0")) + digits : digits;
}

}  // namespace

void DateField::WENDinvokeconstructor(const JavaPtr<String>& label, int32_t mode,
                                      const JavaPtr<java::util::TimeZone>& timeZone) {
    Item::WENDinvokeconstructor();
    std::lock_guard lock(lcdui());
    m_setModeInternal(mode);
    setLabel(label);
    m_timeZone = timeZone ? timeZone : java::util::TimeZone::getDefault();
    m_view = COLLAPSED;
    m_lineFont = Font::getFont(Font::FACE_SYSTEM, Font::STYLE_PLAIN, Font::SIZE_SMALL);
    m_calendarFont = m_lineFont;
    m_clockFont = m_lineFont;
    m_traversing = false;
    m_selectedLine = -1;
    setDate(nullptr);
    m_cellWidth = m_calendarFont->stringWidth(JavaPtr<String>(new String("88"))) + 3;
    m_cellHeight = m_calendarFont->getHeight() + 3;
    m_yearWidth = m_calendarFont->stringWidth(JavaPtr<String>(new String("1888")));
    for (int32_t i = 0; i < 12; ++i)
        m_monthNameWidth = std::max(m_monthNameWidth, m_calendarFont->stringWidth(LCDUI_stringsGet(LCDUI_STRINGS_MONTH_JANUARY + i)));
    const JavaPtr<String> base = TouchScreenAreaManager::getUniqueBaseCode(JavaPtr<String>(new String("DateField")));
    m_dateAreaName = base + "date";
    m_timeAreaName = base + "time";
    m_monthIncAreaName = base + "monthinc";
    m_monthDecAreaName = base + "monthdec";
    m_yearIncAreaName = base + "yearinc";
    m_yearDecAreaName = base + "yeardec";
    m_timeFieldIncAreaName = base + "timefieldinc";
    m_timeFieldDecAreaName = base + "timefielddec";
    m_timeFieldNextAreaName = base + "timefieldnext";
    m_timeFieldPrevAreaName = base + "timefieldprev";
    m_calendarAreaName = base + "calendar";
}

JavaPtr<Calendar> DateField::m_calendar() {
    // The field's own zone, which is the default one unless it was given another.
    JavaPtr<Calendar> calendar(new java::util::CalendarImpl(m_timeZone));
    calendar->setTimeInMillis(m_date ? m_date->getTime() : java::lang::System::currentTimeMillis());
    return calendar;
}

bool DateField::m_setModeInternal(int32_t mode) {
    if (mode < DATE || mode > DATE_TIME) throw java::lang::IllegalArgumentException();
    m_mode = mode;
    m_updateFormItemStrings();
    return true;
}

JavaPtr<java::util::Date> DateField::getDate() {
    std::lock_guard lock(lcdui());
    return m_date;
}

int32_t DateField::getInputMode() {
    std::lock_guard lock(lcdui());
    return m_mode;
}

void DateField::setInputMode(int32_t mode) {
    std::lock_guard lock(lcdui());
    m_setModeInternal(mode);
    // The number of lines may change: the form lays it out and paints it anew.
    invalidate();
    repaint();
}

void DateField::setDate(const JavaPtr<java::util::Date>& date) {
    std::lock_guard lock(lcdui());
    m_date = date;
    if (date) {
        JavaPtr<Calendar> calendar = m_calendar();
        m_dateString = LCDUI_stringsGet(LCDUI_STRINGS_WEEK_SUNDAY_ABR - 1 + calendar->get(Calendar::DAY_OF_WEEK)) + " " +
                       LCDUI_stringsGet(LCDUI_STRINGS_MONTH_JANUARY_ABR + calendar->get(Calendar::MONTH)) + " " +
                       twoDigits(calendar->get(Calendar::DAY_OF_MONTH)) + " " +
                       String::valueOf(calendar->get(Calendar::YEAR));
        const int32_t hour = calendar->get(Calendar::HOUR_OF_DAY);
        m_timeString = m_timeToString(hour, calendar->get(Calendar::MINUTE), calendar->get(Calendar::SECOND), hour < 12);
    }
    m_updateFormItemStrings();
    invalidate();
    repaint();
}

JavaPtr<String> DateField::m_timeToString(int32_t hour, int32_t minute, int32_t second, bool isAm) {
    const int32_t half = hour % 12;
    JavaPtr<String> text = half == 0 ? JavaPtr<String>(new String("12")) : twoDigits(half);
    return text + ":" + twoDigits(minute) + ":" + twoDigits(second) + (isAm ? " AM" : " PM");
}

void DateField::m_updateFormItemStrings() {
    m_lineTexts = JavaPtr<JArray<String>>(new JArray<String>(0));
    JavaPtr<String> dateText = m_date ? m_dateString : LCDUI_stringsGet(LCDUI_STRINGS_DATE);
    JavaPtr<String> timeText = m_date ? m_timeString : LCDUI_stringsGet(LCDUI_STRINGS_TIME);
    if (m_mode == DATE || m_mode == DATE_TIME) m_lineTexts->append(dateText);
    if (m_mode == TIME || m_mode == DATE_TIME) m_lineTexts->append(timeText);
    m_lineCount = m_lineTexts->length;
    m_selectedLine = std::min(m_selectedLine, m_lineCount - 1);
}

JavaPtr<JArray<String>> DateField::lineTexts() {
    std::lock_guard lock(lcdui());
    return m_lineTexts;
}

int32_t DateField::view() {
    std::lock_guard lock(lcdui());
    return m_view;
}

int32_t DateField::getMinContentWidth() { return Display::screenWidth.load(); }

int32_t DateField::getMinContentHeight() {
    std::lock_guard lock(lcdui());
    return m_lineCount * (m_lineFont->getHeight() + LINE_GAP) + LINE_GAP;
}

void DateField::paint(const JavaPtr<Graphics>& g, int32_t w, int32_t h) {
    // Under the LCDUI lock, which also keeps a command from dropping the areas mid-paint.
    std::lock_guard lock(lcdui());
    g->setFont(m_lineFont);
    const int32_t fh = m_lineFont->getHeight();
    int32_t y = LINE_GAP;
    for (int32_t i = 0; i < m_lineCount; ++i) {
        const bool selected = i == m_selectedLine;
        g->setColor(bc::LCDUI_COLOR_FOREGROUND);
        int32_t x = 3;
        if (!m_date) {
            const JavaPtr<String> open(new String("<"));
            g->drawString(open, 3, y, Graphics::TOP | Graphics::LEFT);
            x += m_lineFont->stringWidth(open);
        }
        const JavaPtr<String>& line = (*m_lineTexts)[i];
        const int32_t width = m_lineFont->stringWidth(line);
        g->setColor(selected ? bc::LCDUI_COLOR_HIGHLIGHTED_BACKGROUND : bc::LCDUI_COLOR_BACKGROUND);
        g->fillRect(x, y, width, fh);
        g->setColor(selected ? bc::LCDUI_COLOR_HIGHLIGHTED_FOREGROUND : bc::LCDUI_COLOR_FOREGROUND);
        g->drawString(line, x, y, Graphics::TOP | Graphics::LEFT);
        if (!m_date) {
            g->setColor(bc::LCDUI_COLOR_FOREGROUND);
            g->drawString(JavaPtr<String>(new String(">")), x + width, y, Graphics::TOP | Graphics::LEFT);
        }
        const bool dateLine = i == 0 && (m_mode == DATE || m_mode == DATE_TIME);
        if (m_view == COLLAPSED)
            registerArea(3, y, m_contentWidth + 3, y + 3 + fh, dateLine ? m_dateAreaName : m_timeAreaName);
        y += fh + LINE_GAP;
    }
    if (m_view == CALENDAR) m_paintCalendar(g);
    if (m_view == CLOCK) m_paintClock(g);
}

bool DateField::traverse(int32_t dir, int32_t, int32_t, const JavaPtr<JArray<int32_t>>& visRect) {
    std::lock_guard lock(lcdui());
    if (m_view != COLLAPSED) {
        m_traversing = true;
        if (m_view == CALENDAR) {
            if (m_calendarDay == -1) {
                if (dir == Canvas::UP && m_headerRow > 0) --m_headerRow;
                if (dir == Canvas::DOWN) {
                    if (m_headerRow == 0) {
                        m_headerRow = 1;
                    } else {
                        m_focusDay(1);
                    }
                }
                if (dir == Canvas::LEFT) (m_headerRow == 0 ? m_stepYear(-1) : m_stepMonth(-1));
                if (dir == Canvas::RIGHT) (m_headerRow == 0 ? m_stepYear(1) : m_stepMonth(1));
            } else {
                const int32_t step = dir == Canvas::UP ? -7 : dir == Canvas::DOWN ? 7 : dir == Canvas::LEFT ? -1
                                   : dir == Canvas::RIGHT                           ? 1
                                                                                     : 0;
                const int32_t day = m_calendarDay + step;
                if (step != 0 && day < 1) {
                    m_calendarDay = -1;
                    m_headerRow = 1;
                } else if (step != 0 && day <= m_daysInShownMonth()) {
                    m_focusDay(day);
                }
            }
        } else {
            if (dir == Canvas::UP) --(*m_clockValues)[m_clockField];
            if (dir == Canvas::DOWN) ++(*m_clockValues)[m_clockField];
            if (dir == Canvas::LEFT) --m_clockField;
            if (dir == Canvas::RIGHT) ++m_clockField;
            m_clockEnsureBounds();
        }
        repaint();
        return m_traversing;
    }
    const int32_t before = m_selectedLine;
    const bool wasInside = m_traversing;
    if (!wasInside) {
        if (dir == 0 || dir == Canvas::RIGHT || dir == Canvas::DOWN) m_selectedLine = 0;
        if (dir == Canvas::UP || dir == Canvas::LEFT) m_selectedLine = m_lineCount - 1;
    } else {
        if (dir == Canvas::DOWN && m_selectedLine < m_lineCount - 1) ++m_selectedLine;
        if (dir == Canvas::UP && m_selectedLine > 0) --m_selectedLine;
    }
    const int32_t fh = m_lineFont->getHeight();
    if (visRect && visRect->length >= 4) {
        (*visRect)[1] = std::max(m_selectedLine, 0) * (fh + LINE_GAP) + LINE_GAP;
        (*visRect)[3] = fh + LINE_GAP;
    }
    if (m_selectedLine == before && wasInside) {
        m_traversing = false;
        m_selectedLine = -1;
    } else {
        m_traversing = true;
    }
    repaint();
    return m_traversing;
}

void DateField::traverseOut() {
    std::lock_guard lock(lcdui());
    m_selectedLine = -1;
    m_traversing = false;
    repaint();
}

void DateField::keyReleased(int32_t keyCode) {
    std::lock_guard lock(lcdui());
    if (getGameAction(keyCode) != Canvas::FIRE || m_view != COLLAPSED) return;
    if (m_mode == DATE || (m_mode == DATE_TIME && m_selectedLine <= 0)) {
        m_initCalendarView();
    } else {
        m_initClockView();
    }
}

void DateField::command(const JavaPtr<Command>& command) {
    std::lock_guard lock(lcdui());
    if (!command || m_view == COLLAPSED) return;
    const bool cancel = command == m_cancelCommand;
    const bool save = command == m_saveCommand;
    if (!cancel && !save) return;
    if (m_view == CALENDAR) {
        m_closeCalendarView(save);
    } else {
        m_closeClockView(save);
    }
    unregisterAll();
    invalidate();
}

}  // namespace javax::microedition::lcdui
