#include "demos/DatesDemo.h"

#include <string>

#include "demos/DemoEvents.h"
#include "host/MIDlet.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lcdui/forms/DateField.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/FormCanvas.h"
#include "runtime/lcdui/forms/ItemStateListener.h"
#include "runtime/lcdui/forms/Ticker.h"
#include "runtime/text/Date.h"
#include "runtime/text/String.h"

using java::lang::jnew;
using java::lang::String;
using namespace javax::microedition::lcdui;
using javax::microedition::midlet::MIDlet;

namespace demo {

namespace {

// 31 January 2012, 09:00 UTC: a month step from here must stop at 29 February.
constexpr long long START_MILLIS = 1328000400000LL;

// Logs its line, its view, the month shown and the places a script touches, whenever they change.
class LoggedDateField : public DateField {
    JAVA_CLASS(LoggedDateField, "demo.LoggedDateField", DateField)
public:
    using DateField::paint;
    void paint(const JavaPtr<Graphics>& g, int32_t w, int32_t h) override {
        DateField::paint(g, w, h);
        std::string state = std::to_string(view()) + " " + std::to_string(calendarMonth()) + " " +
                            std::to_string(calendarYear()) + " " + std::to_string(m_y);
        if (state == m_logged) return;
        m_logged = state;
        JavaPtr<FormCanvas> canvas = getFormCanvas();
        if (!canvas) return;
        auto area = jnew<JArray<int32_t>>(4);
        canvas->getUnreservedArea(area);
        const int32_t top = (*area)[1] - canvas->getVerticalScrollPos();
        const int32_t lineY = m_y + m_contentY + 3 + top;
        // The top of the date line: with a font of no height the time line's area begins just below.
        evt("dates: line %d,%d,%d,%d", m_x + m_contentX + 3, lineY, m_x + m_contentX + m_contentWidth, lineY + 2);
        if (view() == COLLAPSED) return;
        evt("dates: view %s %d %d", view() == CALENDAR ? "calendar" : "clock", calendarMonth(), calendarYear());
        int32_t cell[4];
        if (dayCell(15, cell)) evt("dates: cell 15 %d,%d,%d,%d", cell[0], cell[1], cell[2], cell[3]);
        int32_t arrow[4];
        if (TouchScreenAreaManager::areaFor(monthIncAreaName(), arrow))
            evt("dates: area monthinc %d,%d,%d,%d", arrow[0], arrow[1], arrow[2], arrow[3]);
    }

private:
    std::string m_logged;
};

class DatesDemoMIDlet : public MIDlet, public ItemStateListener {
    JAVA_CLASS(DatesDemoMIDlet, "demo.DatesDemoMIDlet", MIDlet, ItemStateListener)
public:
    void startApp() override {
        evt("dates: startApp");
        if (!m_form) build();
        Display::getDisplay()->setCurrent(JavaPtr<Displayable>(m_form));
    }
    void pauseApp() override { evt("dates: pauseApp"); }
    void destroyApp(bool) override {
        evt("dates: destroyApp");
        if (m_form) m_form->setItemStateListener(nullptr);
        notifyDestroyed();
    }
    void itemStateChanged(const JavaPtr<Item>& item) override {
        if (auto field = recastObj<DateField>(item)) evt("dates: saved %s", (*field->lineTexts())[0]->val());
    }

private:
    void build() {
        auto field = JavaPtr<LoggedDateField>(new LoggedDateField());
        field->WENDinvokeconstructor(jnew<String>("When"), DateField::DATE_TIME);
        field->setDate(jnew<java::util::Date>(START_MILLIS));
        m_form = jnew<Form>();
        m_form->WENDinvokeconstructor(jnew<String>("Dates demo"));
        m_form->append(JavaPtr<Item>(field));
        m_form->setItemStateListener(JavaPtr<ItemStateListener>(this));
        // A ticker keeps the frames coming, so that the views' places are logged soon after they change.
        auto ticker = jnew<Ticker>();
        ticker->WENDinvokeconstructor(jnew<String>("Touch the date for its calendar, the time for its clock"));
        m_form->setTicker(ticker);
    }

    JavaPtr<Form> m_form;
};

}  // namespace

JavaPtr<MIDlet> makeDatesDemoMIDlet() {
    JavaPtr<DatesDemoMIDlet> midlet = jnew<DatesDemoMIDlet>();
    midlet->WENDinvokeconstructor();
    return midlet;
}

}  // namespace demo
