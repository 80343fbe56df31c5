// A reference that does not keep its referent alive; cleared when the referent is destroyed.
#pragma once

#include "runtime/lang/Object.h"

namespace java::lang::ref {

class WeakReference : public Object {
    JAVA_CLASS(WeakReference, "java.lang.ref.WeakReference", Object)
public:
    explicit WeakReference(const JavaPtr<Object>& referent);
    ~WeakReference() override;

    // The referent, or null once it has been destroyed or cleared.
    JavaPtr<Object> get();
    void clear();

    // Called as an object's destruction begins: every weak reference to it reads null from then on.
    static void clearAll(Smart* referent) noexcept;

private:
    void unlink() noexcept;

    Smart* m_referent = nullptr;
    Object* m_object = nullptr;
    WeakReference* m_next = nullptr;
};

}  // namespace java::lang::ref
