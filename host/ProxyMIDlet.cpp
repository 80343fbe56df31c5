#include "host/ProxyMIDlet.h"

#include <utility>

#include "runtime/lang/Exceptions.h"
#include "runtime/lang/UncaughtHandler.h"

using javax::microedition::midlet::MIDlet;

namespace {

// Lifecycle calls run outside the lock, so the application may call back into the proxy.
template <class Call>
void forward(const JavaPtr<MIDlet>& midlet, Call&& call) {
    if (!midlet) return;
    java::lang::runGuarded([&] { call(*midlet); });
}

}  // namespace

void ProxyMIDlet::setFactory(MIDletFactory factory) {
    std::lock_guard guard(s_lock);
    s_factory = factory;
}

ProxyMIDlet::ProxyMIDlet() {
    MIDletFactory factory;
    {
        std::lock_guard guard(s_lock);
        factory = s_factory;
    }
    if (!factory) throw java::lang::IllegalStateException("ProxyMIDlet: no MIDlet factory registered");
    JavaPtr<MIDlet> created = factory();
    if (!created) throw java::lang::IllegalStateException("ProxyMIDlet: the MIDlet factory gave null");
    std::lock_guard guard(s_lock);
    if (m_pMIDlet) throw java::lang::IllegalStateException("ProxyMIDlet: a proxy is already running");
    m_pMIDlet = std::move(created);
}

ProxyMIDlet::~ProxyMIDlet() { clearMIDlet(); }

void ProxyMIDlet::clearMIDlet() {
    JavaPtr<MIDlet> released;
    {
        std::lock_guard guard(s_lock);
        released = std::move(m_pMIDlet);
    }
    // Released outside the lock: the MIDlet's destructor may reach the proxy again.
}

void ProxyMIDlet::startApp() {
    forward(getActualMidlet(), [](MIDlet& midlet) { midlet.startApp(); });
}

void ProxyMIDlet::pauseApp() {
    forward(getActualMidlet(), [](MIDlet& midlet) { midlet.pauseApp(); });
}

void ProxyMIDlet::destroyApp(bool unconditional) {
    forward(getActualMidlet(), [unconditional](MIDlet& midlet) { midlet.destroyApp(unconditional); });
}

void ProxyMIDlet::notifyPaused() {
    forward(getActualMidlet(), [](MIDlet& midlet) { midlet.notifyPaused(); });
}

void ProxyMIDlet::notifyDestroyed() {
    forward(getActualMidlet(), [](MIDlet& midlet) { midlet.notifyDestroyed(); });
}

JavaPtr<MIDlet> ProxyMIDlet::getActualMidlet() {
    std::lock_guard guard(s_lock);
    return m_pMIDlet;
}
