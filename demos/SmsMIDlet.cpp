#include "demos/SmsMIDlet.h"

#include <atomic>
#include <cstdio>
#include <string>

#include "demos/FlatCanvas.h"
#include "host/MIDlet.h"
#include "runtime/connections/Connector.h"
#include "runtime/io/IOException.h"
#include "runtime/lang/Runnable.h"
#include "runtime/lang/Thread.h"
#include "runtime/lcdui/Display.h"
#include "runtime/messaging/MessageConnection.h"
#include "runtime/messaging/TextMessage.h"
#include "runtime/text/String.h"

using java::lang::jnew;
using javax::microedition::lcdui::Display;
using javax::microedition::lcdui::Displayable;
using javax::microedition::midlet::MIDlet;
namespace messaging = javax::wireless::messaging;

namespace demo {

namespace {

constexpr int32_t BACKGROUND = 0x203040;
constexpr const char16_t* TEXT = u"Grüße vom Quiz ✓";

void log(const std::string& line) {
    std::printf("sms: %s\n", line.c_str());
    std::fflush(stdout);
}

// One send, on its own thread, so that the UI thread stays free to show the composer.
class SmsSender : public java::lang::Object, public java::lang::Runnable {
    JAVA_CLASS(SmsSender, "demo.SmsSender", java::lang::Object, java::lang::Runnable)
public:
    explicit SmsSender(int32_t number) : m_number(number) {}

    void run() override {
        const std::string which = "send " + std::to_string(m_number);
        try {
            JavaPtr<messaging::MessageConnection> connection = java::lang::recastObj<messaging::MessageConnection>(
                javax::microedition::io::Connector::open(jnew<java::lang::String>("sms://+4917012345")));
            JavaPtr<messaging::Message> message = connection->newMessage(messaging::MessageConnection::TEXT_MESSAGE);
            const std::u16string_view text(TEXT);
            java::lang::recastObj<messaging::TextMessage>(message)->setPayloadText(
                jnew<java::lang::String>(text.data(), static_cast<int32_t>(text.size())));
            connection->send(message);
            connection->close();
            log(which + " sent");
        } catch (java::io::IOException&) {
            log(which + " not sent");
        }
    }

private:
    int32_t m_number;
};

class SmsCanvas : public FlatCanvas {
    JAVA_CLASS(SmsCanvas, "demo.SmsCanvas", FlatCanvas)
public:
    void WENDinvokeconstructor() { FlatCanvas::WENDinvokeconstructor(BACKGROUND); }
    void pointerReleased(int32_t, int32_t) override {
        JavaPtr<java::lang::Thread> sender = jnew<java::lang::Thread>();
        sender->WENDinvokeconstructor(JavaPtr<java::lang::Runnable>(jnew<SmsSender>(++m_sends)));
        sender->start();
    }

private:
    std::atomic<int32_t> m_sends{0};
};

class SmsMIDlet : public MIDlet {
    JAVA_CLASS(SmsMIDlet, "demo.SmsMIDlet", MIDlet)
public:
    void startApp() override {
        if (m_canvas) return;
        m_canvas = jnew<SmsCanvas>();
        m_canvas->WENDinvokeconstructor();
        Display::getDisplay()->setCurrent(JavaPtr<Displayable>(m_canvas));
        m_canvas->repaint();
    }
    void pauseApp() override {}
    void destroyApp(bool) override { notifyDestroyed(); }

private:
    JavaPtr<SmsCanvas> m_canvas;
};

}  // namespace

JavaPtr<MIDlet> makeSmsMIDlet() {
    JavaPtr<SmsMIDlet> midlet = jnew<SmsMIDlet>();
    midlet->WENDinvokeconstructor();
    return midlet;
}

}  // namespace demo
