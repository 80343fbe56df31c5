#include "demos/BareFramesMIDlet.h"

#include <atomic>
#include <cstdio>

#include "host/MIDlet.h"
#include "runtime/lang/Runnable.h"
#include "runtime/lang/Thread.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Graphics.h"

namespace demo {

namespace {

using java::lang::jnew;
using javax::microedition::lcdui::Graphics;

constexpr int64_t FRAME_INTERVAL_MS = 33;

class BareCanvas : public javax::microedition::lcdui::Canvas, public java::lang::Runnable {
    JAVA_CLASS(BareCanvas, "demo.BareCanvas", javax::microedition::lcdui::Canvas, java::lang::Runnable)
public:
    void paint(const JavaPtr<Graphics>& g) override {
        g->setColor(0x203040);
        g->fillRect(0, 0, getWidth(), getHeight());
    }
    void run() override {
        while (!stopping.load()) {
            if (isShown()) {
                repaint();
                serviceRepaints();
            }
            java::lang::Thread::sleep(FRAME_INTERVAL_MS);
        }
    }
    std::atomic<bool> stopping{false};
};

class BareFramesMIDlet : public javax::microedition::midlet::MIDlet {
    JAVA_CLASS(BareFramesMIDlet, "demo.BareFramesMIDlet", javax::microedition::midlet::MIDlet)
public:
    void startApp() override {
        if (m_canvas) return;
        m_canvas = jnew<BareCanvas>();
        m_canvas->WENDinvokeconstructor();
        javax::microedition::lcdui::Display::getDisplay()->setCurrent(JavaPtr<javax::microedition::lcdui::Displayable>(m_canvas));
        m_painter = jnew<java::lang::Thread>();
        m_painter->WENDinvokeconstructor(JavaPtr<java::lang::Runnable>(m_canvas));
        m_painter->start();
        std::printf("bare: started\n");
        std::fflush(stdout);
    }
    void pauseApp() override {}
    void destroyApp(bool) override {
        if (m_canvas) m_canvas->stopping = true;
        notifyDestroyed();
    }

private:
    JavaPtr<BareCanvas> m_canvas;
    JavaPtr<java::lang::Thread> m_painter;
};

}  // namespace

JavaPtr<javax::microedition::midlet::MIDlet> makeBareFramesMIDlet() {
    JavaPtr<BareFramesMIDlet> midlet = jnew<BareFramesMIDlet>();
    midlet->WENDinvokeconstructor();
    return midlet;
}

}  // namespace demo
