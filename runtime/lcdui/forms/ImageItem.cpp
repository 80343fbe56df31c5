#include "runtime/lcdui/forms/ImageItem.h"

#include <mutex>

#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

using java::lang::String;

void ImageItem::WENDinvokeconstructor(const JavaPtr<String>& label, const JavaPtr<Image>& image, int32_t layout,
                                      const JavaPtr<String>& altText, int32_t appearanceMode) {
    Item::WENDinvokeconstructor();
    std::lock_guard lock(Canvas::paintLock());
    m_label = label;
    m_image = image;
    m_layout = layout;
    m_altText = altText;
    m_appearanceMode = appearanceMode;
}

int32_t ImageItem::layoutInternal() {
    std::lock_guard lock(Canvas::paintLock());
    return m_image ? m_layout : m_layout & ~(LAYOUT_EXPAND | LAYOUT_VEXPAND);
}

int32_t ImageItem::getMinContentWidth() {
    std::lock_guard lock(Canvas::paintLock());
    return m_image ? m_image->getWidth() : 0;
}

int32_t ImageItem::getMinContentHeight() {
    std::lock_guard lock(Canvas::paintLock());
    return m_image ? m_image->getHeight() : 0;
}

void ImageItem::paint(const JavaPtr<Graphics>& g, int32_t, int32_t) {
    std::lock_guard lock(Canvas::paintLock());
    if (m_image) g->drawImage(m_image, 0, 0, Graphics::TOP | Graphics::LEFT);
}

JavaPtr<String> ImageItem::getAltText() {
    std::lock_guard lock(Canvas::paintLock());
    return m_altText;
}

int32_t ImageItem::getAppearanceMode() { return m_appearanceMode; }

JavaPtr<Image> ImageItem::getImage() {
    std::lock_guard lock(Canvas::paintLock());
    return m_image;
}

void ImageItem::setAltText(const JavaPtr<String>& text) {
    std::lock_guard lock(Canvas::paintLock());
    m_altText = text;
}

void ImageItem::setImage(const JavaPtr<Image>& image) {
    std::lock_guard lock(Canvas::paintLock());
    m_image = image;
}

}  // namespace javax::microedition::lcdui
