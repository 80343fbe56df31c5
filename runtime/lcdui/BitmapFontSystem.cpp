#include "runtime/lcdui/BitmapFontSystem.h"

#include <algorithm>
#include <mutex>
#include <string>

#include "runtime/io/InputStream.h"
#include "runtime/lang/Class.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

namespace {

std::mutex& tablesLock() {
    static std::mutex lock;
    return lock;
}
std::shared_ptr<const BitmapFontSystem::Tables>& loadedTables() {
    static std::shared_ptr<const BitmapFontSystem::Tables> loaded;
    return loaded;
}

// The built font takes 26 KB; six hundred times that is no font, and is not read.
constexpr int32_t MAX_FONT_FILE_BYTES = 16 << 20;

// The whole resource, or empty when it cannot be read or is larger than MAX_FONT_FILE_BYTES.
std::vector<uint8_t> readResource(const std::string& name) {
    auto path = java::lang::jnew<java::lang::String>(("/" + name).c_str());
    auto owner = java::lang::jnew<java::lang::Object>();
    JavaPtr<java::io::InputStream> in = owner->getClass()->getResourceAsStream(path);
    if (!in) return {};
    std::vector<uint8_t> bytes;
    const int32_t available = in->available();
    if (available <= 0 || available > MAX_FONT_FILE_BYTES) return {};
    bytes.reserve(static_cast<size_t>(available));
    auto chunk = java::lang::jnew<JArray<signed char>>(std::min(available, 65536));
    while (bytes.size() < static_cast<size_t>(available)) {
        const int32_t count = in->read(chunk, 0, chunk->length);
        if (count <= 0) break;
        bytes.insert(bytes.end(), chunk->data, chunk->data + count);
    }
    in->close();
    return bytes;
}

// Each glyph's and each low code's drawing entry, and the line's rows any glyph inks, from the
// coverage rows finish has built.
void buildInk(BitmapFontSystem::Tables& font) {
    font.m_glyphInk.reserve(font.m_charWidths.size());
    for (size_t glyph = 0; glyph < font.m_charWidths.size(); ++glyph) {
        const auto [inkTop, inkBottom] = font.m_inkedRows[glyph];
        const int32_t top = font.m_charYOffset[glyph] + inkTop;
        if (inkTop != inkBottom) {
            const bool first = font.m_inkTop == font.m_inkBottom;
            font.m_inkTop = first ? top : std::min(font.m_inkTop, top);
            font.m_inkBottom = first ? top + inkBottom - inkTop : std::max(font.m_inkBottom, top + inkBottom - inkTop);
        }
        font.m_advancesForward = font.m_advancesForward && font.m_charWidths[glyph] >= 0;
        font.m_glyphInk.push_back({font.m_charWidths[glyph] + 1, 0, top, inkBottom - inkTop,
                                   (glyph * font.m_fontHeight + inkTop) * font.m_coverageStride});
    }
    for (size_t c = 0; c < font.m_lowInk.size(); ++c)
        if (font.m_lowGlyphs[c] >= 0) font.m_lowInk[c] = font.m_glyphInk[static_cast<size_t>(font.m_lowGlyphs[c])];
}

}  // namespace

std::shared_ptr<const BitmapFontSystem::Tables> BitmapFontSystem::tables() {
    std::lock_guard guard(tablesLock());
    return loadedTables();
}

bool BitmapFontSystem::init() {
    if (tables()) return true;
    const char* name = INTERNAL_BMP_FONT_RESNAME;
    if (!name || !*name) return false;
    std::vector<uint8_t> bytes;
    try {
        bytes = readResource(name);
    } catch (const java::lang::Throwable&) {
        return false;
    }
    if (bytes.empty()) return false;
    auto parsed = parse(bytes);
    if (!parsed) return false;
    std::lock_guard guard(tablesLock());
    if (!loadedTables()) loadedTables() = std::move(parsed);
    return true;
}

void BitmapFontSystem::BitmapFontSystem_staticDestroy() {
    std::lock_guard guard(tablesLock());
    loadedTables().reset();
}

int32_t BitmapFontSystem::Tables::searchGlyph(jchar c) const {
    auto found = std::lower_bound(m_charToIndex.begin(), m_charToIndex.end(), c,
                                  [](uint32_t entry, jchar code) { return (entry & 0xFFFFu) < code; });
    if (found == m_charToIndex.end() || (*found & 0xFFFFu) != c) return -1;
    return static_cast<int32_t>(*found >> 16);
}

void BitmapFontSystem::Tables::finish() {
    for (size_t c = 0; c < m_lowGlyphs.size(); ++c) {
        m_lowGlyphs[c] = searchGlyph(static_cast<jchar>(c));
        m_lowAdvances[c] = glyphAdvance(m_lowGlyphs[c]);
    }
    // Packed rows hold at most 32 pixels; a wider advance (the space) is blank beyond them.
    int32_t widest = 0;
    for (int32_t width : m_charWidths) widest = std::max(widest, std::min(width, 32));
    m_coverageStride = (widest + 3) & ~3;
    m_coverage.assign(m_charWidths.size() * m_fontHeight * m_coverageStride, 0);
    m_inkedRows.assign(m_charWidths.size(), {0, 0});
    // The atlas may box more glyphs than the file maps to characters; only the mapped ones (and
    // the space after them) are packed, and no character reaches the rest.
    const size_t packed = m_packedPixelData.size() / (static_cast<size_t>(m_fontHeight) * m_bpp);
    for (size_t glyph = 0; glyph < std::min(m_charWidths.size(), packed); ++glyph) {
        const int32_t packedWidth = std::clamp(m_charWidths[glyph], 0, 32);
        auto& [inkTop, inkBottom] = m_inkedRows[glyph];
        for (int32_t row = 0; row < m_fontHeight; ++row) {
            const uint32_t* words = m_packedPixelData.data() + (glyph * m_fontHeight + row) * m_bpp;
            uint8_t* line = m_coverage.data() + (glyph * m_fontHeight + row) * m_coverageStride;
            for (int32_t i = 0; i < packedWidth; ++i) {
                line[i] = m_bpp == 1 ? ((words[0] >> i) & 1u ? 255 : 0)
                                     : static_cast<uint8_t>(words[i / 4] >> (8 * (i % 4)));
            }
            if (std::any_of(line, line + packedWidth, [](uint8_t c) { return c != 0; })) {
                if (inkTop == inkBottom) inkTop = row;
                inkBottom = row + 1;
            }
        }
    }
    buildInk(*this);
    m_packedPixelData = {};
}

int64_t BitmapFontSystem::Tables::measure(const jchar* units, int32_t count) const {
    int64_t width = 0;
    for (int32_t i = 0; i < count; ++i) width += advance(units[i]);
    return width;
}

void BitmapFontSystem::Tables::rasterise(int32_t glyph, uint8_t* out) const {
    const int32_t width = std::max(m_charWidths[static_cast<size_t>(glyph)], 0);
    const int32_t packedWidth = std::min(width, 32);
    for (int32_t row = 0; row < m_fontHeight; ++row) {
        uint8_t* line = out + static_cast<size_t>(row) * width;
        std::fill_n(line, width, uint8_t{0});
        std::copy_n(coverageRow(glyph, row), packedWidth, line);
    }
}

}  // namespace javax::microedition::lcdui
