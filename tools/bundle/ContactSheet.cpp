#include "tools/bundle/ContactSheet.h"

#include <cairo.h>

#include <algorithm>

#include "tools/bundle/ArtCanvas.h"
#include "tools/bundle/ArtCatalogue.h"
#include "tools/writers/PngFile.h"

namespace bundle {

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
    const int height = y + rowHeight + kCaption + kGap;
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
    return writers::pngFile(kSheetWidth * scale, height * scale, sheet.pixels());
}

}  // namespace bundle
