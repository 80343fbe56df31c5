#include "runtime/connections/HttpResponseHeader.h"

#include <algorithm>

namespace javax::microedition::io {

namespace {

std::string_view trimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool HttpResponseHeader::addLine(std::string_view line) {
    m_bytes += line.size();
    if (m_bytes > MAX_BYTES) return false;
    // A line ends at its first CR or LF: a bare CR inside it may not smuggle in text of its own.
    line = line.substr(0, std::min(line.find('\r'), line.find('\n')));
    if (line.empty()) return true;

    if (line.starts_with("HTTP/")) {
        m_hasStatusLine = true;
        m_statusLine.assign(line);
        m_fields.clear();
        return true;
    }
    if (!m_hasStatusLine) return true;
    // A folded line continues the previous field's value.
    if (line.front() == ' ' || line.front() == '\t') {
        if (!m_fields.empty()) {
            std::string& value = m_fields.back().second;
            if (!value.empty()) value += ' ';
            value += trimBlanks(line);
        }
        return true;
    }
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0) return true;
    m_fields.emplace_back(std::string(trimBlanks(line.substr(0, colon))), std::string(trimBlanks(line.substr(colon + 1))));
    return true;
}

}  // namespace javax::microedition::io
