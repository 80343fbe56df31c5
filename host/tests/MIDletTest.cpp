// The MIDlet base: application properties, permissions, the quit flag and platform requests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/BrowserLauncher.h"
#include "host/MIDlet.h"
#include "runtime/lcdui/PlatformBridge.h"
#include "runtime/text/String.h"

using java::lang::jnew;
using java::lang::recastObj;
using javax::microedition::midlet::MIDlet;

namespace {

JavaPtr<MIDlet> newMIDlet() {
    JavaPtr<MIDlet> midlet = jnew<MIDlet>();
    midlet->WENDinvokeconstructor();
    return midlet;
}

std::string text(const JavaPtr<String>& value) { return value ? std::string(value->val()) : "<null>"; }

TEST(MIDlet, AppPropertiesComeFromTheFixedTableMatchedExactly) {
    struct Row {
        const char* key;
        const char* value;
    };
    const Row rows[] = {
        {"MIDlet-1", "ZAR Lexivo Quiz,/Icon.png,AppMidlet"},
        {"MIDlet-Data-Size", "1000"},
        {"MIDlet-Description", "ZAR Lexivo Quiz"},
        {"MIDlet-Name", "ZAR Lexivo Quiz"},
        {"MIDlet-Vendor", "Corvalen"},
        {"MIDlet-Info-URL", "http://www.corvalen.com/lexivo-quiz/"},
        {"MIDlet-Icon", "/Icon.png"},
        {"MIDlet-Version", "1.1"},
        {"MIDlet-Jar-URL", "ZARLexivoQuiz.jar"},
        {"MIDlet-Jar-Size", "-1"},
        {"Manifest-Version", "1.0"},
        {"MicroEdition-Configuration", "CLDC-1.1"},
        {"MicroEdition-Profile", "MIDP-2.0"},
        {"midlet-name", "<null>"},
        {"MIDLET-NAME", "<null>"},
        {"MIDlet-Name ", "<null>"},
        {"", "<null>"},
    };
    JavaPtr<MIDlet> midlet = newMIDlet();
    for (const Row& row : rows) EXPECT_EQ(text(midlet->getAppProperty(jnew<String>(row.key))), row.value) << row.key;
    EXPECT_EQ(midlet->getAppProperty(nullptr), nullptr);
}

TEST(MIDlet, PermissionStateIsAlwaysUnknown) {
    JavaPtr<MIDlet> midlet = newMIDlet();
    for (const char* name : {"", "javax.microedition.io.Connector.http", "anything"})
        EXPECT_EQ(midlet->checkPermission(jnew<String>(name)), -1) << name;
    EXPECT_EQ(midlet->checkPermission(nullptr), -1);
}

// Declared before the proxy tests, which set the flag through forwarding: the flag is never cleared.
TEST(MIDlet, OnlyNotifyDestroyedSetsTheQuitFlagAndItStaysSet) {
    if (MIDlet::quitInvoked.load()) GTEST_SKIP() << "the flag was set earlier in this process";
    JavaPtr<MIDlet> midlet = newMIDlet();
    midlet->notifyPaused();
    midlet->resumeRequest();
    midlet->startApp();
    midlet->pauseApp();
    midlet->destroyApp(true);
    EXPECT_FALSE(MIDlet::quitInvoked.load());
    EXPECT_FALSE(midletQuitInvoked()) << "the display library reads the same flag";
    midlet->notifyDestroyed();
    EXPECT_TRUE(MIDlet::quitInvoked.load());
    EXPECT_TRUE(midletQuitInvoked());
    midlet->notifyDestroyed();
    EXPECT_TRUE(MIDlet::quitInvoked.load());
}

std::vector<std::string> openedURLs;

TEST(MIDlet, PlatformRequestOpensOnlyURLs) {
    struct Row {
        const char* url;
        bool opened;
    };
    const Row rows[] = {
        {"http://www.corvalen.com/lexivo-quiz/", true},
        {"https://example.org/a?b=c#d", true},
        {"mailto:someone@example.org", true},
        {"", false},
        {"no url at all", false},
        {"http://a b", false},
        {"http:", false},
        {":path", false},
        {"1http://example.org", false},
        {"http://example.org/\t", false},
    };
    BrowserLauncher::setOpener([](const char* url) { openedURLs.emplace_back(url); });
    JavaPtr<MIDlet> midlet = newMIDlet();
    for (const Row& row : rows) {
        openedURLs.clear();
        EXPECT_EQ(midlet->platformRequest(jnew<String>(row.url)), row.opened) << row.url;
        EXPECT_EQ(openedURLs, row.opened ? std::vector<std::string>{row.url} : std::vector<std::string>{}) << row.url;
    }
    openedURLs.clear();
    EXPECT_FALSE(midlet->platformRequest(nullptr));
    EXPECT_TRUE(openedURLs.empty());
    BrowserLauncher::setOpener(nullptr);
}

}  // namespace
