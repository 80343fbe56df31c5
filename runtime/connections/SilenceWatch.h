// The rule that ends an HTTP exchange: too long without body bytes, counted from the start and
// from each chunk. Times are milliseconds of one clock.
#pragma once

#include <cstdint>

namespace javax::microedition::io {

class SilenceWatch {
public:
    SilenceWatch(int64_t limit, int64_t start) : m_limit(limit), m_lastActivity(start) {}

    void bodyArrived(int64_t now) { m_lastActivity = now; }
    // 0 once the limit has run out.
    int64_t remaining(int64_t now) const {
        const int64_t left = m_lastActivity + m_limit - now;
        return left > 0 ? left : 0;
    }

private:
    int64_t m_limit;
    int64_t m_lastActivity;
};

}  // namespace javax::microedition::io
