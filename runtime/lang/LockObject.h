// Scoped holder of an object's monitor, as returned by Smart::startSync.
#pragma once

namespace java::lang {

class Smart;

class LockObject {
public:
    LockObject() = default;
    explicit LockObject(Smart* owner) : m_owner(owner) {}
    LockObject(LockObject&& other) noexcept : m_owner(other.m_owner) { other.m_owner = nullptr; }
    LockObject& operator=(LockObject&& other) noexcept;
    LockObject(const LockObject&) = delete;
    LockObject& operator=(const LockObject&) = delete;
    ~LockObject() { release(); }

    // Null when the calling thread already owned the monitor, so nothing is released here.
    bool isNull() const { return m_owner == nullptr; }

private:
    void release();
    Smart* m_owner = nullptr;
};

}  // namespace java::lang
