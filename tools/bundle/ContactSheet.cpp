#include "tools/bundle/ContactSheet.h"

#include <cairo.h>

#include <algorithm>

#include "tools/bundle/ArtCanvas.h"
#include "tools/bundle/ArtCatalogue.h"
#include "tools/bundle/ArtWidgets.h"
#include "tools/bundle/GlyphRaster.h"
#include "tools/fonts/MainFont.h"
#include "tools/fonts/Utf8Text.h"
#include "tools/writers/PngFile.h"

namespace bundle {

namespace {

// Text in a framework font as the quiz draws it: each glyph's pixels from the pen position, advancing
// by the advance table. One device pixel is 1 / scale layout units on the sheet.
void frameworkText(ArtCanvas& c, const writers::FrameworkFont& font, const std::string& utf8, double x, double y,
                   int scale) {
    for (char32_t ch : fonts::decodeUtf8(utf8)) {
        if (ch == U' ') {
            x += static_cast<double>(font.spaceWidth) / scale;
            continue;
        }
        const size_t k = font.characters.find(static_cast<char16_t>(ch));
        if (k == std::u16string::npos) continue;
        for (size_t row = 0; row < font.glyphs[k].size(); ++row)
            for (size_t column = 0; column < font.glyphs[k][row].size(); ++column) {
                const int level = font.levelOf(font.glyphs[k][row][column]);
                if (level == 0) continue;
                cairo_rectangle(c.cr(), x + static_cast<double>(column) / scale, y + static_cast<double>(row) / scale,
                                1.0 / scale, 1.0 / scale);
                c.fillPath(ArtStyle::ink.withAlpha(static_cast<double>(level) / (font.inkLevels - 1)));
            }
        x += static_cast<double>(font.advances[k]) / scale;
    }
}

constexpr int kSpecimenHeight = 80;

// The two quiz fonts on the plates they are drawn over.
void fontSpecimen(ArtCanvas& c, double x, double y, int scale) {
    const std::string lines[] = {"Which word means \u201Cquick\u201D?", "\u00E9l\u00E8ve \u2013 na\u00EFve (2)"};
    std::u32string characters = U"0123456789/";
    for (const std::string& line : lines) characters += fonts::decodeUtf8(line);
    const writers::FrameworkFont main =
        frameworkFont(fonts::MainFont::facePath, fonts::MainFont::pixelSize * scale, characters, 0xFF000000u);
    const writers::FrameworkFont numbers =
        frameworkFont(BundleFonts::numbersFace, BundleFonts::numbersSize * scale, U"0123456789/", 0xFF000000u);
    widgets::buttonFace(c, x, y, 220, 61, widgets::Look::Normal);
    const double lineHeight = static_cast<double>(main.cellHeight) / scale;
    for (int i = 0; i < 2; ++i) frameworkText(c, main, lines[i], x + 12, y + 30.5 - lineHeight + i * lineHeight, scale);
    // The widest practice count on the header's plate, centred as the quiz centres it on the 81-unit icon.
    c.plate(x + 236, y + 4, 68, 56, ArtStyle::cornerRadius, ArtStyle::panelTop, ArtStyle::panelBottom, ArtStyle::accent);
    int width = 0;
    for (char ch : std::string("40/40")) width += numbers.advances[numbers.characters.find(static_cast<char16_t>(ch))];
    frameworkText(c, numbers, "40/40", x + 230 + (81.0 - static_cast<double>(width) / scale) / 2,
                  y + 32 - static_cast<double>(numbers.cellHeight) / scale / 2, scale);
}

}  // namespace

std::vector<uint8_t> contactSheet(int scale) {
    // Laid out in layout units: rows of pieces, wrapped at the sheet's width.
    constexpr int kSheetWidth = 1700, kGap = 12, kCaption = 14;
    struct Place {
        const std::string* name;
        const ArtPiece* piece;
        int x, y;
    };
    std::vector<Place> places;
    int x = kGap, y = kGap, rowHeight = 0;
    // Tallest first, so that each row holds pieces of about one height.
    std::vector<std::pair<const std::string*, const ArtPiece*>> order;
    for (const auto& [name, piece] : artCatalogue()) order.emplace_back(&name, &piece);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.second->height > b.second->height; });
    for (const auto& [namePointer, piecePointer] : order) {
        const std::string& name = *namePointer;
        const ArtPiece& piece = *piecePointer;
        if (x + piece.width > kSheetWidth - kGap) {
            x = kGap;
            y += rowHeight + kCaption + kGap;
            rowHeight = 0;
        }
        places.push_back({&name, &piece, x, y});
        x += std::max(piece.width, 70) + kGap;
        rowHeight = std::max(rowHeight, piece.height);
    }
    const int specimenTop = y + rowHeight + kCaption + kGap;
    const int height = specimenTop + kSpecimenHeight;
    ArtCanvas sheet(kSheetWidth, height, scale);
    cairo_t* cr = sheet.cr();
    sheet.verticalGradient(0, 0, kSheetWidth, height, Colour::rgb(0x555555), Colour::rgb(0x555555));
    for (const Place& place : places) {
        for (int cy = 0; cy < place.piece->height; cy += 8)
            for (int cx = 0; cx < place.piece->width; cx += 8) {
                cairo_rectangle(cr, place.x + cx, place.y + cy, std::min(8, place.piece->width - cx),
                                std::min(8, place.piece->height - cy));
                sheet.fillPath(((cx + cy) / 8) % 2 ? Colour::rgb(0x9A9A9A) : Colour::rgb(0xC8C8C8));
            }
        cairo_save(cr);
        cairo_translate(cr, place.x, place.y);
        cairo_rectangle(cr, 0, 0, place.piece->width, place.piece->height);
        cairo_clip(cr);
        place.piece->draw(sheet);
        cairo_restore(cr);
        sheet.text(*place.name, place.x, place.y + place.piece->height + 11, 9, Colour::rgb(0xFFFFFF),
                   ArtCanvas::Align::Left, ArtCanvas::Face::Regular);
    }
    fontSpecimen(sheet, kGap, specimenTop, scale);
    return writers::pngFile(kSheetWidth * scale, height * scale, sheet.pixels());
}

}  // namespace bundle
