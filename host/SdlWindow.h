// The windowed host: an SDL window that shows the launch image and then each presented frame,
// and whose event loop is the UI thread's: mouse and touch become touches in view points, window
// focus and close become the delegate's lifecycle events, and a 50 Hz timer feeds the
// accelerometer (the arrow keys tilt the device while held).
#pragma once

#include <memory>
#include <string>

#include "host/UiPump.h"
#include "host/Views.h"
#include "host/WindowPlacement.h"

class xyzApp;
struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

class SdlWindow : public Views, public UiPump {
public:
    // Starts SDL's video; null, with the reason, when there is no display to open a window on.
    static std::unique_ptr<SdlWindow> open(int zoom, std::string& whyNot);
    ~SdlWindow() override;

    // The delegate that the window's events go to; set before launching.
    void attach(xyzApp& app) { m_app = &app; }

    void createWindow(const DeviceScreen& screen, const ScreenSetup& setup, const LaunchImage& launchImage) override;
    void release() override;
    bool runUntil(Clock::time_point deadline, const std::function<bool()>& done) override;

    // The window's own title, by which tests find it.
    static constexpr const char* TITLE = "ZAR Lexivo Quiz";

    // Why the display was lost (the connection closed, or an X protocol error); empty while it is
    // not. A loss terminates the application as closing the window does, and from then on the
    // window makes no call to the display.
    static std::string displayLoss();

private:
    explicit SdlWindow(int zoom);
    void handle(const SDL_Event& event);
    void sampleAccelerometerWhenDue(Clock::time_point now);
    void showLatestFrame();
    void present(const uint32_t* pixels, int width, int height);
    // Once the display is lost: terminates the application (once) and stops using the display.
    bool handleDisplayLoss();

    int m_zoom;
    // Where the application's view lies in the window, and how many view points a window pixel is.
    Area m_view;
    double m_pointsPerPixel = 1.0;
    xyzApp* m_app = nullptr;
    SDL_Window* m_window = nullptr;
    SDL_Renderer* m_renderer = nullptr;
    SDL_Texture* m_texture = nullptr;
    int m_textureWidth = 0;
    int m_textureHeight = 0;
    LaunchImage m_launchImage;
    uint64_t m_shownSerial = 0;
    Clock::time_point m_nextSample;
    double m_tiltX = 0;
    double m_tiltY = 0;
    bool m_displayLost = false;
};
