#include "runtime/lcdui/forms/Ticker.h"

#include "runtime/lcdui/Display.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

void Ticker::WENDinvokeconstructor(const JavaPtr<java::lang::String>& text) {
    Object::WENDinvokeconstructor();
    m_text = text;
    LCDUI_DisplayAddTicker(JavaPtr<Ticker>(this));
}

}  // namespace javax::microedition::lcdui
