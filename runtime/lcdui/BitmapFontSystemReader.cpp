// Parsing the "wlbmpfnt" file: header, glyph table, run-length coded atlas, character map.
// Every count, box and run is checked against the file and the tables before anything is written.
#include <algorithm>
#include <cstring>
#include <utility>

#include "runtime/lcdui/BitmapFontSystem.h"

namespace javax::microedition::lcdui {

namespace {

// Big-endian reads that turn any read past the end into a failure flag.
class FontFileReader {
public:
    explicit FontFileReader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

    bool failed() const { return m_failed; }
    size_t remaining() const { return m_failed ? 0 : m_bytes.size() - m_position; }

    uint8_t u8() {
        if (remaining() < 1) {
            m_failed = true;
            return 0;
        }
        return m_bytes[m_position++];
    }
    int32_t s8() { return static_cast<int8_t>(u8()); }
    int32_t s16() { return static_cast<int16_t>(u16()); }
    uint16_t u16() {
        const uint8_t high = u8();
        const uint8_t low = u8();
        return static_cast<uint16_t>(high << 8 | low);
    }

private:
    std::span<const uint8_t> m_bytes;
    size_t m_position = 0;
    bool m_failed = false;
};

struct GlyphBox {
    int32_t x, y, width, height;
};

// Far beyond any real font; keeps a hostile header from asking for gigabytes.
constexpr int64_t MAX_ATLAS_PIXELS = int64_t{1} << 26;
constexpr int64_t MAX_PACKED_WORDS = int64_t{1} << 24;
constexpr int32_t MAX_GLYPH_WIDTH = 32;

bool decodeAtlas(FontFileReader& in, int32_t valueBits, std::vector<uint8_t>& atlas) {
    const size_t total = atlas.size();
    // The densest run coding bounds how many pixels the rest of the file can describe.
    const uint64_t pixelsPerByte = valueBits == 8 ? 128 : uint64_t{1} << (8 - valueBits);
    if (total > in.remaining() * pixelsPerByte) return false;
    size_t filled = 0;
    while (filled < total) {
        uint8_t value;
        size_t run;
        if (valueBits == 8) {
            value = in.u8();
            run = static_cast<size_t>(in.u8()) + 1;
        } else {
            const uint8_t byte = in.u8();
            value = static_cast<uint8_t>(byte >> (8 - valueBits));
            run = static_cast<size_t>(byte & ((1u << (8 - valueBits)) - 1)) + 1;
        }
        if (in.failed() || run > total - filled) return false;
        std::memset(atlas.data() + filled, value, run);
        filled += run;
    }
    return true;
}

}  // namespace

std::shared_ptr<const BitmapFontSystem::Tables> BitmapFontSystem::parse(std::span<const uint8_t> bytes) {
    FontFileReader in(bytes);
    auto font = std::make_shared<Tables>();
    int32_t valueBits = 4;
    if (in.u8() == 0xBD) {
        const int32_t version = in.s16();
        valueBits = in.s8();
        if (version == 0 && valueBits == 8) {
            in.u8();
            font->m_bpp = 8;
        }
    }
    if (valueBits < 1 || valueBits > 8) return nullptr;

    const int32_t atlasWidth = in.s16(), atlasHeight = in.s16();
    const int32_t glyphsPerRow = in.s16(), glyphRows = in.s16();
    if (in.failed() || atlasWidth <= 0 || atlasHeight <= 0 || glyphsPerRow <= 0 || glyphRows <= 0) return nullptr;
    const int64_t glyphCount = static_cast<int64_t>(glyphsPerRow) * glyphRows;
    if (glyphCount > 0xFFFF || static_cast<uint64_t>(glyphCount) * 8 > in.remaining()) return nullptr;
    font->m_fontHeight = atlasHeight / glyphRows;
    const int32_t fontHeight = font->m_fontHeight;
    if (fontHeight < 1) return nullptr;

    std::vector<GlyphBox> boxes(static_cast<size_t>(glyphCount) + 1, GlyphBox{0, 0, 0, 0});
    for (int64_t i = 0; i < glyphCount; ++i) {
        GlyphBox& box = boxes[static_cast<size_t>(i)];
        box = {in.s16(), in.s16(), in.s16(), in.s16()};
        // A glyph outside the atlas, wider than a packed row or taller than its slot cannot be packed.
        if (box.x < 0 || box.y < 0 || box.width < 0 || box.height < 0 || box.width > MAX_GLYPH_WIDTH ||
            box.height > fontHeight || box.x + box.width > atlasWidth || box.y + box.height > atlasHeight)
            return nullptr;
        font->m_widestCharWidth = std::max(font->m_widestCharWidth, box.width);
    }
    in.u8();
    if (in.failed() || static_cast<int64_t>(atlasWidth) * atlasHeight > MAX_ATLAS_PIXELS) return nullptr;
    std::vector<uint8_t> atlas(static_cast<size_t>(atlasWidth) * atlasHeight);
    if (!decodeAtlas(in, valueBits, atlas)) return nullptr;

    const int32_t charCount = in.s16();
    const uint16_t spaceWord = in.u16();
    if (in.failed() || charCount < 0 || charCount > glyphCount || static_cast<size_t>(charCount) * 2 > in.remaining())
        return nullptr;
    const int64_t packedWords = (static_cast<int64_t>(charCount) + 1) * fontHeight * font->m_bpp;
    if (packedWords > MAX_PACKED_WORDS) return nullptr;

    font->m_charWidths.resize(boxes.size());
    for (size_t i = 0; i < boxes.size(); ++i) font->m_charWidths[i] = boxes[i].width;
    font->m_charWidths[static_cast<size_t>(charCount)] = (spaceWord & 0xFF) + static_cast<int8_t>(spaceWord >> 8);

    // Equal codes end up latest-first, as inserting each before its equals would leave them.
    std::vector<std::pair<uint16_t, int32_t>> codes;
    codes.reserve(static_cast<size_t>(charCount) + 1);
    for (int32_t k = 0; k < charCount; ++k) codes.emplace_back(in.u16(), k);
    codes.emplace_back(uint16_t{0x20}, charCount);
    std::sort(codes.begin(), codes.end(),
              [](const auto& a, const auto& b) { return a.first != b.first ? a.first < b.first : a.second > b.second; });
    font->m_charToIndex.reserve(codes.size());
    for (const auto& [code, glyph] : codes)
        font->m_charToIndex.push_back(code | static_cast<uint32_t>(glyph) << 16);

    font->m_packedPixelData.assign(static_cast<size_t>(packedWords), 0);
    for (int32_t glyph = charCount - 1; glyph >= 0; --glyph) {
        const GlyphBox& box = boxes[static_cast<size_t>(glyph)];
        for (int32_t row = 0; row < box.height; ++row) {
            const uint8_t* source = atlas.data() + static_cast<size_t>(box.y + row) * atlasWidth + box.x;
            uint32_t* words = font->m_packedPixelData.data() +
                              (static_cast<size_t>(glyph) * fontHeight + static_cast<size_t>(row)) * font->m_bpp;
            for (int32_t c = 0; c < box.width; ++c) {
                if (font->m_bpp == 1) {
                    if (source[c] != 0) words[0] |= 1u << c;
                } else {
                    words[c / 4] |= static_cast<uint32_t>(source[c]) << (8 * (c % 4));
                }
            }
        }
    }

    font->m_charYOffset.resize(boxes.size());
    for (size_t i = 0; i < boxes.size(); ++i)
        font->m_charYOffset[i] = boxes[i].y - fontHeight * static_cast<int32_t>(i / static_cast<size_t>(glyphsPerRow));
    font->finish();
    return font;
}

}  // namespace javax::microedition::lcdui
