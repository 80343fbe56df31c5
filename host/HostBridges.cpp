// The bridge functions of HostBridge.h that answer from the device profile, the environment and
// the file system, and the hand-off of location updates to the UI thread.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "host/LocationManager.h"
#include "host/ScreenProfile.h"
#include "platform/UiThread.h"
#include "runtime/HostBridge.h"

namespace {

// "de_DE.UTF-8@euro" gives "de_DE"; anything that is no language_REGION gives "".
std::string localeIdentifier(std::string_view value) {
    value = value.substr(0, value.find_first_of(".@"));
    if (value.empty() || value == "C" || value == "POSIX") return {};
    for (const char c : value)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return {};
    return std::string(value);
}

// Each distinct answer is kept for the life of the process, so that earlier answers stay valid.
const char* intern(std::string text) {
    static std::mutex lock;
    static std::set<std::string> texts;
    std::lock_guard guard(lock);
    return texts.insert(std::move(text)).first->c_str();
}

struct DirectoryListing {
    std::mutex lock;
    std::deque<std::string> entries;
    size_t next = 0;
    bool running = false;
};

DirectoryListing& listing() {
    static DirectoryListing instance;
    return instance;
}

void listInto(const std::filesystem::path& directory, const std::string& prefix, std::deque<std::string>& out) {
    std::error_code error;
    std::vector<std::filesystem::directory_entry> children;
    for (std::filesystem::directory_iterator it(directory, error), end; !error && it != end; it.increment(error))
        children.push_back(*it);
    std::sort(children.begin(), children.end(),
              [](const auto& a, const auto& b) { return a.path().filename().native() < b.path().filename().native(); });
    for (const auto& child : children) {
        const std::string relative = prefix + child.path().filename().native();
        out.push_back(relative);
        if (child.is_directory(error) && !child.is_symlink(error)) listInto(child.path(), relative + "/", out);
    }
}

}  // namespace

const char* getLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        // The first variable that is set decides, as it does for the C library.
        std::string identifier = localeIdentifier(value);
        return intern(identifier.empty() ? "en_US" : identifier);
    }
    return intern("en_US");
}

int32_t isRetinaDisplay() { return ScreenProfile::isARetinaDisplay(ScreenProfile::current()) ? 1 : 0; }
int32_t isIPad() { return ScreenProfile::isAnIPad(ScreenProfile::current()) ? 1 : 0; }
int32_t isIPhone() { return ScreenProfile::isAnIPhone(ScreenProfile::current()) ? 1 : 0; }

char* utf8EncodeString(const uint16_t* units, int32_t length) {
    if (!units || length < 0) length = 0;
    auto* out = static_cast<char*>(std::malloc(static_cast<size_t>(length) * 3 + 1));
    if (!out) return nullptr;
    size_t at = 0;
    for (int32_t i = 0; i < length; ++i) {
        const uint32_t u = units[i];
        if (u < 0x80) {
            out[at++] = static_cast<char>(u);
        } else if (u < 0x800) {
            out[at++] = static_cast<char>(0xC0 | (u >> 6));
            out[at++] = static_cast<char>(0x80 | (u & 0x3F));
        } else {
            out[at++] = static_cast<char>(0xE0 | (u >> 12));
            out[at++] = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            out[at++] = static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    out[at] = 0;
    return out;
}

void directoryFileListStart(const char* path) {
    std::deque<std::string> entries;
    if (path && *path) listInto(std::filesystem::path(path), "", entries);
    DirectoryListing& state = listing();
    std::lock_guard guard(state.lock);
    state.entries = std::move(entries);
    state.next = 0;
    state.running = true;
}

const char* directoryFileListNext() {
    DirectoryListing& state = listing();
    std::lock_guard guard(state.lock);
    if (!state.running) return nullptr;
    if (state.next < state.entries.size()) return state.entries[state.next++].c_str();
    state.running = false;
    state.entries.clear();
    state.next = 0;
    return nullptr;
}

void startLocationManager() {
    if (!LocationManager::exists()) UiThread::runAndWait([] { LocationManager::listen(); });
    LocationManager::startUpdatingLocation();
}

void stopLocationManager() { LocationManager::stopUpdatingLocation(); }
