// A value between 0 and a maximum shown as a row of boxes, with arrows when the user may change it;
// or, with an indefinite maximum, a ball travelling along a track to show activity.
#pragma once

#include <cstdint>

#include "runtime/lcdui/forms/Item.h"

namespace javax::microedition::lcdui {

class Gauge : public Item {
    JAVA_CLASS(Gauge, "javax.microedition.lcdui.Gauge", Item)
public:
    static constexpr int32_t INDEFINITE = -1;
    static constexpr int32_t CONTINUOUS_IDLE = 0;
    static constexpr int32_t INCREMENTAL_IDLE = 1;
    static constexpr int32_t CONTINUOUS_RUNNING = 2;
    static constexpr int32_t INCREMENTAL_UPDATING = 3;
    static constexpr int32_t BOX = 8;
    static constexpr int32_t BOX_STEP = 10;
    static constexpr int32_t FRAMES = 20;
    static constexpr int64_t FRAME_MS = 300;

    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& label, bool interactive, int32_t maxValue,
                               int32_t initialValue);

    void addCommand(const JavaPtr<Command>& command) override;
    void setDefaultCommand(const JavaPtr<Command>& command) override;
    void setItemCommandListener(const JavaPtr<ItemCommandListener>& listener) override;
    void setLabel(const JavaPtr<java::lang::String>& label) override;
    void setLayout(int32_t layout) override;
    void setPreferredSize(int32_t width, int32_t height) override;
    int32_t layoutInternal() override { return LAYOUT_LEFT | LAYOUT_EXPAND; }
    bool requiresOwnRow() override { return true; }
    void tick(int64_t ms) override;
    int32_t getMinContentHeight() override { return BOX; }
    int32_t getMinContentWidth() override { return 70; }
    int32_t getPrefContentWidth(int32_t) override { return getMinContentWidth(); }
    int32_t getPrefContentHeight(int32_t) override { return getMinContentHeight(); }
    void paint(const JavaPtr<Graphics>& g, int32_t w, int32_t h) override;
    using Item::paint;
    bool traverse(int32_t dir, int32_t viewportWidth, int32_t viewportHeight,
                  const JavaPtr<JArray<int32_t>>& visRect) override;
    void rebuildTouchscreenAreas() override;
    void touchscreenAreaEvent(const JavaPtr<java::lang::String>& name, int32_t type, int32_t x, int32_t y, int32_t dx,
                              int32_t dy, bool inside) override;

    virtual int32_t getMaxValue();
    virtual int32_t getValue();
    virtual bool isInteractive();
    virtual void setMaxValue(int32_t maxValue);
    virtual void setValue(int32_t value);

    // Set and cleared by the Alert that shows the gauge as its indicator.
    void setAlertIndicator(bool indicator);
    bool isAlertIndicator();
    int32_t animationFrame();

private:
    void m_checkNotIndicator();
    void m_arrowArea(bool drawn, const JavaPtr<java::lang::String>& name, int32_t x, int32_t y);

    bool m_interactive = false;
    bool m_alertIndicator = false;
    int32_t m_maxValue = 0;
    int32_t m_value = 0;
    int32_t m_animationFrame = 0;
    int64_t m_lastAnimationTime = -1;
    bool m_areasRegistered = false;
    JavaPtr<java::lang::String> m_leftAreaName;
    JavaPtr<java::lang::String> m_rightAreaName;
    JavaPtr<java::lang::String> m_gaugeAreaName;
};

}  // namespace javax::microedition::lcdui
