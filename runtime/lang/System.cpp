#include "runtime/lang/System.h"

#include <cstdio>
#include <mutex>
#include <string>

#include "runtime/io/PrintStream.h"
#include "runtime/lang/Clocks.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lang/UncaughtHandler.h"
#include "runtime/text/String.h"

namespace java::lang {

namespace {

struct DeviceProperties {
    std::string locale = "en-US";
    std::string platform = "iPhone";
    bool retina = true;
};

std::mutex devicePropertiesLock;
DeviceProperties deviceProperties;

}  // namespace

void checkArrayRange(int32_t arrayLength, int32_t position, int32_t count) {
    if (position < 0 || count < 0 || static_cast<int64_t>(position) + count > arrayLength)
        throw ArrayIndexOutOfBoundsException();
}

void System::System_staticInit() {
    out = jnew<java::io::PrintStream>(stdout);
    err = jnew<java::io::PrintStream>(stderr);
}

void System::System_staticDestroy() {
    out = nullptr;
    err = nullptr;
}

int64_t System::currentTimeMillis() { return clocks::wallMillis(); }

void System::setDeviceProperties(const char* locale, const char* platform, bool retina) {
    std::lock_guard<std::mutex> guard(devicePropertiesLock);
    deviceProperties.locale = locale;
    for (char& c : deviceProperties.locale)
        if (c == '_') c = '-';
    deviceProperties.platform = platform;
    deviceProperties.retina = retina;
}

JavaPtr<String> System::getProperty(const JavaPtr<String>& key) {
    if (!key) throw NullPointerException();
    static constexpr const char* fixed[][2] = {
        {"microedition.encoding", "ISO8859-1"},
        {"microedition.configuration", "CLDC-1.1"},
        {"microedition.profiles", "MIDP-2.0"},
        {"microedition.location.version", "1.0"},
    };
    for (const auto& [name, value] : fixed)
        if (key->equals(jnew<String>(name))) return jnew<String>(value);
    std::lock_guard<std::mutex> guard(devicePropertiesLock);
    if (key->equals(jnew<String>("microedition.locale"))) return jnew<String>(deviceProperties.locale.c_str());
    if (key->equals(jnew<String>("microedition.platform"))) return jnew<String>(deviceProperties.platform.c_str());
    if (key->equals(jnew<String>("ios.retina"))) return jnew<String>(deviceProperties.retina ? "true" : "false");
    return nullptr;
}

void reportUncaught(std::exception_ptr error) noexcept {
    try {
        try {
            std::rethrow_exception(error);
        } catch (Throwable& thrown) {
            if (System::err) {
                thrown.printStackTrace();
            } else {
                std::fprintf(stderr, "%s\n", thrown.toString()->val());
            }
        } catch (std::exception& thrown) {
            std::fprintf(stderr, "uncaught: %s\n", thrown.what());
        }
    } catch (...) {
        std::fputs("uncaught exception of unknown type\n", stderr);
    }
}

}  // namespace java::lang
