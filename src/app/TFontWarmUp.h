#pragma once

#include <future>
#include <thread>

// Gets the fonts ready on a helper thread while the main thread starts the
// application. The first text the main window measures would otherwise wait
// for the system's font configuration to be parsed (dozens of XML files) and
// for the font database to be filled: together the slowest step of start-up.
// Both are thread-safe, and neither needs a window.
class TFontWarmUp
{
public:
    // Starts reading the font configuration; call before the application
    // object exists, so the reading overlaps the connection to the display.
    TFontWarmUp();
    // Waits for the helper.
    ~TFontWarmUp();

    TFontWarmUp(const TFontWarmUp &) = delete;
    TFontWarmUp &operator=(const TFontWarmUp &) = delete;

    // The application object exists: the helper goes on to fill its font
    // database. Without this call the helper stops after the configuration.
    void applicationReady();
    // Waits until the helper is done; call before the application object is
    // destroyed.
    void wait();

private:
    void work(std::future<bool> applicationReady);

    std::promise<bool> FApplicationReady;
    bool FApplicationReadySet = false;
    std::thread FHelper;
};
