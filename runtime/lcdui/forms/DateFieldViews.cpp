// The date field's editing views laid over its form: a month calendar and a clock, their touch
// areas in the overlay group, their steps and limits, and the commit on Save.
#include <algorithm>
#include <mutex>

#include "runtime/lang/BuildConstants.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Font.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/LCDUIStrings.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/lcdui/chrome/OnScreenKeyboard.h"
#include "runtime/lcdui/chrome/TouchScreenAreaListener.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lcdui/forms/DateField.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/FormCanvas.h"
#include "runtime/text/Calendar.h"
#include "runtime/text/CalendarImpl.h"
#include "runtime/text/Integer.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

using java::lang::String;
using java::util::Calendar;
using java::util::CalendarImpl;
namespace bc = buildconstants;

namespace {

std::recursive_mutex& lcdui() { return Canvas::paintLock(); }

constexpr int32_t CLOCK_FIELD_LIMITS[] = {12, 60, 60, 2};
constexpr int32_t CLOCK_FIELD_CHAR_POS[] = {0, 3, 6, 9};
constexpr int32_t OVERLAY_GROUP = 2;

}  // namespace

int32_t DateField::calendarDay() {
    std::lock_guard lock(lcdui());
    return m_calendarDay;
}

int32_t DateField::calendarMonth() {
    std::lock_guard lock(lcdui());
    return m_calendarMonth;
}

int32_t DateField::calendarYear() {
    std::lock_guard lock(lcdui());
    return m_calendarYear;
}

int32_t DateField::clockValue(int32_t field) {
    std::lock_guard lock(lcdui());
    return m_clockValues ? (*m_clockValues)[field] : -1;
}

int32_t DateField::m_daysInShownMonth() { return CalendarImpl::daysInMonth(m_calendarMonth, m_calendarYear); }

void DateField::m_focusDay(int32_t day) {
    m_calendarDay = day;
    m_lastDay = day;
    repaint();
}

void DateField::m_formSize(int32_t* width, int32_t* height, int32_t* top) {
    *width = Display::screenWidth.load();
    *height = Display::screenHeight.load();
    *top = 0;
    JavaPtr<FormCanvas> canvas = getFormCanvas();
    if (!canvas) return;
    auto area = java::lang::jnew<JArray<int32_t>>(4);
    canvas->getUnreservedArea(area);
    *width = (*area)[2] - (*area)[0];
    *height = (*area)[3] - (*area)[1];
    *top = (*area)[1];
}

void DateField::m_setFormOverlay(bool show) {
    JavaPtr<FormCanvas> canvas = getFormCanvas();
    if (!canvas) return;
    if (!show) {
        canvas->setFormItemOverlay(nullptr, nullptr);
        return;
    }
    m_cancelCommand = java::lang::jnew<Command>();
    m_cancelCommand->WENDinvokeconstructor(LCDUI_stringsGet(LCDUI_STRINGS_SOFTKEY_CANCEL), Command::CANCEL, 0);
    m_saveCommand = java::lang::jnew<Command>();
    m_saveCommand->WENDinvokeconstructor(LCDUI_stringsGet(LCDUI_STRINGS_SOFTKEY_SAVE), Command::ITEM, 0);
    JavaPtr<JArray<Command>> commands(new JArray<Command>(2));
    (*commands)[0] = m_cancelCommand;
    (*commands)[1] = m_saveCommand;
    canvas->setFormItemOverlay(JavaPtr<Item>(this), commands);
}

void DateField::m_initCalendarView() {
    JavaPtr<Calendar> calendar = m_calendar();
    m_calendarDay = m_lastDay = calendar->get(Calendar::DAY_OF_MONTH);
    m_calendarMonth = calendar->get(Calendar::MONTH);
    m_calendarYear = calendar->get(Calendar::YEAR);
    m_headerRow = 0;
    m_yearOrMonthChanged(m_calendarMonth, m_calendarYear);
    // The keyboard goes first, so that the overlay's layout already has its room.
    OnScreenKeyboard::hide();
    TouchScreenAreaManager::unregisterAllAreas(m_touchListener);
    m_setFormOverlay(true);
    m_view = CALENDAR;
    invalidate();
}

void DateField::m_initClockView() {
    JavaPtr<Calendar> calendar = m_calendar();
    m_clockValues = JavaPtr<JArray<int32_t>>(new JArray<int32_t>(4));
    (*m_clockValues)[0] = calendar->get(Calendar::HOUR);
    (*m_clockValues)[1] = calendar->get(Calendar::MINUTE);
    (*m_clockValues)[2] = calendar->get(Calendar::SECOND);
    (*m_clockValues)[3] = calendar->get(Calendar::AM_PM);
    m_clockField = 0;
    OnScreenKeyboard::hide();
    TouchScreenAreaManager::unregisterAllAreas(m_touchListener);
    m_setFormOverlay(true);
    m_view = CLOCK;
    invalidate();
}

void DateField::m_closeCalendarView(bool save) {
    if (save) {
        JavaPtr<Calendar> calendar = m_calendar();
        // The day last focused, kept inside the shown month: never -1 from the header, never past
        // the month's end after a month step.
        const int32_t day = std::clamp(m_calendarDay != -1 ? m_calendarDay : m_lastDay, 1, m_daysInShownMonth());
        calendar->set(Calendar::DAY_OF_MONTH, day);
        calendar->set(Calendar::MONTH, m_calendarMonth);
        calendar->set(Calendar::YEAR, m_calendarYear);
        setDate(calendar->getTime());
        notifyStateChanged();
    }
    m_view = COLLAPSED;
    m_setFormOverlay(false);
}

void DateField::m_closeClockView(bool save) {
    if (save) {
        JavaPtr<Calendar> calendar = m_calendar();
        calendar->set(Calendar::HOUR_OF_DAY, (*m_clockValues)[3] * 12 + (*m_clockValues)[0]);
        calendar->set(Calendar::MINUTE, (*m_clockValues)[1]);
        calendar->set(Calendar::SECOND, (*m_clockValues)[2]);
        setDate(calendar->getTime());
        notifyStateChanged();
    }
    m_view = COLLAPSED;
    m_setFormOverlay(false);
    invalidate();
}

void DateField::m_yearOrMonthChanged(int32_t month, int32_t year) {
    JavaPtr<Calendar> calendar(new CalendarImpl(m_timeZone));
    calendar->setTimeInMillis(0);
    calendar->set(Calendar::DAY_OF_MONTH, 1);
    calendar->set(Calendar::MONTH, month);
    calendar->set(Calendar::YEAR, year);
    m_firstWeekday = calendar->get(Calendar::DAY_OF_WEEK);
    repaint();
}

void DateField::m_stepMonth(int32_t step) {
    if (step < 0) {
        if (m_calendarMonth > 0) {
            --m_calendarMonth;
        } else if (m_calendarYear > FIRST_YEAR) {
            m_calendarMonth = 11;
            --m_calendarYear;
        }
    } else if (m_calendarMonth < 11) {
        ++m_calendarMonth;
    } else {
        m_calendarMonth = 0;
        ++m_calendarYear;
    }
    // A day past the new month's end would store a day of the next month.
    if (m_calendarDay > m_daysInShownMonth()) m_calendarDay = m_daysInShownMonth();
    m_yearOrMonthChanged(m_calendarMonth, m_calendarYear);
}

void DateField::m_stepYear(int32_t step) {
    if (step < 0 && m_calendarYear <= FIRST_YEAR) return;
    m_calendarYear += step;
    if (m_calendarDay > m_daysInShownMonth()) m_calendarDay = m_daysInShownMonth();
    m_yearOrMonthChanged(m_calendarMonth, m_calendarYear);
}

void DateField::m_clockEnsureBounds() {
    if (m_clockField < 0) m_clockField += 4;
    m_clockField %= 4;
    int32_t& value = (*m_clockValues)[m_clockField];
    const int32_t limit = CLOCK_FIELD_LIMITS[m_clockField];
    if (value < 0) value += limit;
    value %= limit;
}

bool DateField::dayCell(int32_t day, int32_t (&rect)[4]) {
    std::lock_guard lock(lcdui());
    if (m_view != CALENDAR || day < 1 || day > m_daysInShownMonth()) return false;
    const int32_t index = m_firstWeekday - 1 + day - 1;
    rect[0] = m_gridLeft + (index % 7) * m_cellWidth;
    rect[1] = m_gridTop + (1 + index / 7) * m_cellHeight;
    rect[2] = m_cellWidth;
    rect[3] = m_cellHeight;
    return true;
}

void DateField::m_paintCalendar(const JavaPtr<Graphics>& g) {
    const int32_t fh = m_calendarFont->getHeight(), cw = m_cellWidth, ch = m_cellHeight;
    const int32_t calW = 7 * cw, calH = 7 * ch + 6 + 2 * fh;
    int32_t formWidth, formHeight, formTop;
    m_formSize(&formWidth, &formHeight, &formTop);
    const int32_t left = (formWidth - calW) / 2, top = (formHeight - calH) / 2 + formTop, cx = left + calW / 2;
    g->translate(-g->getTranslateX(), -g->getTranslateY());
    g->setClip(0, 0, Display::screenWidth.load(), Display::screenHeight.load());
    g->setFont(m_calendarFont);
    g->setColor(bc::LCDUI_COLOR_BACKGROUND);
    g->fillRect(left - 20, top - 10, calW + 40, calH + 20);
    g->setColor(bc::LCDUI_COLOR_BORDER);
    g->drawRect(left - 20, top - 10, calW + 40, calH + 20);
    int32_t y = top;
    for (int32_t row = 0; row < 2; ++row) {
        const bool focused = m_calendarDay == -1 && m_headerRow == row;
        const int32_t box = row == 0 ? m_yearWidth : m_monthNameWidth;
        const JavaPtr<String> label = row == 0 ? String::valueOf(m_calendarYear)
                                               : LCDUI_stringsGet(LCDUI_STRINGS_MONTH_JANUARY + m_calendarMonth);
        g->setColor(focused ? bc::LCDUI_COLOR_HIGHLIGHTED_BACKGROUND : bc::LCDUI_COLOR_BACKGROUND);
        g->fillRect(cx - box / 2, y, box, fh);
        g->setColor(focused ? bc::LCDUI_COLOR_HIGHLIGHTED_FOREGROUND : bc::LCDUI_COLOR_FOREGROUND);
        g->drawString(label, cx, y, Graphics::TOP | Graphics::HCENTER);
        g->setColor(bc::LCDUI_COLOR_FOREGROUND);
        const int32_t half = (box + 22) / 2, ay = y + (fh - 8) / 2, bottom = y + (fh + 8) / 2;
        DisplayableCoreCanvas::drawHorizontalArrow(g, true, cx - half, ay, 8, 8, 0, 0);
        DisplayableCoreCanvas::drawHorizontalArrow(g, false, cx + half - 8, ay, 8, 8, 0, 0);
        TouchScreenAreaManager::registerArea(cx - half, ay, cx - half + 8, bottom,
                                             row == 0 ? m_yearDecAreaName : m_monthDecAreaName, m_touchListener,
                                             OVERLAY_GROUP);
        TouchScreenAreaManager::registerArea(cx + half - 8, ay, cx + half, bottom,
                                             row == 0 ? m_yearIncAreaName : m_monthIncAreaName, m_touchListener,
                                             OVERLAY_GROUP);
        y += fh + 3;
    }
    const int32_t gy = top + 2 * (fh + 3);
    m_gridLeft = left;
    m_gridTop = gy;
    TouchScreenAreaManager::registerArea(left, gy + ch, left + 7 * cw, gy + 7 * ch, m_calendarAreaName,
                                         m_touchListener, OVERLAY_GROUP);
    const int32_t days = m_daysInShownMonth();
    int32_t day = -1;
    for (int32_t row = 0; row < 7; ++row) {
        for (int32_t column = 0; column < 7; ++column) {
            const int32_t x = left + column * cw, cy = gy + row * ch;
            if (row >= 1 && day == -1 && m_firstWeekday == column + 1) day = 1;
            const bool focused = row >= 1 && m_calendarDay != -1 && day == m_calendarDay;
            if (focused) {
                g->setColor(bc::LCDUI_COLOR_HIGHLIGHTED_BACKGROUND);
                g->fillRect(x, cy, cw, ch);
            }
            g->setColor(focused ? bc::LCDUI_COLOR_HIGHLIGHTED_FOREGROUND : bc::LCDUI_COLOR_FOREGROUND);
            if (row == 0) {
                g->drawString(LCDUI_stringsGet(LCDUI_STRINGS_WEEK_SUNDAY + column)->substring(0, 1), x + cw / 2,
                              cy + ch / 2, Graphics::HCENTER | Graphics::VCENTER);
            } else if (day != -1 && day <= days) {
                g->drawString(String::valueOf(day), x + cw / 2, cy + ch / 2, Graphics::HCENTER | Graphics::VCENTER);
                ++day;
            }
            g->setColor(bc::LCDUI_COLOR_BORDER);
            g->drawRect(x, cy, cw, ch);
        }
    }
}

void DateField::m_paintClock(const JavaPtr<Graphics>& g) {
    const int32_t fh = m_clockFont->getHeight();
    const int32_t boxW = m_clockFont->stringWidth(JavaPtr<String>(new String("88:88:88 AM"))) + 22, boxH = fh + 16;
    int32_t formWidth, formHeight, formTop;
    m_formSize(&formWidth, &formHeight, &formTop);
    const int32_t left = (formWidth - boxW) / 2, top = (formHeight - boxH) / 2;
    g->translate(-g->getTranslateX(), -g->getTranslateY());
    const int32_t screenW = Display::screenWidth.load(), screenH = Display::screenHeight.load();
    g->setClip(0, 0, screenW, screenH);
    g->setColor(bc::LCDUI_COLOR_BACKGROUND);
    g->fillRect(left - 20, top - 10, boxW + 40, fh + 36);
    g->setColor(bc::LCDUI_COLOR_BORDER);
    g->drawRect(left - 20, top - 10, boxW + 40, fh + 36);
    g->setFont(m_clockFont);
    g->setColor(bc::LCDUI_COLOR_FOREGROUND);
    JArray<int32_t>& values = *m_clockValues;
    const JavaPtr<String> text = m_timeToString(values[0], values[1], values[2], values[3] == 0);
    const int32_t tx = left + boxW / 2 - m_clockFont->stringWidth(text) / 2, ty = top + boxH / 2 - fh / 2;
    g->drawString(text, tx, ty, Graphics::TOP | Graphics::LEFT);
    const int32_t ay = top + (boxH - 8) / 2;
    DisplayableCoreCanvas::drawHorizontalArrow(g, true, left, ay, 8, 8, 0, 0);
    DisplayableCoreCanvas::drawHorizontalArrow(g, false, left + boxW - 8, ay, 8, 8, 0, 0);
    const int32_t p = CLOCK_FIELD_CHAR_POS[m_clockField];
    const int32_t fx = tx + m_clockFont->substringWidth(text, 0, p), fw = m_clockFont->substringWidth(text, p, 2);
    g->setClip(fx, ty, fw, fh);
    g->setColor(bc::LCDUI_COLOR_HIGHLIGHTED_BACKGROUND);
    g->fillRect(fx, ty, fw, fh);
    g->setColor(bc::LCDUI_COLOR_HIGHLIGHTED_FOREGROUND);
    g->drawString(text, tx, ty, Graphics::TOP | Graphics::LEFT);
    g->setColor(bc::LCDUI_COLOR_FOREGROUND);
    g->setClip(0, 0, screenW, screenH);
    DisplayableCoreCanvas::drawVerticalArrow(g, true, fx, ty - 8, fw, 5, 0, 0);
    DisplayableCoreCanvas::drawVerticalArrow(g, false, fx, ty + fh + 3, fw, 5, 0, 0);
    TouchScreenAreaManager::registerArea(fx, ty - 8, fx + fw, ty - 3, m_timeFieldDecAreaName, m_touchListener,
                                         OVERLAY_GROUP);
    TouchScreenAreaManager::registerArea(fx, ty + fh + 3, fx + fw, ty + fh + 8, m_timeFieldIncAreaName,
                                         m_touchListener, OVERLAY_GROUP);
    for (int32_t i = 0; i < 4; ++i) {
        const int32_t x = tx + m_clockFont->substringWidth(text, 0, CLOCK_FIELD_CHAR_POS[i]);
        TouchScreenAreaManager::registerArea(x, ty, x + m_clockFont->substringWidth(text, CLOCK_FIELD_CHAR_POS[i], 2),
                                             ty + fh, m_calendarAreaName + "clockfield" + i, m_touchListener,
                                             OVERLAY_GROUP);
    }
    TouchScreenAreaManager::registerArea(left, ay, left + 8, top + (boxH + 8) / 2, m_timeFieldPrevAreaName,
                                         m_touchListener, OVERLAY_GROUP);
    TouchScreenAreaManager::registerArea(left + boxW - 8, ay, left + boxW, top + (boxH + 8) / 2,
                                         m_timeFieldNextAreaName, m_touchListener, OVERLAY_GROUP);
}

void DateField::touchscreenAreaEvent(const JavaPtr<String>& name, int32_t type, int32_t x, int32_t y, int32_t,
                                     int32_t, bool inside) {
    std::lock_guard lock(lcdui());
    if (m_view == COLLAPSED) {
        if (type != TouchScreenAreaListener::RELEASE || !inside) return;
        if (name->equals(m_dateAreaName)) {
            m_selectedLine = 0;
            m_initCalendarView();
        } else if (name->equals(m_timeAreaName)) {
            m_selectedLine = m_lineCount - 1;
            m_initClockView();
        }
        return;
    }
    if (m_view == CALENDAR) {
        if (name->equals(m_calendarAreaName)) {
            // Off the grid the finger is on no day: the focus stays on the last one it was on.
            if (!inside) return;
            // The grid's right edge is inclusive: a touch on it stays in the last column.
            const int32_t column = std::min(x / m_cellWidth, 6);
            const int32_t day = column + 1 + (y / m_cellHeight) * 7 - (m_firstWeekday - 1);
            if (day >= 1 && day <= m_daysInShownMonth()) m_focusDay(day);
            return;
        }
        if (type != TouchScreenAreaListener::PRESS) return;
        if (name->equals(m_yearDecAreaName)) m_stepYear(-1);
        if (name->equals(m_yearIncAreaName)) m_stepYear(1);
        if (name->equals(m_monthDecAreaName)) m_stepMonth(-1);
        if (name->equals(m_monthIncAreaName)) m_stepMonth(1);
        return;
    }
    if (type == TouchScreenAreaListener::PRESS) {
        if (name->equals(m_timeFieldDecAreaName)) --(*m_clockValues)[m_clockField];
        if (name->equals(m_timeFieldIncAreaName)) ++(*m_clockValues)[m_clockField];
    } else if (type == TouchScreenAreaListener::RELEASE && inside) {
        if (name->equals(m_timeFieldPrevAreaName)) --m_clockField;
        if (name->equals(m_timeFieldNextAreaName)) ++m_clockField;
        const int32_t at = name->indexOf(JavaPtr<String>(new String("clockfield")));
        if (at >= 0) m_clockField = java::lang::Integer::parseInt(name->substring(at + 10));
    }
    m_clockEnsureBounds();
    repaint();
}

}  // namespace javax::microedition::lcdui
