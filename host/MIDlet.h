// Base class of every application MIDlet: the lifecycle it overrides, the quit signal, platform
// requests and the fixed table of application properties.
#pragma once

#include <atomic>
#include <cstdint>

#include "runtime/lang/Object.h"

namespace java::lang { class String; }

namespace javax::microedition::midlet {

class MIDlet : public java::lang::Object {
    JAVA_CLASS(MIDlet, "javax.microedition.midlet.MIDlet", Object)
public:
    // Set once by notifyDestroyed and never cleared; the tick loop ends when it sees it.
    static inline std::atomic<bool> quitInvoked{false};

    void WENDinvokeconstructor() { Object::WENDinvokeconstructor(); }

    virtual void destroyApp(bool unconditional) {}
    virtual void pauseApp() {}
    virtual void startApp() {}

    void notifyDestroyed();
    // The runtime is not told of pauses and resumes the application asks for itself.
    void notifyPaused() {}
    void resumeRequest() {}

    // Always -1: the permission state is unknown.
    int32_t checkPermission(const JavaPtr<java::lang::String>& permission) { return -1; }
    // Asks the platform to open the URL in the browser; false when it is no URL (null included).
    bool platformRequest(const JavaPtr<java::lang::String>& url);
    // A new string with the value of the attribute named exactly by key; null for any other key.
    JavaPtr<java::lang::String> getAppProperty(const JavaPtr<java::lang::String>& key);
};

}  // namespace javax::microedition::midlet
