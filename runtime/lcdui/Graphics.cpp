#include "runtime/lcdui/Graphics.h"

#include <utility>

#include "runtime/lang/BuildConstants.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Font.h"
#include "runtime/lcdui/GraphicsArithmetic.h"
#include "runtime/lcdui/GraphicsBackEnd.h"
#include "runtime/lcdui/PixelWord.h"

namespace javax::microedition::lcdui {

using namespace graphicsmath;

Graphics::Graphics() {
    int32_t width = Display::screenWidth.load(std::memory_order_relaxed);
    int32_t height = Display::screenHeight.load(std::memory_order_relaxed);
    if (buildconstants::LANDSCAPE_MODE && height > width) std::swap(width, height);
    m_targetWidth = std::max(width, 0);
    m_targetHeight = std::max(height, 0);
    m_rowStride = m_targetWidth;
    m_clipWidth = m_targetWidth;
    m_clipHeight = m_targetHeight;
    m_font = Font::getFont(Font::FACE_SYSTEM, Font::STYLE_PLAIN, Font::SIZE_SMALL);
}

Graphics::~Graphics() = default;

void Graphics::setTarget(uint32_t* pixels, int32_t width, int32_t height, int32_t stride) {
    m_pixels = pixels;
    m_targetWidth = std::max(width, 0);
    m_targetHeight = std::max(height, 0);
    m_rowStride = std::max(stride, m_targetWidth);
    // A clip larger than the new target would let writers leave the pixel block.
    storeClip(m_clipX, m_clipY, m_clipWidth, m_clipHeight);
}

void Graphics::setColor(int32_t rgb) {
    m_color = rgb;
    m_pixelColour = pixelFromRGB(rgb);
    red = static_cast<float>(m_pixelColour & 0xFF) / 255.0f;
    green = static_cast<float>((m_pixelColour >> 8) & 0xFF) / 255.0f;
    blue = static_cast<float>((m_pixelColour >> 16) & 0xFF) / 255.0f;
    if (backEnd) backEnd->colorChanged(*this);
}

void Graphics::setColor(int32_t r, int32_t g, int32_t b) {
    // Unmasked, as callers may rely on: setColor(256, 0, 0) stores 0x1000000.
    const uint32_t packed = (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
    setColor(static_cast<int32_t>(packed));
}

void Graphics::setGrayScale(int32_t value) { setColor(static_cast<int32_t>(static_cast<uint32_t>(value) * 0x010101u)); }

int32_t Graphics::getColor() { return m_color; }
int32_t Graphics::getRedComponent() { return (m_color >> 16) & 0xFF; }
int32_t Graphics::getGreenComponent() { return (m_color >> 8) & 0xFF; }
int32_t Graphics::getBlueComponent() { return m_color & 0xFF; }
int32_t Graphics::getGrayScale() { return (3 * getRedComponent() + 6 * getGreenComponent() + getBlueComponent()) / 10; }
int32_t Graphics::getDisplayColor(int32_t color) { return color; }

void Graphics::setFont(const JavaPtr<Font>& font) { m_font = font; }
JavaPtr<Font> Graphics::getFont() { return m_font; }

void Graphics::setStrokeStyle(int32_t style) { m_strokeStyle = style; }
int32_t Graphics::getStrokeStyle() { return m_strokeStyle; }

void Graphics::translate(int32_t dx, int32_t dy) {
    m_translateX = wrapAdd(m_translateX, dx);
    m_translateY = wrapAdd(m_translateY, dy);
}
int32_t Graphics::getTranslateX() { return m_translateX; }
int32_t Graphics::getTranslateY() { return m_translateY; }

}  // namespace javax::microedition::lcdui
