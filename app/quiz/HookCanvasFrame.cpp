// The pieces every screen is drawn with: background segments that wipe in from the left as their
// fade allows, the whole-screen clip, and the touch zones whose highlights the screens draw.
#include "app/framework/HookCanvas.h"
#include "runtime/lcdui/Graphics.h"

bool HookCanvas::drawFadingSegment(const JavaPtr<Graphics>& g, const JavaPtr<JArray<int32_t>>& segments, int32_t index,
                                   int32_t x, int32_t y, bool resetClipAfter) {
    if (fading && fade_mask && fade_step < fade_mask->length && ((fade_mask->data[fade_step] >> index) & 1) == 0) {
        wipe_unfinished = true;
        return false;
    }
    const int32_t image = segments->data[index];
    int32_t& level = segment_wipe->data[index];
    const bool wiping = level < 256;
    wipe_unfinished = wipe_unfinished || wiping;
    if (wiping) {
        g->setClip(x, y, (level * getImageDimension(image, 0, 0, IMAGEDIMENSION_WIDTH)) >> 8,
                   getImageDimension(image, 0, 0, IMAGEDIMENSION_HEIGHT));
    }
    drawImageIDNoTransform(g, image, 0, x, y, Graphics::TOP | Graphics::LEFT);
    if (wiping) {
        if (resetClipAfter) resetClip(g);
        level += PARAM_FADE_SIZE;
    }
    return true;
}

void HookCanvas::resetClip(const JavaPtr<Graphics>& g) {
    g->setClip(0, 0, PARAM_WL_BASE_SCREEN_WIDTH.load(std::memory_order_relaxed),
               PARAM_WL_BASE_SCREEN_HEIGHT.load(std::memory_order_relaxed));
}

void HookCanvas::overlayText() {
    sleep(50);
    if (overlay_requested) {
        iPhoneTextOverlayStart();
        overlay_requested = false;
    }
}

bool HookCanvas::pointerOverAboutArea() {
    return pointerOverArea(0, getParam(PARAM_BG_4_Y), getParam(80), getParam(PARAM_ABOUT_HEIGHT));
}

bool HookCanvas::pointerOverMenuButton() {
    return pointerOverImage(button_images->data[3], getParam(PARAM_MENU_BUTTON_LEFT), getParam(PARAM_MENU_BUTTON_TOP));
}
