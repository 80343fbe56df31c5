// Feeds arbitrary bytes, cut into lines as libcurl hands them, to the response header parser.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "runtime/connections/HttpResponseHeader.h"

using javax::microedition::io::HttpResponseHeader;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    HttpResponseHeader header;
    size_t start = 0;
    while (start < input.size()) {
        const size_t end = input.find('\n', start);
        const size_t stop = end == std::string_view::npos ? input.size() : end + 1;
        if (!header.addLine(input.substr(start, stop - start))) std::abort();
        start = stop;
    }
    if (header.statusLine().find_first_of("\r\n") != std::string_view::npos) std::abort();
    if (header.hasStatusLine() != header.statusLine().starts_with("HTTP/")) std::abort();
    size_t total = 0;
    for (const auto& [name, value] : header.fields()) {
        if (name.empty() || name.find_first_of("\r\n") != std::string_view::npos) std::abort();
        total += name.size() + value.size();
    }
    if (total > size) std::abort();
    return 0;
}
