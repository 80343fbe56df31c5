#include "tools/bundle/BundleBuilder.h"

#include <algorithm>
#include <fstream>
#include <set>

#include "tools/bundle/ArtCatalogue.h"
#include "tools/bundle/ArtStyle.h"
#include "tools/bundle/BundleSources.h"
#include "tools/bundle/GlyphRaster.h"
#include "tools/bundle/SoundSynth.h"
#include "tools/fonts/MainFont.h"
#include "tools/fonts/Utf8Text.h"
#include "tools/writers/BigEndian.h"
#include "tools/writers/EncodedImageFile.h"
#include "tools/writers/PngFile.h"
#include "tools/writers/ResourceBundle.h"

namespace bundle {

namespace {

constexpr const char* kLanguage = "en";

uint32_t argbOf(Colour c) {
    auto channel = [](double v) { return static_cast<uint32_t>(std::clamp(v, 0.0, 1.0) * 255 + 0.5); };
    return channel(c.a) << 24 | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

std::vector<uint8_t> pngOf(const ArtPiece& piece, int scale) {
    return writers::pngFile(piece.width * scale, piece.height * scale, renderArt(piece, scale));
}

// The image resource form the quiz loads without a palette: a whole PNG.
std::vector<uint8_t> imageResource(const ArtPiece& piece, int scale) {
    writers::EncodedImage image;
    image.form = writers::EncodedImage::Form::Png;
    image.width = piece.width * scale;
    image.height = piece.height * scale;
    image.png = pngOf(piece, scale);
    return image.bytes();
}

int scaleOf(const std::string& name) {
    auto endsWith = [&](const std::string& end) {
        return name.size() >= end.size() && name.compare(name.size() - end.size(), end.size(), end) == 0;
    };
    if (endsWith("_HIGH")) return 2;
    if (endsWith("_LOW")) return 1;
    throw BundleError(name + ": an image or font needs a _LOW or _HIGH ending");
}

std::string after(const std::string& source, const std::string& prefix, const std::string& name) {
    if (source.rfind(prefix, 0) != 0) throw BundleError(name + ": source " + source + " is not " + prefix + "...");
    return source.substr(prefix.size());
}

std::vector<uint8_t> intsBigEndian(const std::vector<int32_t>& values) {
    std::vector<uint8_t> out;
    for (int32_t v : values) writers::put32(out, v);
    return out;
}

std::vector<uint8_t> languageFile(const std::vector<LanguageString>& strings, const std::filesystem::path& file) {
    std::vector<std::vector<uint8_t>> entries;
    for (const LanguageString& s : strings) entries.push_back(writers::encodedString(s.text, s.guides));
    if (entries.size() != 36)
        throw BundleError(file.string() + ": holds " + std::to_string(entries.size()) + " strings, not 36");
    return writers::languageFile(entries);
}

}  // namespace

std::u32string mainFontCharacters(const std::filesystem::path& questions) {
    std::set<char32_t> characters;
    for (char32_t c = 0x20; c < 0x7F; ++c) characters.insert(c);
    for (char32_t c = 0xA0; c <= 0xFF; ++c) characters.insert(c);
    for (char32_t c : std::u32string(U"\u2018\u2019\u201C\u201D\u2013\u2014\u2026\u2022\u20AC")) characters.insert(c);
    for (char32_t c : questionCharacters(questions))
        if (c >= 0x20) characters.insert(c);
    return {characters.begin(), characters.end()};
}

BundleFiles buildBundle(const BundleInputs& inputs) {
    const std::vector<ManifestEntry> manifest = readManifest(inputs.manifest);
    const auto tables = readNumberTables(inputs.assets / "tables" / "numbers.txt");
    const std::u32string mainCharacters = mainFontCharacters(inputs.questions);
    const std::u32string missing = missingCharacters(fonts::MainFont::facePath, mainCharacters);
    if (!missing.empty())
        throw BundleError("the main font has no glyph for \"" + fonts::encodeUtf8(missing) +
                          "\", used by the questions");

    writers::ResourceBundle resources(1);
    const int32_t block = resources.addBlock(0);
    resources.languages[0] = kLanguage;
    const auto& art = artCatalogue();
    const uint32_t ink = argbOf(ArtStyle::ink);

    for (size_t i = 0; i < manifest.size();) {
        const ManifestEntry& entry = manifest[i];
        if (entry.kind == "image") {
            const std::string name = after(entry.source, "art/", entry.name);
            const auto piece = art.find(name);
            if (piece == art.end()) throw BundleError(entry.name + ": no drawing is named " + name);
            resources.addResource(block, imageResource(piece->second, scaleOf(entry.name)));
            ++i;
        } else if (entry.kind == "font-characters") {
            // The four resources of a font follow one another: characters, advances, sheet, palette.
            static const char* const parts[] = {"font-characters", "font-metrics", "font-image", "palette"};
            for (int k = 0; k < 4; ++k)
                if (i + k >= manifest.size() || manifest[i + k].kind != parts[k] || manifest[i + k].source != entry.source)
                    throw BundleError(entry.name + ": a font's four resources must follow one another");
            const std::string which = after(entry.source, "font/", entry.name);
            const int scale = scaleOf(entry.name);
            writers::FrameworkFont font;
            if (which == "main") {
                font = frameworkFont(fonts::MainFont::facePath, fonts::MainFont::pixelSize * scale, mainCharacters, ink);
            } else if (which == "numbers") {
                font = frameworkFont(BundleFonts::numbersFace, BundleFonts::numbersSize * scale, U"0123456789/", ink);
            } else {
                throw BundleError(entry.name + ": no font is named " + which);
            }
            font.addTo(resources, block);
            i += 4;
        } else if (entry.kind == "int-table" || entry.kind == "fade-sequence") {
            const std::string name = after(entry.source, "tables/", entry.name);
            const auto table = tables.find(name);
            if (table == tables.end()) throw BundleError(entry.name + ": tables/numbers.txt has no " + name);
            if (entry.kind == "int-table") {
                resources.addResource(block, intsBigEndian(table->second));
            } else {
                std::vector<uint8_t> steps;
                for (int32_t v : table->second) {
                    if (v < 0 || v > 255) throw BundleError(entry.name + ": a fade step is a byte");
                    steps.push_back(static_cast<uint8_t>(v));
                }
                resources.addResource(block, steps);
            }
            ++i;
        } else if (entry.kind == "sound") {
            // Sounds are read once into their players, so each stays a file of its own.
            resources.addResource(-1, wavFile(synthesiseSound(after(entry.source, "sound/", entry.name))));
            ++i;
        } else {
            throw BundleError(entry.name + ": unknown kind " + entry.kind);
        }
    }

    BundleFiles files = resources.files();
    const auto strings = inputs.assets / "strings" / (std::string(kLanguage) + ".txt");
    files[kLanguage] = languageFile(readLanguageStrings(strings), strings);
    files["wlbmpfnt"] = runtimeFont(BundleFonts::runtimeFace, BundleFonts::runtimeSize).bytes();

    const std::vector<uint8_t> splashLow = pngOf(art.at("splash"), 1), splashHigh = pngOf(art.at("splash"), 2);
    // The host shows the launch images; the quiz opens the same pictures through File, which looks a
    // trailing ".png" up as "_png".
    files["Default.png"] = files["Default_png"] = splashLow;
    files["Default@2x.png"] = files["Default@2x_png"] = splashHigh;
    for (int n = 1; n <= 8; ++n) {
        const ArtPiece& frame = art.at("loading_anim_" + std::to_string(n));
        files["mq_loading_anim_0" + std::to_string(n) + "_LOW_png"] = pngOf(frame, 1);
        files["mq_loading_anim_0" + std::to_string(n) + "_HIGH_png"] = pngOf(frame, 2);
    }
    return files;
}

void writeBundle(const BundleFiles& files, const std::filesystem::path& directory) {
    std::filesystem::create_directories(directory);
    for (const auto& [name, bytes] : files) {
        const auto path = directory / name;
        std::error_code error;
        if (std::filesystem::file_size(path, error) == bytes.size() && !error) {
            std::ifstream in(path, std::ios::binary);
            const std::vector<uint8_t> old{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            if (old == bytes) continue;
        }
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) throw BundleError("cannot write " + path.string());
    }
}

}  // namespace bundle
