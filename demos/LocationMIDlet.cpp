#include "demos/LocationMIDlet.h"

#include <cstdio>
#include <string>

#include "demos/FlatCanvas.h"
#include "host/MIDlet.h"
#include "runtime/lcdui/Display.h"
#include "runtime/location/LocationProvider.h"
#include "runtime/text/String.h"

using java::lang::jnew;
using javax::microedition::lcdui::Display;
using javax::microedition::lcdui::Displayable;
using javax::microedition::midlet::MIDlet;
namespace location = javax::microedition::location;

namespace demo {

namespace {

constexpr int32_t BACKGROUND = 0x1E3A2E;
constexpr double POINT_LATITUDE = 48.86;
constexpr double POINT_LONGITUDE = 2.3522;
constexpr float POINT_RADIUS_METRES = 50;

std::string text(const JavaPtr<java::lang::String>& value) { return value ? value->val() : ""; }

std::string place(const JavaPtr<location::Coordinates>& point) {
    char line[64];
    std::snprintf(line, sizeof line, "%.5f %.5f", point->getLatitude(), point->getLongitude());
    return line;
}

void log(const std::string& line) {
    std::printf("location: %s\n", line.c_str());
    std::fflush(stdout);
}

class Listener : public java::lang::Object,
                 public location::LocationListener,
                 public location::ProximityListener {
    JAVA_CLASS(Listener, "demo.LocationListener", java::lang::Object, location::LocationListener,
               location::ProximityListener)
public:
    void locationUpdated(JavaPtr<location::LocationProvider>, JavaPtr<location::Location> fix) override {
        const JavaPtr<java::lang::String> info = fix->getExtraInfo(jnew<java::lang::String>("text/plain"));
        if (!fix->isValid()) {
            log("invalid \"" + text(info) + "\"");
            return;
        }
        const JavaPtr<location::QualifiedCoordinates> point = fix->getQualifiedCoordinates();
        char numbers[96];
        std::snprintf(numbers, sizeof numbers, " alt %.1f acc %.1f", point->getAltitude(),
                      point->getHorizontalAccuracy());
        log("fix " + place(point) + numbers + " \"" + text(info) + "\"");
    }
    void providerStateChanged(JavaPtr<location::LocationProvider>, int32_t state) override {
        log("provider state " + std::to_string(state));
    }
    void proximityEvent(JavaPtr<location::Coordinates> point, JavaPtr<location::Location> fix) override {
        log("proximity " + place(point) + " by fix " + place(fix->getQualifiedCoordinates()));
    }
};

class LocationMIDlet : public MIDlet {
    JAVA_CLASS(LocationMIDlet, "demo.LocationMIDlet", MIDlet)
public:
    void startApp() override {
        if (m_canvas) return;
        m_canvas = jnew<FlatCanvas>();
        m_canvas->WENDinvokeconstructor(BACKGROUND);
        Display::getDisplay()->setCurrent(JavaPtr<Displayable>(m_canvas));
        m_canvas->repaint();
        JavaPtr<Listener> listener = jnew<Listener>();
        m_provider = location::LocationProvider::getInstance(nullptr);
        m_provider->setLocationListener(listener, 1, -1, -1);
        location::LocationProvider::addProximityListener(
            listener, jnew<location::Coordinates>(POINT_LATITUDE, POINT_LONGITUDE, 0.0f), POINT_RADIUS_METRES);
    }
    void pauseApp() override {}
    void destroyApp(bool) override { notifyDestroyed(); }

private:
    JavaPtr<FlatCanvas> m_canvas;
    JavaPtr<location::LocationProvider> m_provider;
};

}  // namespace

JavaPtr<MIDlet> makeLocationMIDlet() {
    JavaPtr<LocationMIDlet> midlet = jnew<LocationMIDlet>();
    midlet->WENDinvokeconstructor();
    return midlet;
}

}  // namespace demo
