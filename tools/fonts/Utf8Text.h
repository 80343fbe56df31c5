// UTF-8 to code points and back, for the build-time tools' text handling.
#pragma once

#include <string>
#include <string_view>

namespace fonts {

// An ill-formed byte becomes U+FFFD.
std::u32string decodeUtf8(std::string_view bytes);
std::string encodeUtf8(std::u32string_view text);

}  // namespace fonts
