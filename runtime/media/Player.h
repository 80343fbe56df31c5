// A sound that can be realized, prefetched, started and stopped, with listeners for its events.
#pragma once

#include <cstdint>

#include "runtime/media/Controllable.h"

namespace javax::microedition::media {

class PlayerListener;
class TimeBase;

class Player : public Controllable {
    JAVA_CLASS(Player, "javax.microedition.media.Player", Controllable)
public:
    static constexpr int32_t UNREALIZED = 100;
    static constexpr int32_t REALIZED = 200;
    static constexpr int32_t PREFETCHED = 300;
    static constexpr int32_t STARTED = 400;
    static constexpr int32_t CLOSED = 0;
    static constexpr int64_t TIME_UNKNOWN = -1;

    virtual void addPlayerListener(JavaPtr<PlayerListener> listener) = 0;
    virtual void close() = 0;
    virtual void deallocate() = 0;
    virtual JavaPtr<java::lang::String> getContentType() = 0;
    virtual int64_t getDuration() = 0;
    virtual int64_t getMediaTime() = 0;
    virtual int32_t getState() = 0;
    virtual JavaPtr<TimeBase> getTimeBase() = 0;
    virtual void prefetch() = 0;
    virtual void realize() = 0;
    virtual void removePlayerListener(JavaPtr<PlayerListener> listener) = 0;
    virtual void setLoopCount(int32_t count) = 0;
    virtual int64_t setMediaTime(int64_t now) = 0;
    virtual void setTimeBase(JavaPtr<TimeBase> master) = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
};

}  // namespace javax::microedition::media
