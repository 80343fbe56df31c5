// Opens URLs for platform requests. Until the host chooses an opener (the windowed host starts a
// browser), a request is written to standard output, which is what the headless host keeps.
#pragma once

#include <cstdint>

class BrowserLauncher {
public:
    using Opener = void (*)(const char* url);

    static void setOpener(Opener opener);
    // 1 when the opener was asked to open the URL; 0, asking nothing, when the text is no URL.
    static int32_t launchBrowserURL(const char* url);
    // An absolute URL: a scheme (a letter, then letters, digits, '+', '-' or '.'), a colon,
    // something after it, and no spaces or control characters anywhere.
    static bool isURL(const char* text);
};
