#include "host/SMSHandshake.h"

void SMSHandshake::answer(int32_t outcome) {
    {
        std::lock_guard guard(m_lock);
        if (m_smsDelegateValue != PENDING) return;
        m_smsDelegateValue = outcome;
    }
    m_answered.notify_all();
}

int32_t SMSHandshake::outcome() {
    std::lock_guard guard(m_lock);
    return m_smsDelegateValue;
}

int32_t SMSHandshake::awaitOutcome() {
    std::unique_lock guard(m_lock);
    m_answered.wait(guard, [this] { return m_smsDelegateValue != PENDING; });
    return m_smsDelegateValue;
}
