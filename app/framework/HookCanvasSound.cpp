// The canvas's sound, light and vibration: the channel operations are the sound channels'.
#include "app/framework/AppMidlet.h"
#include "app/framework/HookCanvas.h"
#include "runtime/lcdui/Display.h"

void HookCanvas::vibrate(int32_t ms) {
    if (JavaPtr<javax::microedition::lcdui::Display> display = AppMidlet::getDisplayStatic()) display->vibrate(ms);
    vibration_end_time = ms >= 1 ? loopMillis() + ms : 0;
}

int32_t HookCanvas::loadSound(int32_t id) { return sound_channels.loadSound(id); }
void HookCanvas::unloadSound(int32_t id) { sound_channels.unloadSound(id); }
int32_t HookCanvas::alreadyLoadedChannel(int32_t id) { return sound_channels.alreadyLoadedChannel(id); }
void HookCanvas::createPlayerAndPrefetch(int32_t channel) { sound_channels.createPlayerAndPrefetch(channel); }
void HookCanvas::playSound(int32_t id, int32_t priority, int32_t loops) { sound_channels.playSound(id, priority, loops); }
void HookCanvas::_FuSeD_mThD_1_playSound(int32_t id, int32_t priority, int32_t loops) {
    sound_channels._FuSeD_mThD_1_playSound(id, priority, loops);
}
bool HookCanvas::resumeSound(int32_t id) { return sound_channels.resumeSound(id); }
bool HookCanvas::playResumeSound(int32_t id, int32_t priority, int32_t loops, bool resume) {
    return sound_channels.playResumeSound(id, priority, loops, resume);
}
void HookCanvas::pauseSound(int32_t id) { sound_channels.pauseSound(id); }
void HookCanvas::stopSound(int32_t id) { sound_channels.stopSound(id); }
void HookCanvas::stopAllSounds() { sound_channels.stopAllSounds(); }
void HookCanvas::stopSoundChannel(int32_t channel) { sound_channels.stopSoundChannel(channel); }
void HookCanvas::cleanUpPlayerFromChannel(int32_t channel) { sound_channels.cleanUpPlayerFromChannel(channel); }
void HookCanvas::setVolume(int32_t level) { sound_channels.setVolume(level); }
void HookCanvas::beep() { sound_channels.beep(); }
void HookCanvas::closeSounds() { sound_channels.closeAll(); }
