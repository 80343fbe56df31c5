// The windowed host's way of opening a URL: the desktop's own opener, xdg-open.
#pragma once

// Starts xdg-open on the URL and returns at once; a failure to start it is reported on stderr.
void openInDesktopBrowser(const char* url);
