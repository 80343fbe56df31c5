// The framework's two font slots, each a system font with a colour or a bitmap font (glyph sheet in
// the image cache, character and advance tables from resources), and text measured and drawn in them.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

#include "app/framework/AppParameters.h"
#include "runtime/lang/JArray.h"

namespace java::lang { class String; }
namespace javax::microedition::lcdui { class Font; class Graphics; }
class ImageCache;
class ResourceHandler;

class FrameworkFonts : public AppParameters {
public:
    using Font = javax::microedition::lcdui::Font;
    using Graphics = javax::microedition::lcdui::Graphics;
    using String = java::lang::String;

    // selectedSlot: where the selected slot is kept, when the owner keeps it (else here).
    FrameworkFonts(ResourceHandler& resources, ImageCache& images, std::atomic<int32_t>* selectedSlot = nullptr);

    // The screen height the drawing culls against (the canvas height, read on every draw).
    std::function<int32_t()> screenHeight;

    // The slot holding the font, or -1 when both slots hold other fonts.
    int32_t loadSystemFont(int32_t face, int32_t style, int32_t size, int32_t colour);
    // Character table F, advances F + 1, glyph sheet F + 2. -1 when both slots are taken or the
    // font's resources are not available (nothing stays loaded then).
    int32_t loadBitmapFont(int32_t fontId, int32_t paletteId);
    // The framework's own layout: glyph sheet at F + 1 and no advance table.
    int32_t _FuSeD_mThD_1_loadBitmapFont(int32_t fontId, int32_t paletteId);
    void unloadFont(int32_t slot);
    void setFont(const JavaPtr<Graphics>& g, int32_t slot);
    int32_t getSelectedFont() const { return set_font; }

    // An empty or unknown slot measures 0 and draws nothing.
    int32_t getFontHeight(int32_t slot);
    int32_t getBitmapFontCharacterIndex(int32_t slot, char16_t c);
    int32_t getCharWidth(int32_t slot, char16_t c);
    int32_t _FuSeD_mThD_1_getCharWidth(int32_t slot, char16_t c);
    int32_t getCharsWidth(int32_t slot, const JavaPtr<JArray<char16_t>>& chars);
    int32_t getStringWidth(int32_t slot, const JavaPtr<String>& s);
    int32_t getMaxStringWidths(int32_t slot, const JavaPtr<JArray<String>>& lines);

    // advance -1: each character's own width; else that many pixels per character.
    void drawString(const JavaPtr<Graphics>& g, const JavaPtr<String>& s, int32_t x, int32_t y, int32_t anchor,
                    int32_t advance);
    void drawChars(const JavaPtr<Graphics>& g, const JavaPtr<JArray<char16_t>>& chars, int32_t x, int32_t y,
                   int32_t anchor, int32_t advance);
    void drawCharsExtended(const JavaPtr<Graphics>& g, const JavaPtr<JArray<char16_t>>& chars, int32_t offset,
                           int32_t length, int32_t x, int32_t y, int32_t anchor, int32_t advance);
    // StringIndexOutOfBoundsException / ArrayIndexOutOfBoundsException for a range outside the text.
    void drawCharsOrString(const JavaPtr<Graphics>& g, const JavaPtr<String>& s,
                           const JavaPtr<JArray<char16_t>>& chars, int32_t offset, int32_t length, int32_t x,
                           int32_t y, int32_t anchor, int32_t advance);
    void drawSplitString(const JavaPtr<Graphics>& g, const JavaPtr<JArray<String>>& lines, int32_t x, int32_t y,
                         int32_t anchor, int32_t lineHeight);

    JavaPtr<JArray<Font>> system_fonts;
    JavaPtr<JArray<int>> system_font_colours;
    JavaPtr<JArray<int>> bitmap_font_image_ids;
    JavaPtr<JArray<JArray<short>>> bitmap_font_info;
    JavaPtr<JArray<JArray<short>>> bitmap_font_metrics;
    // -1 until setFont runs.
    std::atomic<int32_t>& set_font;

private:
    // One slot's contents, copied out so that measuring and drawing run without the lock.
    struct Slot {
        JavaPtr<Font> font;
        int32_t colour = 0;
        int32_t image = -1;
        JavaPtr<JArray<short>> info;
        JavaPtr<JArray<short>> metrics;
        bool empty() const { return !font && !info; }
    };
    Slot slot(int32_t index);
    int32_t loadBitmap(int32_t fontId, int32_t paletteId, int32_t imageOffset, bool withAdvances);
    static int32_t glyphIndex(const Slot& s, char16_t c);
    static int32_t spacing(const Slot& s) { return static_cast<int8_t>(static_cast<uint16_t>(s.info->data[1]) >> 8); }
    int32_t charWidth(const Slot& s, char16_t c);

    ResourceHandler& m_resources;
    ImageCache& m_images;
    std::mutex m_lock;
    std::atomic<int32_t> m_selectedSlot{-1};
};
