#include "host/BrowserLauncher.h"

#include <atomic>
#include <cctype>
#include <cstdio>
#include <string_view>

#include "runtime/HostBridge.h"

namespace {

void logRequest(const char* url) {
    std::printf("platformRequest: %s\n", url);
    std::fflush(stdout);
}

std::atomic<BrowserLauncher::Opener> currentOpener{logRequest};

bool isSchemeCharacter(unsigned char c) { return std::isalnum(c) || c == '+' || c == '-' || c == '.'; }

}  // namespace

void BrowserLauncher::setOpener(Opener opener) {
    currentOpener.store(opener ? opener : logRequest, std::memory_order_release);
}

bool BrowserLauncher::isURL(const char* text) {
    if (!text) return false;
    const std::string_view url(text);
    const size_t colon = url.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon + 1 == url.size()) return false;
    if (!std::isalpha(static_cast<unsigned char>(url[0]))) return false;
    for (size_t i = 1; i < colon; ++i) {
        if (!isSchemeCharacter(static_cast<unsigned char>(url[i]))) return false;
    }
    for (const char c : url) {
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7F) return false;
    }
    return true;
}

int32_t BrowserLauncher::launchBrowserURL(const char* url) {
    if (!isURL(url)) return 0;
    currentOpener.load(std::memory_order_acquire)(url);
    return 1;
}

int32_t URLplatformRequest(const char* url) { return BrowserLauncher::launchBrowserURL(url); }
