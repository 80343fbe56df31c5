#include "runtime/connections/HttpUrl.h"

#include "runtime/lang/Exceptions.h"
#include "runtime/text/Integer.h"
#include "runtime/text/String.h"

namespace javax::microedition::io {

using java::lang::String;

namespace {

// Cuts rest at the last occurrence of the unit: the text after it, or null when absent.
JavaPtr<String> splitOffLast(JavaPtr<String>& rest, char16_t unit) {
    const int32_t at = rest->lastIndexOf(unit);
    if (at < 0) return nullptr;
    JavaPtr<String> after = rest->substring(at + 1);
    rest = rest->substring(0, at);
    return after;
}

}  // namespace

HttpUrlParts parseHttpUrl(const JavaPtr<String>& url) {
    if (!url) throw java::lang::NullPointerException();
    HttpUrlParts parts;
    const int32_t colon = url->indexOf(u':');
    parts.protocol = url->substring(0, colon < 0 ? 0 : colon);
    JavaPtr<String> rest = colon >= 0 && colon + 3 <= url->length() ? url->substring(colon + 3) : url->substring(url->length());

    JavaPtr<String> authority;
    const int32_t slash = rest->indexOf(u'/');
    if (slash < 0) {
        authority = rest;
        rest = rest->substring(rest->length());
    } else {
        authority = rest->substring(0, slash);
        rest = rest->substring(slash + 1);
    }

    const int32_t at = authority->indexOf(u'@');
    if (at >= 0) {
        parts.user = authority->substring(0, at);
        authority = authority->substring(at + 1);
        const int32_t userColon = parts.user->indexOf(u':');
        if (userColon >= 0) {
            parts.password = parts.user->substring(userColon + 1);
            parts.user = parts.user->substring(0, userColon);
        }
    }

    // An IPv6 address is bracketed and full of colons: the port's colon comes after the bracket.
    const int32_t hostEnd = authority->length() > 0 && authority->charAt(0) == u'[' ? authority->indexOf(u']') : -1;
    const int32_t portColon = authority->indexOf(u':', hostEnd + 1);
    if (portColon < 0) {
        parts.port = parts.protocol->length() == 4 ? 80 : 443;
    } else {
        parts.port = java::lang::Integer::parseInt(authority->substring(portColon + 1));
        authority = authority->substring(0, portColon);
    }
    parts.host = authority;

    parts.ref = splitOffLast(rest, u'#');
    parts.query = splitOffLast(rest, u'?');
    parts.params = splitOffLast(rest, u';');
    if (rest->length() == 0) return parts;
    const int32_t lastSlash = rest->lastIndexOf(u'/');
    if (lastSlash < 0) {
        parts.path = rest;
    } else {
        parts.path = rest->substring(0, lastSlash);
        parts.file = rest->substring(lastSlash + 1);
    }
    return parts;
}

}  // namespace javax::microedition::io
