// The parts of an "http://" or "https://" name that an HTTP connection's getters answer; the
// request itself always goes to the name exactly as given.
#pragma once

#include <cstdint>

#include "runtime/lang/JavaPtr.h"

namespace java::lang { class String; }

namespace javax::microedition::io {

struct HttpUrlParts {
    JavaPtr<java::lang::String> protocol;
    JavaPtr<java::lang::String> user;
    JavaPtr<java::lang::String> password;
    JavaPtr<java::lang::String> host;
    JavaPtr<java::lang::String> path;
    JavaPtr<java::lang::String> file;
    JavaPtr<java::lang::String> params;
    JavaPtr<java::lang::String> query;
    JavaPtr<java::lang::String> ref;
    int32_t port = 80;
};

// Splits at the first ':' and "://", the authority's '@' and ':', then the last '#', '?', ';'
// and '/' of the path. A port that is no number passes Integer::parseInt's NumberFormatException
// out; a name without "://" after its scheme has an empty remainder.
HttpUrlParts parseHttpUrl(const JavaPtr<java::lang::String>& url);

}  // namespace javax::microedition::io
