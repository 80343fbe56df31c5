// The root class: identity equality and hash, toString, and wait/notify on the object's monitor.
#pragma once

#include <cstdint>

#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/TypeId.h"

namespace java::lang {

class String;
class Class;

class Object : public virtual Smart {
public:
    static constexpr const char* className = "java.lang.Object";
    static constexpr int32_t typeID = typeIdOf(className);

    Object() = default;
    ~Object() override = default;

    virtual bool equals(JavaPtr<Object> other);
    virtual int32_t hashCode();
    virtual JavaPtr<String> toString();
    JavaPtr<String> getClassTypeName() override;
    // A new class object naming this object's class.
    JavaPtr<Class> getClass();
    void* castAsTypeID(int32_t id) override;
    static void* castAsTypeIDS(Smart* object, int32_t id) { return object ? object->castAsTypeID(id) : nullptr; }

    // The constructor body of the root class: nothing to do; derived bodies call it first.
    void WENDinvokeconstructor() {}


    // Must be called by the monitor's owner, else IllegalMonitorStateException.
    void wait();
    void wait(int64_t timeoutMillis);
    void notify();
    void notifyAll();
};

}  // namespace java::lang
