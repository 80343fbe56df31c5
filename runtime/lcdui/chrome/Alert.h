// A screen that shows a message, an image and an activity gauge for a while, then gives way to the
// next screen. Its content lives on a hidden form whose canvas it shows; dismissal goes through
// commands, which the timeout fires too.
#pragma once

#include <cstdint>

#include "runtime/lcdui/forms/Screen.h"

namespace java::lang { class String; }

namespace javax::microedition::lcdui {

class AlertType;
class Command;
class CommandListener;
class DefaultAlertListener;
class Form;
class Gauge;
class Image;

class Alert : public Screen {
    JAVA_CLASS(Alert, "javax.microedition.lcdui.Alert", Screen)
public:
    static constexpr int32_t FOREVER = -2;
    static constexpr int32_t DEFAULT_TIMEOUT = 2000;
    static inline JavaPtr<Command> DISMISS_COMMAND;
    static void Alert_staticInit();
    static void Alert_staticDestroy();

    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& title) {
        WENDinvokeconstructor(title, nullptr, nullptr, nullptr);
    }
    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& title, const JavaPtr<java::lang::String>& alertText,
                               const JavaPtr<Image>& alertImage, const JavaPtr<AlertType>& alertType);

    void addCommand(const JavaPtr<Command>& command) override;
    void removeCommand(const JavaPtr<Command>& command) override;
    void setCommandListener(const JavaPtr<CommandListener>& listener) override;
    JavaPtr<Ticker> getTicker() override;
    JavaPtr<java::lang::String> getTitle() override;
    void setTicker(const JavaPtr<Ticker>& ticker) override;
    void setTitle(const JavaPtr<java::lang::String>& title) override;
    void tick(int64_t ms) override;

    virtual int32_t getDefaultTimeout() { return DEFAULT_TIMEOUT; }
    virtual JavaPtr<Image> getImage();
    virtual JavaPtr<Gauge> getIndicator();
    virtual JavaPtr<java::lang::String> getString();
    virtual int32_t getTimeout();
    virtual JavaPtr<AlertType> getType();
    virtual void setImage(const JavaPtr<Image>& image);
    virtual void setIndicator(const JavaPtr<Gauge>& indicator);
    virtual void setString(const JavaPtr<java::lang::String>& text);
    virtual void setTimeout(int32_t time);
    virtual void setType(const JavaPtr<AlertType>& type);

    // Set by Display::setCurrent(Alert, Displayable) and never cleared.
    JavaPtr<Displayable> getNextDisplayable();
    void setNextDisplayable(const JavaPtr<Displayable>& next);
    // Records when the alert was shown; its timeout counts from then (monotonic milliseconds).
    void showNotify();
    int64_t getShownTime();
    // Makes the next displayable current; with none, the alert stays.
    void advance();
    bool isModal();
    JavaPtr<Form> getForm() { return m_form; }

private:
    void m_recreateForm();
    int32_t m_commandCount();

    JavaPtr<Displayable> m_nextDisplayable;
    JavaPtr<java::lang::String> m_string;
    JavaPtr<Image> m_image;
    JavaPtr<AlertType> m_type;
    int32_t m_timeout = DEFAULT_TIMEOUT;
    JavaPtr<Gauge> m_indicator;
    JavaPtr<Form> m_form;
    JavaPtr<DefaultAlertListener> m_defaultListener;
    int64_t m_shownAt = -1;
    bool m_autoDismiss = true;
};

}  // namespace javax::microedition::lcdui
