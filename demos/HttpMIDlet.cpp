#include "demos/HttpMIDlet.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "demos/FlatCanvas.h"
#include "host/MIDlet.h"
#include "runtime/connections/Connector.h"
#include "runtime/connections/HttpConnection.h"
#include "runtime/io/IOException.h"
#include "runtime/io/InputStream.h"
#include "runtime/lang/Runnable.h"
#include "runtime/lang/Thread.h"
#include "runtime/lcdui/Display.h"
#include "runtime/text/String.h"

using java::lang::jnew;
using javax::microedition::lcdui::Display;
using javax::microedition::lcdui::Displayable;
using javax::microedition::midlet::MIDlet;

namespace demo {

namespace {

constexpr int32_t BACKGROUND = 0x304020;

void log(const std::string& line) {
    std::printf("http: %s\n", line.c_str());
    std::fflush(stdout);
}

// One fetch, off the UI thread, since the exchange blocks until the response has ended.
class HttpFetcher : public java::lang::Object, public java::lang::Runnable {
    JAVA_CLASS(HttpFetcher, "demo.HttpFetcher", java::lang::Object, java::lang::Runnable)
public:
    void run() override {
        const char* url = std::getenv(HTTP_DEMO_URL_VARIABLE);
        if (!url || !*url) {
            log(std::string("no URL: set ") + HTTP_DEMO_URL_VARIABLE);
        } else {
            fetch(url);
        }
        log("done");
    }

private:
    static void fetch(const char* url) {
        using javax::microedition::io::HttpConnection;
        try {
            JavaPtr<HttpConnection> connection = java::lang::recastObj<HttpConnection>(
                javax::microedition::io::Connector::open(jnew<java::lang::String>(url)));
            if (!connection) throw java::io::IOException();
            const int32_t status = connection->getResponseCode();
            JavaPtr<java::io::InputStream> in = connection->openInputStream();
            std::string body;
            auto block = jnew<JArray<signed char>>(16384);
            for (int32_t n; (n = in->read(block, 0, block->length)) > 0;)
                body.append(reinterpret_cast<const char*>(block->data), static_cast<size_t>(n));
            connection->close();
            log("status " + std::to_string(status) + " length " + std::to_string(body.size()) + " checksum " +
                httpBodyChecksum(body));
        } catch (java::lang::Exception&) {
            log("failed");
        }
    }
};

class HttpMIDlet : public MIDlet {
    JAVA_CLASS(HttpMIDlet, "demo.HttpMIDlet", MIDlet)
public:
    void startApp() override {
        if (m_canvas) return;
        m_canvas = jnew<FlatCanvas>();
        m_canvas->WENDinvokeconstructor(BACKGROUND);
        Display::getDisplay()->setCurrent(JavaPtr<Displayable>(m_canvas));
        m_canvas->repaint();
        JavaPtr<java::lang::Thread> fetcher = jnew<java::lang::Thread>();
        fetcher->WENDinvokeconstructor(JavaPtr<java::lang::Runnable>(jnew<HttpFetcher>()));
        fetcher->start();
    }
    void pauseApp() override {}
    void destroyApp(bool) override { notifyDestroyed(); }

private:
    JavaPtr<FlatCanvas> m_canvas;
};

}  // namespace

std::string httpBodyChecksum(std::string_view body) {
    uint32_t hash = 2166136261u;
    for (unsigned char byte : body) hash = (hash ^ byte) * 16777619u;
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", hash);
    return digits;
}

JavaPtr<MIDlet> makeHttpMIDlet() {
    JavaPtr<HttpMIDlet> midlet = jnew<HttpMIDlet>();
    midlet->WENDinvokeconstructor();
    return midlet;
}

}  // namespace demo
