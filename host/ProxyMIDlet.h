// The runtime's fixed handle on the application: creates the application's MIDlet through the
// factory the program registers and forwards the platform's lifecycle calls to it.
#pragma once

#include <mutex>

#include "host/MIDlet.h"

class ProxyMIDlet : public java::lang::Object {
    JAVA_CLASS(ProxyMIDlet, "ProxyMIDlet", Object)
public:
    using MIDletFactory = JavaPtr<javax::microedition::midlet::MIDlet> (*)();

    // The program registers its MIDlet class here before the launcher starts it.
    static void setFactory(MIDletFactory factory);

    // Creates the application MIDlet. IllegalStateException when no factory is registered, the
    // factory gives null, or another proxy is still alive (there is one application).
    ProxyMIDlet();
    // Gives back the proxy's reference: the MIDlet goes now unless someone else holds it.
    ~ProxyMIDlet() override;

    // Application failures are reported here, so they never run into the platform's event loop
    // or the starter thread.
    void startApp();
    void pauseApp();
    void destroyApp(bool unconditional);
    void notifyPaused();
    void notifyDestroyed();

    // Null once the proxy is gone or the runtime has cleared it.
    JavaPtr<javax::microedition::midlet::MIDlet> getActualMidlet();

    // The post-stop tear-down's step: forgets the MIDlet without deleting it twice.
    static void clearMIDlet();

private:
    static inline std::mutex s_lock;
    static inline MIDletFactory s_factory = nullptr;
    // Guarded by s_lock: replaced on the tick thread while the UI thread reads it.
    static inline JavaPtr<javax::microedition::midlet::MIDlet> m_pMIDlet;
};
