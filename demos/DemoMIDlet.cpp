#include "demos/DemoMIDlet.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "host/MIDlet.h"
#include "runtime/connections/Connector.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lang/Runnable.h"
#include "runtime/lang/Thread.h"
#include "runtime/lang/UncaughtHandler.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"
#include "runtime/sensor/Data.h"
#include "runtime/sensor/SensorConnection.h"
#include "runtime/sensor/SensorInfo.h"
#include "runtime/sensor/SensorManager.h"
#include "runtime/text/String.h"

using java::lang::jnew;
using javax::microedition::lcdui::Canvas;
using javax::microedition::lcdui::Display;
using javax::microedition::lcdui::Displayable;
using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;
using javax::microedition::midlet::MIDlet;

namespace demo {

namespace {

using L = DemoLayout;

// The repaint loop's pace: about 60 frames a second.
constexpr int64_t FRAME_INTERVAL_MS = 16;
constexpr int32_t NOWHERE = -1000000;

[[gnu::format(printf, 1, 2)]] void log(const char* format, ...) {
    std::va_list values;
    va_start(values, format);
    std::vprintf(format, values);
    va_end(values);
    std::putchar('\n');
    std::fflush(stdout);
}

bool inside(const int32_t (&box)[4], int32_t x, int32_t y) {
    return x >= box[0] && y >= box[1] && x < box[0] + box[2] && y < box[1] + box[3];
}

class DemoCanvas : public Canvas, public java::lang::Runnable {
    JAVA_CLASS(DemoCanvas, "demo.DemoCanvas", Canvas, java::lang::Runnable)
public:
    void WENDinvokeconstructor() { Canvas::WENDinvokeconstructor(); }

    std::atomic<bool> stopping{false};
    std::atomic<int32_t> resumes{0};

    void paint(const JavaPtr<Graphics>& g) override {
        const int32_t width = getWidth();
        const int32_t scale = width >= 640 ? 2 : 1;
        const auto fill = [&](int32_t colour, const int32_t (&box)[4]) {
            g->setColor(colour);
            g->fillRect(box[0] * scale, box[1] * scale, box[2] * scale, box[3] * scale);
        };
        g->setColor(L::BACKGROUND);
        g->fillRect(0, 0, width, getHeight());
        fill(L::RED, L::RED_BOX);
        g->setColor(L::GREEN);
        g->fillArc(L::GREEN_DISC[0] * scale, L::GREEN_DISC[1] * scale, L::GREEN_DISC[2] * scale,
                   L::GREEN_DISC[3] * scale, 0, 360);
        g->setColor(0xFFFFFF);
        g->drawLine(0, 260 * scale, width - 1, 260 * scale);
        g->drawImage(image(scale), L::IMAGE_AT[0] * scale, L::IMAGE_AT[1] * scale, Graphics::TOP | Graphics::LEFT);
        g->drawString(jnew<java::lang::String>("Lexivo demo"), 100 * scale, 230 * scale,
                      Graphics::TOP | Graphics::LEFT);

        const int32_t activations = m_activations.load();
        const int32_t buttonColour =
            m_held.load() ? L::BUTTON_HELD : activations > 0 ? L::BUTTON_ACTIVATED : L::BUTTON_IDLE;
        fill(buttonColour, L::BUTTON);
        for (int32_t i = 0; i < activations && i < 10; ++i)
            fill(L::COUNT_WHITE, {L::BUTTON[0] + i * L::COUNT_STEP, L::ACTIVATIONS_ROW, L::COUNT_SIZE, L::COUNT_SIZE});
        for (int32_t i = 0; i < resumes.load() && i < 10; ++i)
            fill(L::RESUME_ORANGE, {L::BUTTON[0] + i * L::COUNT_STEP, L::RESUMES_ROW, L::COUNT_SIZE, L::COUNT_SIZE});

        const int32_t fingerX = m_fingerX.load(), fingerY = m_fingerY.load();
        if (fingerX != NOWHERE) {
            const int32_t half = L::FINGER_SIZE * scale / 2;
            g->setColor(L::FINGER);
            g->fillRect(fingerX - half, fingerY - half, 2 * half, 2 * half);
        }
    }

    void pointerPressed(int32_t x, int32_t y) override {
        log("demo: pressed %d %d", x, y);
        follow(x, y);
        m_held = inside(L::BUTTON, x / scale(), y / scale());
    }
    void pointerDragged(int32_t x, int32_t y) override {
        log("demo: dragged %d %d", x, y);
        follow(x, y);
    }
    // Like a button of the quiz's screens: it acts when the finger leaves it on the button.
    void pointerReleased(int32_t x, int32_t y) override {
        log("demo: released %d %d", x, y);
        m_fingerX = NOWHERE;
        m_fingerY = NOWHERE;
        const bool activate = m_held.exchange(false) && inside(L::BUTTON, x / scale(), y / scale());
        if (activate) log("demo: activated %d", ++m_activations);
    }
    void showNotify() override { log("demo: showNotify"); }
    void hideNotify() override { log("demo: hideNotify"); }

    void run() override {
        while (!stopping.load()) {
            if (isShown()) {
                repaint();
                serviceRepaints();
            }
            java::lang::Thread::sleep(FRAME_INTERVAL_MS);
        }
    }

private:
    int32_t scale() { return getWidth() >= 640 ? 2 : 1; }

    void follow(int32_t x, int32_t y) {
        m_fingerX = x;
        m_fingerY = y;
    }

    JavaPtr<Image> image(int32_t scale) {
        if (m_image) return m_image;
        const int32_t side = L::IMAGE_SIZE * scale;
        const int32_t cell = side / 8;
        std::vector<int32_t> rgb(static_cast<size_t>(side) * side);
        for (int32_t y = 0; y < side; ++y)
            for (int32_t x = 0; x < side; ++x)
                rgb[static_cast<size_t>(y) * side + x] =
                    static_cast<int32_t>(0xFF000000u) | (((x / cell + y / cell) % 2) ? L::IMAGE_WHITE : L::IMAGE_BLUE);
        m_image = Image::createRGBImage(rgb.data(), side, side, false);
        return m_image;
    }

    std::atomic<int32_t> m_fingerX{NOWHERE};
    std::atomic<int32_t> m_fingerY{NOWHERE};
    std::atomic<bool> m_held{false};
    std::atomic<int32_t> m_activations{0};
    JavaPtr<Image> m_image;
};

namespace sensor = javax::microedition::sensor;

// Logs the last tilt of each batch the tilt sensor delivers.
class TiltLog : public java::lang::Object, public sensor::DataListener {
    JAVA_CLASS(TiltLog, "demo.TiltLog", java::lang::Object, sensor::DataListener)
public:
    void dataReceived(JavaPtr<sensor::SensorConnection>, JavaPtr<JArray<sensor::Data>> data, bool) override {
        JavaPtr<JArray<double>> pitch = (*data)[0]->getDoubleValues();
        JavaPtr<JArray<double>> roll = (*data)[1]->getDoubleValues();
        log("demo: tilt pitch %.4f roll %.4f", (*pitch)[pitch->length - 1], (*roll)[roll->length - 1]);
    }

    // Opens the tilt sensor as the quiz does: found by quantity and context, read every 50 ms.
    static JavaPtr<sensor::SensorConnection> listen() {
        JavaPtr<JArray<sensor::SensorInfo>> found = sensor::SensorManager::findSensors(
            jnew<java::lang::String>("plane_angle"), sensor::SensorInfo::CONTEXT_TYPE_DEVICE);
        if (found->length == 0) return nullptr;
        JavaPtr<sensor::SensorConnection> connection = java::lang::recastObj<sensor::SensorConnection>(
            javax::microedition::io::Connector::open((*found)[0]->getUrl()));
        connection->setDataListener(jnew<TiltLog>(), 0, 50, false, false, false);
        return connection;
    }
};

class DemoMIDlet : public MIDlet {
    JAVA_CLASS(DemoMIDlet, "demo.DemoMIDlet", MIDlet)
public:
    void startApp() override {
        log("demo: startApp");
        if (m_canvas) {
            ++m_canvas->resumes;
            return;
        }
        m_canvas = jnew<DemoCanvas>();
        m_canvas->WENDinvokeconstructor();
        Display::getDisplay()->setCurrent(JavaPtr<Displayable>(m_canvas));
        m_painter = jnew<java::lang::Thread>();
        m_painter->WENDinvokeconstructor(JavaPtr<java::lang::Runnable>(m_canvas));
        m_painter->start();
        m_tilt = TiltLog::listen();
    }
    void pauseApp() override { log("demo: pauseApp"); }
    void destroyApp(bool unconditional) override {
        log("demo: destroyApp");
        if (m_canvas) m_canvas->stopping = true;
        if (m_tilt) m_tilt->close();
        notifyDestroyed();
    }

private:
    JavaPtr<DemoCanvas> m_canvas;
    JavaPtr<java::lang::Thread> m_painter;
    JavaPtr<sensor::SensorConnection> m_tilt;
};

}  // namespace

JavaPtr<MIDlet> makeDemoMIDlet() {
    JavaPtr<DemoMIDlet> midlet = jnew<DemoMIDlet>();
    midlet->WENDinvokeconstructor();
    return midlet;
}

}  // namespace demo
