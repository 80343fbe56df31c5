// HookCanvas's resource, image, string and font operations, handed to the classes that do the work.
#include "app/framework/EncodedImage.h"
#include "app/framework/EncodedStrings.h"
#include "app/framework/FrameworkFonts.h"
#include "app/framework/HookCanvas.h"
#include "app/framework/ImageCache.h"
#include "app/framework/PngBuilder.h"
#include "app/framework/ResourceHandler.h"
#include "runtime/io/DataInputStream.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/text/String.h"

using javax::microedition::lcdui::Image;
using Bytes = JavaPtr<JArray<signed char>>;

ResourceHandler& HookCanvas::resourceHandler() {
    static ResourceHandler handler;
    return handler;
}

void HookCanvas::publishResourceTables() {
    ResourceHandler& handler = resourceHandler();
    languages = handler.languages;
    block_pack_mappings = handler.block_pack_mappings;
    res_block_mappings = handler.res_block_mappings;
    internal_key_mappings = handler.internal_key_mappings;
    resource_packs = handler.resource_packs;
    times_resource_pack_reference = handler.times_resource_pack_reference;
    resource_int_tables = handler.resource_int_tables;
}

// ---- Resources ----

void HookCanvas::initWendrel() {
    resourceHandler().initWendrel();
    publishResourceTables();
}
Bytes HookCanvas::loadFileFromJar(const JavaPtr<String>& name, int32_t length) {
    return ResourceHandler::loadFileFromJar(name, length);
}
JavaPtr<java::io::DataInputStream> HookCanvas::getFileFromJarAsDataInputStream(const JavaPtr<String>& name) {
    return ResourceHandler::getFileFromJarAsDataInputStream(name);
}
int32_t HookCanvas::getBlockOfResource(int32_t id) { return resourceHandler().getBlockOfResource(id); }
void HookCanvas::loadResourceBlock(int32_t block) { resourceHandler().loadResourceBlock(block); }
void HookCanvas::unloadResourceBlock(int32_t block) { resourceHandler().unloadResourceBlock(block); }
void HookCanvas::unloadUnusedResourcePacks() { resourceHandler().unloadUnusedResourcePacks(); }
Bytes HookCanvas::getResourceByteArray(int32_t id) { return resourceHandler().getResourceByteArray(id); }
JavaPtr<JArray<char16_t>> HookCanvas::getResourceCharArray(int32_t id) {
    return resourceHandler().getResourceCharArray(id);
}
JavaPtr<JArray<short>> HookCanvas::getResourceShortArray(int32_t id) {
    return resourceHandler().getResourceShortArray(id);
}
JavaPtr<JArray<int32_t>> HookCanvas::getResourceIntArray(int32_t id) { return resourceHandler().getResourceIntArray(id); }
JavaPtr<JArray<long long>> HookCanvas::getResourceLongArray(int32_t id) {
    return resourceHandler().getResourceLongArray(id);
}
JavaPtr<JArray<float>> HookCanvas::getResourceFloatArray(int32_t id) {
    return resourceHandler().getResourceFloatArray(id);
}
JavaPtr<JArray<double>> HookCanvas::getResourceDoubleArray(int32_t id) {
    return resourceHandler().getResourceDoubleArray(id);
}
JavaPtr<java::lang::String> HookCanvas::getResString(int32_t id) { return ResourceHandler::getResString(id); }
int32_t HookCanvas::getResID(const JavaPtr<String>& name) { return ResourceHandler::getResID(name); }

// ---- Images ----

int32_t HookCanvas::loadImageID(int32_t imageId, int32_t paletteId, int32_t alternativePaletteId,
                                int32_t transformMask, bool imagePerCell) {
    return m_imageCache->loadImageID(imageId, paletteId, alternativePaletteId, transformMask, imagePerCell);
}
int32_t HookCanvas::loadImageID(int32_t imageId, int32_t paletteId, int32_t transformMask, bool imagePerCell) {
    return m_imageCache->loadImageID(imageId, paletteId, transformMask, imagePerCell);
}
void HookCanvas::unloadImageID(int32_t slot) { m_imageCache->unloadImageID(slot); }
int32_t HookCanvas::currentImageTransforms(int32_t slot) { return m_imageCache->currentImageTransforms(slot); }
JavaPtr<Image> HookCanvas::getImage(int32_t imageId, int32_t paletteId, int32_t alternativePaletteId, int32_t t) {
    return m_imageCache->getImage(imageId, paletteId, alternativePaletteId, t);
}
JavaPtr<Image> HookCanvas::getImage(int32_t imageId, int32_t paletteId, int32_t t) {
    return m_imageCache->getImage(imageId, paletteId, t);
}
JavaPtr<Image> HookCanvas::getImage(int32_t imageId) { return m_imageCache->getImage(imageId); }
Bytes HookCanvas::decodeImage(const Bytes& data, int32_t offset, int32_t width, int32_t height, int32_t colours) {
    return EncodedImage::decodeImage(data, offset, width, height, colours);
}
Bytes HookCanvas::decodeImage(const Bytes& data, int32_t offset, int32_t width, int32_t height) {
    return EncodedImage::decodeImage(data, offset, width, height);
}
void HookCanvas::loadImage(int32_t slot, const Bytes& indices, const Bytes& palette, int32_t width, int32_t height,
                           int32_t transformMask, bool imagePerCell) {
    m_imageCache->loadImage(slot, indices, palette, width, height, transformMask, imagePerCell);
}
void HookCanvas::loadImage(int32_t slot, const Bytes& colours, int32_t width, int32_t height, int32_t transformMask,
                           bool imagePerCell) {
    m_imageCache->loadImage(slot, colours, width, height, transformMask, imagePerCell);
}
int32_t HookCanvas::getImageDimension(int32_t slot, int32_t cell, int32_t t, int32_t selector) {
    return m_imageCache->getImageDimension(slot, cell, t, selector);
}
void HookCanvas::drawImageID(const JavaPtr<Graphics>& g, int32_t slot, int32_t cell, int32_t t, int32_t x, int32_t y,
                             int32_t anchor) {
    m_imageCache->drawImageID(g, slot, cell, t, x, y, anchor);
}
void HookCanvas::drawImageIDNoTransform(const JavaPtr<Graphics>& g, int32_t slot, int32_t cell, int32_t x, int32_t y,
                                        int32_t anchor) {
    m_imageCache->drawImageIDNoTransform(g, slot, cell, x, y, anchor);
}
void HookCanvas::drawImageCell(const JavaPtr<Graphics>& g, int32_t slot, int32_t cell, int32_t t, int32_t x,
                               int32_t y) {
    m_imageCache->drawImageCell(g, slot, cell, t, x, y);
}
JavaPtr<Image> HookCanvas::createRGBImage(const JavaPtr<JArray<int32_t>>& pixels, int32_t width, int32_t height,
                                          bool processAlpha) {
    return ImageCache::createRGBImage(pixels, width, height, processAlpha);
}
JavaPtr<Image> HookCanvas::pngMakeMutable(const JavaPtr<Image>& image) { return ImageCache::pngMakeMutable(image); }
Bytes HookCanvas::pngCreateByteArray(int32_t width, int32_t height, int32_t bitDepth, const Bytes& palette,
                                     const Bytes& indices, bool readyStream) {
    return PngBuilder::pngCreateByteArray(width, height, bitDepth, palette, indices, readyStream);
}
Bytes HookCanvas::pngCreateByteArray(int32_t width, int32_t height, const Bytes& colours) {
    return PngBuilder::pngCreateByteArray(width, height, colours);
}
JavaPtr<Image> HookCanvas::pngCreateImage(int32_t width, int32_t height, int32_t bitDepth, const Bytes& palette,
                                          const Bytes& indices, bool readyStream) {
    return PngBuilder::pngCreateImage(width, height, bitDepth, palette, indices, readyStream);
}
JavaPtr<Image> HookCanvas::pngCreateImage(int32_t width, int32_t height, const Bytes& colours) {
    return PngBuilder::pngCreateImage(width, height, colours);
}
void HookCanvas::pngCalcCrcTable() { PngBuilder::pngCalcCrcTable(); }
int32_t HookCanvas::pngCalcCrc(const Bytes& data, int32_t end, int32_t length) {
    return PngBuilder::pngCalcCrc(data, end, length);
}
int32_t HookCanvas::pngCalcAdler(const Bytes& data, int32_t end, int32_t span, int32_t blockSize) {
    return PngBuilder::pngCalcAdler(data, end, span, blockSize);
}

// ---- Strings ----

JavaPtr<java::lang::String> HookCanvas::getLanguageIDString(int32_t language) {
    return EncodedStrings::getLanguageIDString(languages, language);
}
void HookCanvas::loadLanguage(int32_t language) { m_strings->loadLanguage(language); }
Bytes HookCanvas::getENCString(int32_t id) { return m_strings->getENCString(id); }
JavaPtr<java::lang::String> HookCanvas::getString(int32_t id) { return m_strings->getString(id); }
JavaPtr<java::lang::String> HookCanvas::getStringFromENCString(const Bytes& text) {
    return EncodedStrings::getStringFromENCString(text);
}
Bytes HookCanvas::getENCStringFromString(const JavaPtr<String>& text) {
    return EncodedStrings::getENCStringFromString(text);
}
JavaPtr<java::lang::String> HookCanvas::insertStringIntoString(const JavaPtr<String>& text,
                                                               const JavaPtr<String>& placeholder,
                                                               const JavaPtr<String>& insert) {
    return EncodedStrings::insertStringIntoString(text, placeholder, insert);
}
JavaPtr<java::lang::String> HookCanvas::insertString(const JavaPtr<String>& text, const JavaPtr<String>& placeholder,
                                                     const JavaPtr<String>& insert) {
    return EncodedStrings::insertString(text, placeholder, insert);
}
JavaPtr<java::lang::String> HookCanvas::insertENCStringIntoString(const JavaPtr<String>& text,
                                                                  const JavaPtr<String>& placeholder,
                                                                  const Bytes& insert) {
    return EncodedStrings::insertENCStringIntoString(text, placeholder, insert);
}
Bytes HookCanvas::insertStringIntoENCString(const Bytes& text, const JavaPtr<String>& placeholder,
                                            const JavaPtr<String>& insert) {
    return EncodedStrings::insertStringIntoENCString(text, placeholder, insert);
}
Bytes HookCanvas::insertENCStringIntoENCString(const Bytes& text, const JavaPtr<String>& placeholder,
                                               const Bytes& insert) {
    return EncodedStrings::insertENCStringIntoENCString(text, placeholder, insert);
}
JavaPtr<java::lang::String> HookCanvas::replaceHardSpaces(const JavaPtr<String>& text) {
    return EncodedStrings::replaceHardSpaces(text);
}
JavaPtr<JArray<java::lang::String>> HookCanvas::splitENCString(const Bytes& text, int32_t font, int32_t maxWidth) {
    return m_strings->splitENCString(text, font, maxWidth);
}
JavaPtr<JArray<java::lang::String>> HookCanvas::splitString(const JavaPtr<String>& text, int32_t font,
                                                            int32_t maxWidth) {
    return m_strings->splitString(text, font, maxWidth);
}

// ---- Fonts ----

int32_t HookCanvas::loadSystemFont(int32_t face, int32_t style, int32_t size, int32_t colour) {
    return m_fonts->loadSystemFont(face, style, size, colour);
}
int32_t HookCanvas::loadBitmapFont(int32_t fontId, int32_t paletteId) { return m_fonts->loadBitmapFont(fontId, paletteId); }
int32_t HookCanvas::_FuSeD_mThD_1_loadBitmapFont(int32_t fontId, int32_t paletteId) {
    return m_fonts->_FuSeD_mThD_1_loadBitmapFont(fontId, paletteId);
}
void HookCanvas::unloadFont(int32_t slot) { m_fonts->unloadFont(slot); }
void HookCanvas::setFont(const JavaPtr<Graphics>& g, int32_t slot) { m_fonts->setFont(g, slot); }
int32_t HookCanvas::getFontHeight(int32_t slot) { return m_fonts->getFontHeight(slot); }
int32_t HookCanvas::getBitmapFontCharacterIndex(int32_t slot, char16_t c) {
    return m_fonts->getBitmapFontCharacterIndex(slot, c);
}
int32_t HookCanvas::getCharWidth(int32_t slot, char16_t c) { return m_fonts->getCharWidth(slot, c); }
int32_t HookCanvas::_FuSeD_mThD_1_getCharWidth(int32_t slot, char16_t c) {
    return m_fonts->_FuSeD_mThD_1_getCharWidth(slot, c);
}
int32_t HookCanvas::getCharsWidth(int32_t slot, const JavaPtr<JArray<char16_t>>& chars) {
    return m_fonts->getCharsWidth(slot, chars);
}
int32_t HookCanvas::getStringWidth(int32_t slot, const JavaPtr<String>& s) { return m_fonts->getStringWidth(slot, s); }
int32_t HookCanvas::getMaxStringWidths(int32_t slot, const JavaPtr<JArray<String>>& lines) {
    return m_fonts->getMaxStringWidths(slot, lines);
}
void HookCanvas::drawString(const JavaPtr<Graphics>& g, const JavaPtr<String>& s, int32_t x, int32_t y, int32_t anchor,
                            int32_t advance) {
    m_fonts->drawString(g, s, x, y, anchor, advance);
}
void HookCanvas::drawChars(const JavaPtr<Graphics>& g, const JavaPtr<JArray<char16_t>>& chars, int32_t x, int32_t y,
                           int32_t anchor, int32_t advance) {
    m_fonts->drawChars(g, chars, x, y, anchor, advance);
}
void HookCanvas::drawCharsExtended(const JavaPtr<Graphics>& g, const JavaPtr<JArray<char16_t>>& chars, int32_t offset,
                                   int32_t length, int32_t x, int32_t y, int32_t anchor, int32_t advance) {
    m_fonts->drawCharsExtended(g, chars, offset, length, x, y, anchor, advance);
}
void HookCanvas::drawCharsOrString(const JavaPtr<Graphics>& g, const JavaPtr<String>& s,
                                   const JavaPtr<JArray<char16_t>>& chars, int32_t offset, int32_t length, int32_t x,
                                   int32_t y, int32_t anchor, int32_t advance) {
    m_fonts->drawCharsOrString(g, s, chars, offset, length, x, y, anchor, advance);
}
void HookCanvas::drawSplitString(const JavaPtr<Graphics>& g, const JavaPtr<JArray<String>>& lines, int32_t x,
                                 int32_t y, int32_t anchor, int32_t lineHeight) {
    m_fonts->drawSplitString(g, lines, x, y, anchor, lineHeight);
}
