#include "runtime/lcdui/chrome/DefaultAlertListener.h"

#include "runtime/lcdui/chrome/Alert.h"

namespace javax::microedition::lcdui {

void DefaultAlertListener::commandAction(const JavaPtr<Command>&, const JavaPtr<Displayable>& displayable) {
    if (auto alert = recastObj<Alert>(displayable)) alert->advance();
}

}  // namespace javax::microedition::lcdui
