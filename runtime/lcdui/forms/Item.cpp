#include "runtime/lcdui/forms/Item.h"

#include "runtime/lcdui/forms/Form.h"

namespace javax::microedition::lcdui {

JavaPtr<Form> Item::getContainingForm() { return nullptr; }

}  // namespace javax::microedition::lcdui
