#include "host/SdlWindow.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "host/xyzApp.h"
#include "platform/FrontBuffer.h"
#include "platform/UiThread.h"

namespace {

std::atomic<uint32_t> wakeEventType{0};
// One wake event in SDL's queue at a time is enough: handling it runs all the work queued.
std::atomic<bool> wakePending{false};
std::atomic<bool> framePending{false};

void pushWake() {
    if (wakePending.exchange(true)) return;
    SDL_Event event{};
    event.type = wakeEventType.load();
    if (SDL_PushEvent(&event) != 1) wakePending = false;
}

// Presenting runs on the painting thread; showing happens on the UI thread, once per wake.
void frameArrived() {
    framePending = true;
    pushWake();
}

// Xlib's own handlers exit the process from inside the event wait, destroying statics under a
// painting thread and never letting the MIDlet's destroyApp run. These only note why; the event
// loop then ends the application in order.
std::atomic<bool> displayLost{false};
std::mutex lossLock;
std::string lossReason;

void noteDisplayLoss(const std::string& why) {
    {
        std::lock_guard guard(lossLock);
        if (lossReason.empty()) lossReason = why;
    }
    displayLost.store(true, std::memory_order_release);
}

int onProtocolError(Display* display, XErrorEvent* error) {
    // No request may be made here; the error text comes from Xlib's own tables.
    char text[256] = "";
    XGetErrorText(display, error->error_code, text, sizeof text);
    noteDisplayLoss("an X protocol error: " + std::string(text) + " (request " +
                    std::to_string(error->request_code) + "." + std::to_string(error->minor_code) + ")");
    return 0;
}

int onConnectionLost(Display*) {
    noteDisplayLoss("the connection to the X display was lost");
    return 0;
}

// Returning, instead of exiting, leaves the connection marked broken: later calls on it fail at once.
void onConnectionLostExit(Display*, void*) { noteDisplayLoss("the connection to the X display was lost"); }

// A resting device held upright.
constexpr double REST_Y = -1.0;
constexpr double KEY_TILT = 0.5;
constexpr auto ACCELEROMETER_INTERVAL = std::chrono::milliseconds(20);

}  // namespace

std::unique_ptr<SdlWindow> SdlWindow::open(int zoom, std::string& whyNot) {
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((!display || !*display) && (!wayland || !*wayland)) {
        whyNot = "no DISPLAY or WAYLAND_DISPLAY is set";
        return nullptr;
    }
    // The mouse stands for the finger; SDL's synthesised mouse events carry real touches.
    SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "1");
    SDL_SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        whyNot = std::string("SDL cannot start its video: ") + SDL_GetError();
        return nullptr;
    }
    const uint32_t type = SDL_RegisterEvents(1);
    if (type == static_cast<uint32_t>(-1)) {
        whyNot = "SDL has no user event left";
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        return nullptr;
    }
    wakeEventType = type;
    XSetErrorHandler(onProtocolError);
    XSetIOErrorHandler(onConnectionLost);
    return std::unique_ptr<SdlWindow>(new SdlWindow(zoom));
}

SdlWindow::SdlWindow(int zoom) : m_zoom(zoom), m_nextSample(Clock::now()) {
    UiThread::setWakeHandler(pushWake);
    platform::setFrameListener(frameArrived);
}

SdlWindow::~SdlWindow() {
    platform::setFrameListener(nullptr);
    UiThread::setWakeHandler(nullptr);
    release();
    // SDL's video stays up until the process ends: shutting it down unloads the X libraries it
    // opened, and what they keep for the process would then show as leaks.
}

void SdlWindow::createWindow(const DeviceScreen& screen, const ScreenSetup& setup, const LaunchImage& launchImage) {
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0 && SDL_GetDisplayBounds(0, &usable) != 0)
        usable = SDL_Rect{0, 0, 1 << 15, 1 << 15};
    const Area usableArea{usable.x, usable.y, usable.w, usable.h};
    WindowPlacement placement = placeWindow(screen, setup, m_zoom, usableArea, {});
    m_window = SDL_CreateWindow(TITLE, placement.window.x, placement.window.y, placement.window.width,
                                placement.window.height, SDL_WINDOW_SHOWN);
    if (!m_window) {
        SDL_Log("cannot open the window: %s", SDL_GetError());
        return;
    }
    // The window manager's frame is known only once it has framed the window.
    Borders borders;
    if (SDL_GetWindowBordersSize(m_window, &borders.top, &borders.left, &borders.bottom, &borders.right) == 0) {
        placement = placeWindow(screen, setup, m_zoom, usableArea, borders);
        SDL_SetWindowSize(m_window, placement.window.width, placement.window.height);
        SDL_SetWindowPosition(m_window, placement.window.x, placement.window.y);
    }
    // Below 1 the zoom is the fraction of the device's screen that fits, as in "zoom 0.75 is used".
    if (placement.scale != m_zoom)
        std::printf("window: zoom %d does not fit the display's usable %d x %d pixels; zoom %.3g is used\n", m_zoom,
                    usable.w, usable.h, placement.scale);
    m_view = placement.view;
    m_pointsPerPixel = static_cast<double>(setup.viewWidth > 0 ? setup.viewWidth : screen.boundsWidth) / m_view.width;
    SDL_SysWMinfo system;
    SDL_VERSION(&system.version);
    if (SDL_GetWindowWMInfo(m_window, &system) == SDL_TRUE && system.subsystem == SDL_SYSWM_X11)
        XSetIOErrorExitHandler(system.info.x11.display, onConnectionLostExit, nullptr);
    // Software rendering: the frame is already pixels, and the window must work on any display.
    m_renderer = SDL_CreateRenderer(m_window, -1, SDL_RENDERER_SOFTWARE);
    if (!m_renderer) SDL_Log("cannot draw in the window: %s", SDL_GetError());
    m_launchImage = launchImage;
    showLatestFrame();
}

std::string SdlWindow::displayLoss() {
    std::lock_guard guard(lossLock);
    return lossReason;
}

void SdlWindow::release() {
    // On a lost display the window's resources are left to the process's end.
    if (m_displayLost) {
        m_texture = nullptr;
        m_renderer = nullptr;
        m_window = nullptr;
    }
    if (m_texture) SDL_DestroyTexture(m_texture);
    if (m_renderer) SDL_DestroyRenderer(m_renderer);
    if (m_window) SDL_DestroyWindow(m_window);
    m_texture = nullptr;
    m_renderer = nullptr;
    m_window = nullptr;
    m_launchImage = LaunchImage{};
}

bool SdlWindow::handleDisplayLoss() {
    if (m_displayLost || !displayLost.load(std::memory_order_acquire)) return m_displayLost;
    m_displayLost = true;
    // Nothing may reach SDL's display from here on: wakes go to the work queue's own wait.
    UiThread::setWakeHandler(nullptr);
    platform::setFrameListener([] { UiThread::post([] {}); });
    if (m_app) m_app->applicationWillTerminate();
    return true;
}

bool SdlWindow::runUntil(Clock::time_point deadline, const std::function<bool()>& done) {
    for (;;) {
        if (handleDisplayLoss()) {
            UiThread::runPending();
            if (done()) return true;
            const Clock::time_point now = Clock::now();
            if (now >= deadline) return false;
            UiThread::waitForWork(std::min(std::chrono::ceil<std::chrono::milliseconds>(deadline - now),
                                           std::chrono::milliseconds(1000)));
            continue;
        }
        UiThread::runPending();
        if (framePending.exchange(false)) showLatestFrame();
        if (done()) return true;
        Clock::time_point now = Clock::now();
        sampleAccelerometerWhenDue(now);
        if (now >= deadline) return false;
        const Clock::time_point wakeAt = std::min(deadline, m_nextSample);
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(wakeAt - Clock::now());
        SDL_Event event;
        const int timeout = static_cast<int>(std::clamp<int64_t>(wait.count(), 0, 1000));
        if (SDL_WaitEventTimeout(&event, timeout) == 1) {
            handle(event);
            while (SDL_PollEvent(&event) == 1) handle(event);
        }
    }
}

void SdlWindow::sampleAccelerometerWhenDue(Clock::time_point now) {
    if (now < m_nextSample) return;
    // A loop held up for longer sends one sample, not the ones it missed.
    m_nextSample = std::max(m_nextSample + ACCELEROMETER_INTERVAL, now);
    if (m_app && !m_app->terminated()) m_app->accelerometerDidAccelerate(m_tiltX, REST_Y + m_tiltY, 0.0);
}

void SdlWindow::handle(const SDL_Event& event) {
    if (event.type == wakeEventType.load()) {
        wakePending = false;
        return;  // the loop runs the queue next
    }
    if (!m_app) return;
    // Window pixels to the application's view points.
    const auto pointX = [this](int x) { return (x - m_view.x) * m_pointsPerPixel; };
    const auto pointY = [this](int y) { return (y - m_view.y) * m_pointsPerPixel; };
    switch (event.type) {
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT)
                m_app->touches().touchesBegan(pointX(event.button.x), pointY(event.button.y));
            break;
        case SDL_MOUSEMOTION:
            if (event.motion.state & SDL_BUTTON_LMASK)
                m_app->touches().touchesMoved(pointX(event.motion.x), pointY(event.motion.y));
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT)
                m_app->touches().touchesEnded(pointX(event.button.x), pointY(event.button.y));
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const double tilt = event.type == SDL_KEYDOWN ? KEY_TILT : 0.0;
            switch (event.key.keysym.sym) {
                case SDLK_LEFT: m_tiltX = -tilt; break;
                case SDLK_RIGHT: m_tiltX = tilt; break;
                case SDLK_UP: m_tiltY = tilt; break;
                case SDLK_DOWN: m_tiltY = -tilt; break;
                default: break;
            }
            break;
        }
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_FOCUS_LOST: m_app->applicationWillResignActive(); break;
                case SDL_WINDOWEVENT_FOCUS_GAINED: m_app->applicationDidBecomeActive(); break;
                case SDL_WINDOWEVENT_CLOSE: m_app->applicationWillTerminate(); break;
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_SIZE_CHANGED: m_shownSerial = 0; showLatestFrame(); break;
                default: break;
            }
            break;
        case SDL_QUIT: m_app->applicationWillTerminate(); break;
        default: break;
    }
}

void SdlWindow::showLatestFrame() {
    if (!m_renderer) return;
    const uint64_t presented = platform::framesPresented();
    if (presented == 0) {
        if (!m_launchImage.pixels.empty()) {
            present(m_launchImage.pixels.data(), m_launchImage.width, m_launchImage.height);
        } else {
            SDL_SetRenderDrawColor(m_renderer, 0, 0, 0, 255);
            SDL_RenderClear(m_renderer);
            SDL_RenderPresent(m_renderer);
        }
        return;
    }
    if (presented == m_shownSerial) return;
    const std::shared_ptr<const platform::Frame> frame = platform::presentedFrame();
    m_shownSerial = frame->serial;
    present(frame->pixels.data(), frame->width, frame->height);
}

void SdlWindow::present(const uint32_t* pixels, int width, int height) {
    if (width <= 0 || height <= 0) return;
    if (!m_texture || width != m_textureWidth || height != m_textureHeight) {
        if (m_texture) SDL_DestroyTexture(m_texture);
        // The pixel word holds red in its low byte: RGBA in memory.
        m_texture = SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STREAMING, width, height);
        m_textureWidth = width;
        m_textureHeight = height;
        if (!m_texture) return;
        SDL_SetTextureBlendMode(m_texture, SDL_BLENDMODE_NONE);
        // A frame shown at a scale that is neither a whole multiple nor a whole divisor of its size
        // is smoothed, not cut into uneven rows and columns.
        const auto uneven = [](int view, int frame) { return view % frame != 0 && frame % view != 0; };
        if (uneven(m_view.width, width) || uneven(m_view.height, height))
            SDL_SetTextureScaleMode(m_texture, SDL_ScaleModeLinear);
    }
    SDL_UpdateTexture(m_texture, nullptr, pixels, width * 4);
    SDL_RenderClear(m_renderer);
    const SDL_Rect view{m_view.x, m_view.y, m_view.width, m_view.height};
    SDL_RenderCopy(m_renderer, m_texture, nullptr, &view);
    SDL_RenderPresent(m_renderer);
}
