// An image with an optional label and an alternative text that is kept but never drawn.
#pragma once

#include <cstdint>

#include "runtime/lcdui/forms/Item.h"

namespace javax::microedition::lcdui {

class Image;

class ImageItem : public Item {
    JAVA_CLASS(ImageItem, "javax.microedition.lcdui.ImageItem", Item)
public:
    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& label, const JavaPtr<Image>& image, int32_t layout,
                               const JavaPtr<java::lang::String>& altText) {
        WENDinvokeconstructor(label, image, layout, altText, PLAIN);
    }
    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& label, const JavaPtr<Image>& image, int32_t layout,
                               const JavaPtr<java::lang::String>& altText, int32_t appearanceMode);

    int32_t layoutInternal() override;
    int32_t getMinContentHeight() override;
    int32_t getMinContentWidth() override;
    int32_t getPrefContentWidth(int32_t height) override { return getMinContentWidth(); }
    int32_t getPrefContentHeight(int32_t width) override { return getMinContentHeight(); }
    void paint(const JavaPtr<Graphics>& g, int32_t w, int32_t h) override;
    using Item::paint;

    virtual JavaPtr<java::lang::String> getAltText();
    virtual int32_t getAppearanceMode();
    virtual JavaPtr<Image> getImage();
    virtual void setAltText(const JavaPtr<java::lang::String>& text);
    // Neither lays the form out again nor repaints it.
    virtual void setImage(const JavaPtr<Image>& image);

private:
    JavaPtr<Image> m_image;
    JavaPtr<java::lang::String> m_altText;
    int32_t m_appearanceMode = PLAIN;
};

}  // namespace javax::microedition::lcdui
