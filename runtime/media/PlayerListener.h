// Receives a player's events; the event names are shared statics made at runtime start-up.
#pragma once

#include "runtime/lang/JavaPtr.h"
#include "runtime/lang/Object.h"

namespace java::lang { class String; }

namespace javax::microedition::media {

class Player;

class PlayerListener : public virtual java::lang::Smart {
    JAVA_CLASS(PlayerListener, "javax.microedition.media.PlayerListener", java::lang::Smart)
public:
    static inline JavaPtr<java::lang::String> CLOSED;
    static inline JavaPtr<java::lang::String> BUFFERING_STARTED;
    static inline JavaPtr<java::lang::String> BUFFERING_STOPPED;
    static inline JavaPtr<java::lang::String> DEVICE_AVAILABLE;
    static inline JavaPtr<java::lang::String> DEVICE_UNAVAILABLE;
    static inline JavaPtr<java::lang::String> DURATION_UPDATED;
    static inline JavaPtr<java::lang::String> END_OF_MEDIA;
    static inline JavaPtr<java::lang::String> ERROR;
    static inline JavaPtr<java::lang::String> RECORD_ERROR;
    static inline JavaPtr<java::lang::String> RECORD_STARTED;
    static inline JavaPtr<java::lang::String> RECORD_STOPPED;
    static inline JavaPtr<java::lang::String> SIZE_CHANGED;
    static inline JavaPtr<java::lang::String> STARTED;
    static inline JavaPtr<java::lang::String> STOPPED;
    static inline JavaPtr<java::lang::String> STOPPED_AT_TIME;
    static inline JavaPtr<java::lang::String> VOLUME_CHANGED;

    static void PlayerListener_staticInit();
    static void PlayerListener_staticDestroy();

    virtual void playerUpdate(JavaPtr<Player> player, JavaPtr<java::lang::String> event,
                              JavaPtr<java::lang::Object> eventData) = 0;
};

}  // namespace javax::microedition::media
