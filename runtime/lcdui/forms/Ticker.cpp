#include "runtime/lcdui/forms/Ticker.h"

#include "runtime/lang/Smart.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

void Ticker::WENDinvokeconstructor(const JavaPtr<java::lang::String>& text) {
    Object::WENDinvokeconstructor();
    setString(text);
    m_totalTickedTimeMS = 0;
    // Held across the call, so that the counted references made for it cannot bring the count of
    // an object nobody holds yet to zero and destroy it.
    JavaPtr<Ticker> self(this);
    std::lock_guard lock(Canvas::paintLock());
    LCDUI_DisplayAddTicker(self);
}

JavaPtr<java::lang::String> Ticker::getString() {
    std::lock_guard lock(Canvas::paintLock());
    return m_string;
}

JavaPtr<java::lang::String> Ticker::getDrawableString() {
    std::lock_guard lock(Canvas::paintLock());
    return m_drawableString;
}

void Ticker::setString(const JavaPtr<java::lang::String>& text) {
    JavaPtr<java::lang::String> drawable =
        text ? text->replace(u'\n', u' ') : JavaPtr<java::lang::String>(new java::lang::String(""));
    std::lock_guard lock(Canvas::paintLock());
    m_string = text;
    m_drawableString = drawable;
}

}  // namespace javax::microedition::lcdui
