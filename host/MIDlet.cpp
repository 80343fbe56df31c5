#include "host/MIDlet.h"

#include <string_view>

#include "runtime/HostBridge.h"
#include "runtime/text/String.h"

namespace javax::microedition::midlet {

namespace {

struct AppProperty {
    std::u16string_view attribute;
    const char* value;
};

constexpr AppProperty APP_PROPERTIES[] = {
    {u"MIDlet-1", "ZAR Lexivo Quiz,/Icon.png,AppMidlet"},
    {u"MIDlet-Data-Size", "1000"},
    {u"MIDlet-Description", "ZAR Lexivo Quiz"},
    {u"MIDlet-Name", "ZAR Lexivo Quiz"},
    {u"MIDlet-Vendor", "Corvalen"},
    {u"MIDlet-Info-URL", "http://www.corvalen.com/lexivo-quiz/"},
    {u"MIDlet-Icon", "/Icon.png"},
    {u"MIDlet-Version", "1.1"},
    {u"MIDlet-Jar-URL", "ZARLexivoQuiz.jar"},
    {u"MIDlet-Jar-Size", "-1"},
    {u"Manifest-Version", "1.0"},
    {u"MicroEdition-Configuration", "CLDC-1.1"},
    {u"MicroEdition-Profile", "MIDP-2.0"},
};

}  // namespace

void MIDlet::notifyDestroyed() { quitInvoked.store(true, std::memory_order_release); }

bool MIDlet::platformRequest(const JavaPtr<java::lang::String>& url) {
    if (!url) return false;
    return URLplatformRequest(url->val()) == 1;
}

JavaPtr<java::lang::String> MIDlet::getAppProperty(const JavaPtr<java::lang::String>& key) {
    if (!key) return nullptr;
    for (const AppProperty& row : APP_PROPERTIES) {
        if (key->view() == row.attribute) return java::lang::jnew<java::lang::String>(row.value);
    }
    return nullptr;
}

}  // namespace javax::microedition::midlet
