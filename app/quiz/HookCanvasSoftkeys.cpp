// The labels of the two soft keys. The quiz sets none, so a press of either is ignored.
#include "app/framework/HookCanvas.h"
#include "runtime/text/String.h"

JavaPtr<java::lang::String> HookCanvas::adjustGraphicalSoftkeyLabel(const JavaPtr<String>& label, bool back) {
    if (!label || label->length() == 0) return label;
    if (back && softkey_add_back) return softkey_add_back + label;
    if (!back && softkey_add_fwrd) return label + softkey_add_fwrd;
    return label;
}

namespace {
bool unchanged(const JavaPtr<java::lang::String>& fresh, const JavaPtr<java::lang::String>& stored) {
    if (!fresh) return !stored;
    return fresh->equals(stored);
}
}  // namespace

void HookCanvas::setSoftkeys(const JavaPtr<String>& back, const JavaPtr<String>& fwrd) {
    const JavaPtr<String> shownBack = adjustGraphicalSoftkeyLabel(back, true);
    const JavaPtr<String> shownFwrd = adjustGraphicalSoftkeyLabel(fwrd, false);
    if (unchanged(shownBack, back_softkey_string) && unchanged(shownFwrd, fwrd_softkey_string)) return;
    back_softkey_string = shownBack;
    fwrd_softkey_string = shownFwrd;
}
