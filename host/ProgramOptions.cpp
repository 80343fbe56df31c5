#include "host/ProgramOptions.h"

#include <unistd.h>

#include <charconv>
#include <string_view>
#include <vector>

#include "host/ScreenProfile.h"

namespace {

bool takesValue(std::string_view name) {
    return name == "--script" || name == "--capture" || name == "--bundle" || name == "--documents" ||
           name == "--device" || name == "--zoom" || name == "--midlet" || name == "--gpsd";
}

// HOST:PORT, the host perhaps an IPv6 address in brackets.
void splitHostAndPort(const std::string& text, std::string& host, std::string& port) {
    const size_t colon = text.rfind(':');
    const auto bad = [&text] {
        return std::invalid_argument("--gpsd takes HOST:PORT with a port from 1 to 65535, not '" + text + "'");
    };
    if (colon == std::string::npos || colon == 0) throw bad();
    std::string name = text.substr(0, colon);
    if (name.size() > 2 && name.front() == '[' && name.back() == ']') name = name.substr(1, name.size() - 2);
    const std::string number = text.substr(colon + 1);
    int value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc{} || end != number.data() + number.size() || value < 1 || value > 65535) throw bad();
    host = name;
    port = number;
}

}  // namespace

ProgramOptions ProgramOptions::parse(std::span<const char* const> arguments) {
    ProgramOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        std::string_view name = argument;
        std::optional<std::string_view> value;
        if (const size_t equals = argument.find('='); argument.starts_with("--") && equals != std::string_view::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
        }
        if (name == "--headless" || name == "--help") {
            if (value) throw std::invalid_argument(std::string(name) + " takes no value");
            (name == "--headless" ? options.headless : options.help) = true;
            continue;
        }
        if (!takesValue(name)) throw std::invalid_argument("unknown option '" + std::string(argument) + "'");
        if (!value) {
            if (i + 1 >= arguments.size()) throw std::invalid_argument(std::string(name) + " needs a value");
            value = arguments[++i];
        }
        if (value->empty()) throw std::invalid_argument(std::string(name) + " needs a value");
        const std::string text(*value);
        if (name == "--script") {
            options.scriptFile = text;
        } else if (name == "--capture") {
            options.captureDirectory = text;
        } else if (name == "--bundle") {
            options.bundleDirectory = text;
        } else if (name == "--documents") {
            options.documentsDirectory = text;
        } else if (name == "--midlet") {
            options.midlet = text;
        } else if (name == "--gpsd") {
            splitHostAndPort(text, options.gpsdHost, options.gpsdPort);
        } else if (name == "--device") {
            if (!ScreenProfile::find(text)) {
                std::string known;
                for (const DeviceScreen& device : ScreenProfile::knownDevices())
                    known += std::string(" ") + device.machine;
                throw std::invalid_argument("unknown device '" + text + "'; known:" + known);
            }
            options.device = text;
        } else {
            int zoom = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), zoom);
            if (error != std::errc{} || end != text.data() + text.size() || zoom < 1 || zoom > MAX_ZOOM)
                throw std::invalid_argument("--zoom takes a whole number from 1 to " + std::to_string(MAX_ZOOM) +
                                            ", not '" + text + "'");
            options.zoom = zoom;
        }
    }
    return options;
}

std::string ProgramOptions::usage() {
    return "usage: lexivo-quiz [options]\n"
           "  --headless        run without a window (also when no display can be opened)\n"
           "  --script FILE     run the commands of FILE (headless, or alongside the window)\n"
           "  --capture DIR     where capture writes its PNG files (default: a new temporary directory)\n"
           "  --bundle DIR      the read-only application files (default: the executable's directory)\n"
           "  --documents DIR   the saved progress (default: $XDG_DATA_HOME/lexivo-quiz,\n"
           "                    else ~/.local/share/lexivo-quiz; created when missing)\n"
           "  --device NAME     the device to be, by machine name (default: iPhone3,1)\n"
           "  --zoom N          window pixels per screen point, 1 to 8 (default: 1)\n"
           "  --midlet NAME     the MIDlet to run: \"app\", the quiz application, or a\n"
           "                    demonstration; --midlet list names them\n"
           "  --gpsd HOST:PORT  where the window's location fixes come from (default: localhost:2947)\n"
           "  --help            this text\n";
}

std::string executableDirectory() {
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<size_t>(length) >= buffer.size())
        throw std::runtime_error("cannot find the executable's directory through /proc/self/exe");
    std::string path(buffer.data(), static_cast<size_t>(length));
    const size_t slash = path.rfind('/');
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string defaultDocumentsDirectory(const char* xdgDataHome, const char* home) {
    // Relative values of either variable are ignored, as the base-directory rules ask.
    if (xdgDataHome && xdgDataHome[0] == '/') return std::string(xdgDataHome) + "/lexivo-quiz";
    if (home && home[0] == '/') return std::string(home) + "/.local/share/lexivo-quiz";
    throw std::runtime_error("no documents directory: neither XDG_DATA_HOME nor HOME is an absolute path; "
                             "give one with --documents");
}
