// Collects a response's status line and header fields from the lines the transfer hands over,
// keeping only the last response's (a redirect or an interim 1xx starts a new one).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace javax::microedition::io {

class HttpResponseHeader {
public:
    // The most header bytes one exchange takes, over every response it passes through.
    static constexpr size_t MAX_BYTES = 16 * 1024 * 1024;

    // One line with its CR LF (or without, at the end). False when the header grows past
    // MAX_BYTES. Bytes from 0x80 stay as they are, to be read as Latin-1.
    bool addLine(std::string_view line);

    bool hasStatusLine() const { return m_hasStatusLine; }
    const std::string& statusLine() const { return m_statusLine; }
    // In arrival order, duplicates kept, values without surrounding blanks.
    const std::vector<std::pair<std::string, std::string>>& fields() const { return m_fields; }

private:
    bool m_hasStatusLine = false;
    std::string m_statusLine;
    std::vector<std::pair<std::string, std::string>> m_fields;
    size_t m_bytes = 0;
};

}  // namespace javax::microedition::io
