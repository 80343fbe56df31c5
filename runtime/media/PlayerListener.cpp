#include "runtime/media/PlayerListener.h"

#include "runtime/text/String.h"

namespace javax::microedition::media {

namespace {
using java::lang::String;

struct EventName {
    JavaPtr<String>* field;
    const char* text;
};

const EventName EVENT_NAMES[] = {
    {&PlayerListener::CLOSED, "closed"},
    {&PlayerListener::BUFFERING_STARTED, "bufferingStarted"},
    {&PlayerListener::BUFFERING_STOPPED, "bufferingStopped"},
    {&PlayerListener::DEVICE_AVAILABLE, "deviceAvailable"},
    {&PlayerListener::DEVICE_UNAVAILABLE, "deviceUnavailable"},
    {&PlayerListener::DURATION_UPDATED, "durationUpdated"},
    {&PlayerListener::END_OF_MEDIA, "endOfMedia"},
    {&PlayerListener::ERROR, "error"},
    {&PlayerListener::RECORD_ERROR, "recordError"},
    {&PlayerListener::RECORD_STARTED, "recordStarted"},
    {&PlayerListener::RECORD_STOPPED, "recordStopped"},
    {&PlayerListener::SIZE_CHANGED, "sizeChanged"},
    {&PlayerListener::STARTED, "started"},
    {&PlayerListener::STOPPED, "stopped"},
    {&PlayerListener::STOPPED_AT_TIME, "stoppedAtTime"},
    {&PlayerListener::VOLUME_CHANGED, "volumeChanged"},
};
}  // namespace

void PlayerListener::PlayerListener_staticInit() {
    for (const EventName& name : EVENT_NAMES) *name.field = java::lang::jnew<String>(name.text);
}

void PlayerListener::PlayerListener_staticDestroy() {
    for (const EventName& name : EVENT_NAMES) *name.field = nullptr;
}

}  // namespace javax::microedition::media
