// A canvas of one flat colour: the screen of the demonstrations whose work shows in their log.
#pragma once

#include <cstdint>

#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Graphics.h"

namespace demo {

class FlatCanvas : public javax::microedition::lcdui::Canvas {
    JAVA_CLASS(FlatCanvas, "demo.FlatCanvas", javax::microedition::lcdui::Canvas)
public:
    void WENDinvokeconstructor(int32_t colour) {
        Canvas::WENDinvokeconstructor();
        m_colour = colour;
    }

    void paint(const JavaPtr<javax::microedition::lcdui::Graphics>& g) override {
        g->setColor(m_colour);
        g->fillRect(0, 0, getWidth(), getHeight());
    }

private:
    int32_t m_colour = 0;
};

}  // namespace demo
