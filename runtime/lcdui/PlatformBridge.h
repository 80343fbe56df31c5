// The functions the platform layer implements for the display code; the only way in which this
// code reaches the platform.
#pragma once

#include <cstdint>

// Decodes JPEG data into a std::malloc block of width x height 0xAARRGGBB words (alpha 0xFF) that
// the caller frees. Both outputs are -1 on entry and 0 when the data does not decode (null result).
uint32_t* decodeJPEGtoRGB(const uint8_t* bytes, int32_t length, int32_t* width, int32_t* height);

// True once the MIDlet has asked to quit (never cleared); repaints stop from then on.
bool midletQuitInvoked();
// Plays the platform's vibrate sound; the length of a vibration is not the platform's to choose.
void vibrateDevice();
// Hands the finished frame to the platform view.
void frameBufferUpdate();

// The OpenGL view, used by the texture back end on the painting thread. Each answers false when the
// view cannot draw or present (the platform reports why); nothing may then be drawn for the frame.
// EGLstart: the first frame of the process; builds the view if needed, then as EGLWaitNative.
bool EGLstart();
// Makes the GL context current on the calling thread and binds the view's framebuffer.
bool EGLWaitNative();
// Presents the drawn frame and releases the context from the calling thread.
bool EGLWaitGL();
// Releases the context from the calling thread without presenting: the frame of a hidden canvas.
void EGLReleaseUnpresented();
// Gives the software view back the screen and destroys the view's framebuffer.
void EGLstop();
// Replaces the view's depth buffer: 16 bits when depth is 16, else 24. Needs the context current.
void setGLBufferDepth(int32_t depth);
// True while the calling thread owns the view: from EGLstart or EGLWaitNative until EGLWaitGL or
// EGLstop. Another thread's EGLstart and EGLWaitNative wait for the owner, within a bound.
bool EGLcontextOwnedHere();
// True when another thread owned the view between the calling owner's previous turn and this one.
bool EGLviewTouchedByAnotherThread();
// Counts the GL contexts the view has made: when it changes, every GL object made before is gone.
uint64_t EGLcontextSerial();
