#include "runtime/lcdui/forms/CustomItem.h"

#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

void CustomItem::WENDinvokeconstructor(const JavaPtr<java::lang::String>& label) {
    Item::WENDinvokeconstructor();
    setLabel(label);
}

}  // namespace javax::microedition::lcdui
