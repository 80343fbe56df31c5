// A small synthetic "wlbmpfnt" font in either form, and installing one as the runtime's font.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/io/FileSystem.h"
#include "runtime/lcdui/BitmapFontSystem.h"
#include "tools/writers/RuntimeFontFile.h"

namespace lcduitest {

using SyntheticGlyph = writers::RuntimeFontGlyph;
using SyntheticFont = writers::RuntimeFont;

inline SyntheticFont sampleFont(bool eightBit) {
    SyntheticFont font;
    font.eightBit = eightBit;
    font.glyphs = {
        {u'A', 1, {".##.", "#..#", "####", "#..#", "#..#"}},
        {u'B', 1, {"###.", "#..#", "###.", "#..#", "###."}},
        {u'b', 0, {"#..", "#..", "##.", "#.#", "##."}},
        {u'c', 3, {eightBit ? "+#" : "##", "#.", "##"}},
        {u'x', 3, {"#.#", ".#.", "#.#"}},
        {u'y', 4, {"#.#", "#.#", ".#.", "#..", "#.."}},
        {u'z', 3, {"###", ".#.", "###"}},
    };
    return font;
}

// Makes these bytes the bundle's font file and loads it as the runtime's font.
inline bool installFont(const std::vector<uint8_t>& bytes) {
    const auto bundle = std::filesystem::temp_directory_path() / ("lexivo-lcdui-font-" + std::to_string(::getpid()));
    std::filesystem::create_directories(bundle);
    std::ofstream(bundle / "wlbmpfnt", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    java::io::FileSystem::setDirectories(bundle.string(), (bundle / "documents").string());
    javax::microedition::lcdui::BitmapFontSystem::BitmapFontSystem_staticDestroy();
    javax::microedition::lcdui::INTERNAL_BMP_FONT_RESNAME = "wlbmpfnt";
    return javax::microedition::lcdui::BitmapFontSystem::init();
}

}  // namespace lcduitest
