#include "runtime/lcdui/forms/Item.h"

#include <mutex>

#include "runtime/lang/BuildConstants.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Font.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/lcdui/chrome/TouchScreenAreaListener.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lcdui/forms/CustomItem.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/FormCanvas.h"
#include "runtime/lcdui/forms/ItemCommandListener.h"
#include "runtime/lcdui/forms/StringItem.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

using java::lang::String;
namespace bc = buildconstants;

namespace {

std::recursive_mutex& lcdui() { return Canvas::paintLock(); }

constexpr int32_t PAD_X = FormCanvas::HIGHLIGHT_BOX_PAD_X;
constexpr int32_t PAD_Y = FormCanvas::HIGHLIGHT_BOX_PAD_Y;

}  // namespace

Item::Item()
    : m_commands(new JArray<Command>(0)),
      m_labelFont(Font::getFont(Font::FACE_SYSTEM, Font::STYLE_BOLD, Font::SIZE_SMALL)),
      m_touchListener(new TouchScreenAreaListener(&touchscreenEventCallback, this)) {}

Item::~Item() {
    if (m_touchListener) TouchScreenAreaManager::unregisterAllAreas(m_touchListener);
}

void Item::addCommand(const JavaPtr<Command>& command) {
    std::lock_guard lock(lcdui());
    Displayable::addCommand(m_commands, command);
    if (!m_defaultCommand) m_defaultCommand = command;
}

void Item::removeCommand(const JavaPtr<Command>& command) {
    std::lock_guard lock(lcdui());
    Displayable::removeCommand(m_commands, command);
    if (m_defaultCommand == command) m_defaultCommand = nullptr;
}

void Item::setDefaultCommand(const JavaPtr<Command>& command) {
    std::lock_guard lock(lcdui());
    if (Displayable::findCommandIndex(m_commands, command, nullptr) == -1) addCommand(command);
    m_defaultCommand = command;
}

void Item::setItemCommandListener(const JavaPtr<ItemCommandListener>& listener) {
    std::lock_guard lock(lcdui());
    m_itemCommandListener = listener;
}

JavaPtr<String> Item::getLabel() {
    std::lock_guard lock(lcdui());
    return m_label;
}

void Item::setLabel(const JavaPtr<String>& label) {
    std::lock_guard lock(lcdui());
    m_label = label;
}

int32_t Item::getLayout() { return m_layout; }

void Item::setLayout(int32_t layout) {
    std::lock_guard lock(lcdui());
    m_layout = layout;
}

int32_t Item::layoutInternal() { return m_layout; }

int32_t Item::labelHeight() {
    std::lock_guard lock(lcdui());
    return m_label && m_label->length() > 0 ? m_labelFont->getHeight() : 0;
}

int32_t Item::labelWidth() {
    std::lock_guard lock(lcdui());
    if (!m_label) return 0;
    return std::min(m_labelFont->stringWidth(m_label), usableFormWidth());
}

int32_t Item::getMinimumHeight() { return labelHeight() + getMinContentHeight() + 2 * PAD_Y; }
int32_t Item::getMinimumWidth() { return getMinContentWidth() + 2 * PAD_X; }

int32_t Item::getPreferredHeight() {
    std::lock_guard lock(lcdui());
    return labelHeight() + 2 * PAD_Y + (m_preferredHeight != -1 ? m_preferredHeight : getPrefContentHeight(m_preferredWidth));
}

int32_t Item::getPreferredWidth() {
    std::lock_guard lock(lcdui());
    return 2 * PAD_X + (m_preferredWidth != -1 ? m_preferredWidth : getPrefContentWidth(m_preferredHeight));
}

void Item::setPreferredSize(int32_t width, int32_t height) {
    if (width < -1 || height < -1) throw java::lang::IllegalArgumentException();
    std::lock_guard lock(lcdui());
    m_preferredWidth = width;
    m_preferredHeight = height;
    if (width != -1 && width < getMinimumWidth()) m_preferredWidth = getMinimumWidth();
    if (m_preferredHeight != -1 && m_preferredHeight < getMinimumHeight()) m_preferredHeight = getMinimumHeight();
    m_widthLocked = width != -1;
    m_heightLocked = height != -1;
    preferredSizeChanged();
}

bool Item::addToForm(Form* form) {
    std::lock_guard lock(lcdui());
    if (m_form && m_form != form) throw java::lang::IllegalStateException();
    m_form = form;
    return true;
}

void Item::removeFromForm() {
    std::lock_guard lock(lcdui());
    m_form = nullptr;
}

JavaPtr<Form> Item::getContainingForm() {
    std::lock_guard lock(lcdui());
    return JavaPtr<Form>(m_form);
}

JavaPtr<FormCanvas> Item::getFormCanvas() {
    std::lock_guard lock(lcdui());
    if (!m_form) return nullptr;
    return recastObj<FormCanvas>(m_form->getCorrespondingCanvas());
}

void Item::notifyStateChanged() {
    std::lock_guard lock(lcdui());
    if (!m_form) throw java::lang::IllegalStateException();
    m_form->itemStateChanged(JavaPtr<Item>(this));
}

void Item::requestHighlight() {
    std::lock_guard lock(lcdui());
    if (!m_form || m_form->highlightedItem().get() == this) return;
    m_form->m_highlightItem(m_form->m_indexForItem(JavaPtr<Item>(this)), false);
    repaint();
}

int32_t Item::usableFormWidth() {
    JavaPtr<FormCanvas> canvas = getFormCanvas();
    return canvas ? canvas->usableWidth() : 0;
}

void Item::invalidate() {
    std::lock_guard lock(lcdui());
    if (m_form) m_form->setNeedsRelayout(true);
}

void Item::repaint() {
    if (JavaPtr<FormCanvas> canvas = getFormCanvas()) canvas->setNeedsRepaint();
}

void Item::hideNotify() { unregisterAll(); }
void Item::showNotify() { rebuildTouchscreenAreas(); }

int32_t Item::getGameAction(int32_t keyCode) {
    using Core = DisplayableCoreCanvas;
    if (keyCode == Core::KEY_UP) return Canvas::UP;
    if (keyCode == Core::KEY_DOWN) return Canvas::DOWN;
    if (keyCode == Core::KEY_LEFT) return Canvas::LEFT;
    if (keyCode == Core::KEY_RIGHT) return Canvas::RIGHT;
    if (keyCode == Core::KEY_FIRE) return Canvas::FIRE;
    switch (keyCode - Core::KEY_NUM0) {
        case 2: return Canvas::UP;
        case 4: return Canvas::LEFT;
        case 5: return Canvas::FIRE;
        case 6: return Canvas::RIGHT;
        case 8: return Canvas::DOWN;
        default: return 0;
    }
}

void Item::updateContentDimensions() {
    const int32_t label = labelHeight();
    m_contentX = PAD_X;
    m_contentY = label + PAD_Y;
    m_contentWidth = m_width - 2 * PAD_X;
    m_contentHeight = m_height - 2 * PAD_Y - label;
}

void Item::contentSizeChanged() {
    sizeChanged(m_contentWidth, m_contentHeight);
    rebuildTouchscreenAreas();
}

bool Item::m_toContentArea(int32_t* x, int32_t* y) {
    *x -= m_contentX;
    *y -= m_contentY;
    return *x >= 0 && *x <= m_contentWidth && *y >= 0 && *y <= m_contentHeight;
}

void Item::registerArea(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const JavaPtr<String>& name) {
    const int32_t dx = m_contentX + m_x;
    const int32_t dy = m_contentY + m_y;
    TouchScreenAreaManager::registerArea(x0 + dx, y0 + dy, x1 + dx, y1 + dy, name, m_touchListener, 1);
}

void Item::unregisterAll() { TouchScreenAreaManager::unregisterAllAreas(m_touchListener); }

void Item::touchscreenEventCallback(void* context, JavaPtr<String> name, int32_t type, int32_t x, int32_t y,
                                    int32_t dx, int32_t dy, bool inside) {
    static_cast<Item*>(context)->touchscreenAreaEvent(name, type, x, y, dx, dy, inside);
}

bool Item::pointerPressedInternal(int32_t x, int32_t y) {
    requestHighlight();
    if (!m_toContentArea(&x, &y)) return false;
    pointerPressed(x, y);
    return true;
}

void Item::pointerDraggedInternal(int32_t x, int32_t y) { pointerDragged(x - m_contentX, y - m_contentY); }

void Item::pointerReleasedInternal(int32_t x, int32_t y) { pointerReleased(x - m_contentX, y - m_contentY); }

void Item::paint(const JavaPtr<Graphics>& g) {
    std::lock_guard lock(lcdui());
    g->setColor(bc::LCDUI_COLOR_FOREGROUND);
    if (m_label && m_label->length() > 0) {
        JavaPtr<Font> font = g->getFont();
        g->setFont(m_labelFont);
        g->drawString(m_label, m_x, m_y, Graphics::TOP | Graphics::LEFT);
        g->setFont(font);
    }
    const auto* text = static_cast<StringItem*>(castAsTypeID(StringItem::typeID));
    if (m_form && m_form->highlightedItem().get() == this && !(text && text->isFlowing())) {
        g->setColor(bc::LCDUI_COLOR_HIGHLIGHTED_BORDER);
        g->drawRect(m_x, m_y, m_width, m_height);
    }
    if (castAsTypeID(CustomItem::typeID)) {
        m_paintCustomContent(g);
    } else {
        m_paintContent(g);
    }
}

void Item::m_paintContent(const JavaPtr<Graphics>& g) {
    JavaPtr<Font> font = g->getFont();
    const int32_t clipX = g->getClipX(), clipY = g->getClipY();
    const int32_t clipW = g->getClipWidth(), clipH = g->getClipHeight();
    const int32_t tx = g->getTranslateX(), ty = g->getTranslateY();
    g->setClip(-tx, -ty, Display::screenWidth.load(), Display::screenHeight.load());
    g->translate(m_x + m_contentX, m_y + m_contentY);
    // Restored however the item's painter ends.
    struct Restore {
        const JavaPtr<Graphics>& g;
        int32_t tx, ty, clipX, clipY, clipW, clipH;
        JavaPtr<Font> font;
        ~Restore() {
            g->translate(tx - g->getTranslateX(), ty - g->getTranslateY());
            g->setClip(clipX, clipY, clipW, clipH);
            g->setFont(font);
        }
    } restore{g, tx, ty, clipX, clipY, clipW, clipH, font};
    paint(g, m_contentWidth, m_contentHeight);
}

void Item::m_paintCustomContent(const JavaPtr<Graphics>& g) {
    // A size the image cannot have (before the first layout, or one the item reports) would throw
    // inside the frame: the content is skipped instead.
    if (m_contentWidth <= 0 || m_contentHeight <= 0 || m_contentWidth > Image::MAX_SIDE ||
        m_contentHeight > Image::MAX_SIDE ||
        static_cast<int64_t>(m_contentWidth) * m_contentHeight > Image::MAX_PIXELS)
        return;
    JavaPtr<Image> image = Image::createImage(m_contentWidth, m_contentHeight);
    JavaPtr<Graphics> ig = image->getGraphics();
    ig->setColor(bc::LCDUI_COLOR_BACKGROUND);
    ig->fillRect(0, 0, m_contentWidth, m_contentHeight);
    ig->setColor(bc::LCDUI_COLOR_FOREGROUND);
    paint(ig, m_contentWidth, m_contentHeight);
    const int32_t clipX = g->getClipX(), clipY = g->getClipY();
    const int32_t clipW = g->getClipWidth(), clipH = g->getClipHeight();
    g->setClip(-g->getTranslateX(), -g->getTranslateY(), Display::screenWidth.load(), Display::screenHeight.load());
    g->drawImage(image, m_x + m_contentX, m_y + m_contentY, Graphics::TOP | Graphics::LEFT);
    g->setClip(clipX, clipY, clipW, clipH);
}

}  // namespace javax::microedition::lcdui
