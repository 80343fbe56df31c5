// Fuzzes the "wlbmpfnt" reader; a font that parses is measured and every glyph rasterised.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/lcdui/BitmapFontSystem.h"

using javax::microedition::lcdui::BitmapFontSystem;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto font = BitmapFontSystem::parse({data, size});
    if (!font) return 0;
    const char16_t sample[] = u"Az ?0\u00e9";
    (void)font->measure(sample, 6);
    std::vector<uint8_t> coverage;
    for (uint32_t entry : font->m_charToIndex) {
        const auto glyph = static_cast<int32_t>(entry >> 16);
        coverage.resize(static_cast<size_t>(std::max(font->m_charWidths[glyph], 0)) * font->m_fontHeight);
        font->rasterise(glyph, coverage.data());
    }
    return 0;
}
