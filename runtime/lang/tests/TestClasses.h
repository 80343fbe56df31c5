// Small classes shaped like runtime classes, shared by the object-model tests.
#pragma once

#include <atomic>

#include "runtime/lang/Object.h"

namespace langtest {

using java::lang::JavaPtr;
using java::lang::Object;
using java::lang::Smart;

// Counts its destructions in a counter the test owns.
class Tracked : public Object {
    JAVA_CLASS(Tracked, "langtest.Tracked", Object)
public:
    explicit Tracked(std::atomic<int>* destroyed) : m_destroyed(destroyed) {}
    ~Tracked() override { m_destroyed->fetch_add(1); }

    JavaPtr<Tracked> next;

private:
    std::atomic<int>* m_destroyed;
};

class Readable : public virtual Smart {
    JAVA_CLASS(Readable, "langtest.Readable", Smart)
public:
    virtual int read() = 0;
};

class Writable : public virtual Smart {
    JAVA_CLASS(Writable, "langtest.Writable", Smart)
public:
    virtual void write(int value) = 0;
};

class Device : public Object {
    JAVA_CLASS(Device, "langtest.Device", Object)
};

// A class with a base class and two interfaces.
class Channel : public Device, public Readable, public Writable {
    JAVA_CLASS(Channel, "langtest.Channel", Device, Readable, Writable)
public:
    explicit Channel(std::atomic<int>* destroyed = nullptr) : m_destroyed(destroyed) {}
    ~Channel() override {
        if (m_destroyed) m_destroyed->fetch_add(1);
    }
    int read() override { return m_value; }
    void write(int value) override { m_value = value; }

private:
    std::atomic<int>* m_destroyed;
    int m_value = 0;
};

}  // namespace langtest
