#include "runtime/lang/ref/WeakReference.h"

#include <mutex>

namespace java::lang::ref {

namespace {
// One lock for all weak lists: weak references are rare and their operations short.
std::mutex weakLock;
}  // namespace

WeakReference::WeakReference(const JavaPtr<Object>& referent) {
    if (!referent) return;
    std::lock_guard<std::mutex> guard(weakLock);
    m_referent = referent.smart();
    m_object = referent.get();
    m_next = m_referent->m_weakHead.load(std::memory_order_relaxed);
    m_referent->m_weakHead.store(this, std::memory_order_release);
}

WeakReference::~WeakReference() { clear(); }

JavaPtr<Object> WeakReference::get() {
    std::lock_guard<std::mutex> guard(weakLock);
    if (!m_referent || !m_referent->tryAcquireLive()) return nullptr;
    JavaPtr<Object> result(m_object);
    m_referent->release();  // the JavaPtr now holds its own count
    return result;
}

void WeakReference::clear() {
    std::lock_guard<std::mutex> guard(weakLock);
    unlink();
}

void WeakReference::unlink() noexcept {
    if (!m_referent) return;
    if (m_referent->m_weakHead.load(std::memory_order_relaxed) == this) {
        m_referent->m_weakHead.store(m_next, std::memory_order_release);
    } else {
        for (WeakReference* previous = m_referent->m_weakHead.load(std::memory_order_relaxed); previous;
             previous = previous->m_next) {
            if (previous->m_next == this) {
                previous->m_next = m_next;
                break;
            }
        }
    }
    m_referent = nullptr;
    m_object = nullptr;
    m_next = nullptr;
}

void WeakReference::clearAll(Smart* referent) noexcept {
    std::lock_guard<std::mutex> guard(weakLock);
    for (WeakReference* weak = referent->m_weakHead.load(std::memory_order_relaxed); weak;) {
        WeakReference* next = weak->m_next;
        weak->m_referent = nullptr;
        weak->m_object = nullptr;
        weak->m_next = nullptr;
        weak = next;
    }
    referent->m_weakHead.store(nullptr, std::memory_order_release);
}

}  // namespace java::lang::ref
