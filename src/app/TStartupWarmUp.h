#pragma once

#include <future>
#include <thread>

// Gets slow shared services ready on a helper thread while the main thread
// builds the windows:
// - the system's font configuration (dozens of XML files), read while the
//   application connects to the display;
// - the session bus connection, which the accessibility bridge opens, and
//   waits for, with the first control that has a text;
// - the font database, which the first text measured would fill.
// All three are thread-safe and none needs a window.
class TStartupWarmUp
{
public:
    // Starts reading the font configuration; call before the application
    // object exists.
    TStartupWarmUp();
    // Waits for the helper.
    ~TStartupWarmUp();

    TStartupWarmUp(const TStartupWarmUp &) = delete;
    TStartupWarmUp &operator=(const TStartupWarmUp &) = delete;

    // The application object exists: the helper goes on with the services
    // that need it. Without this call the helper stops after the font
    // configuration.
    void applicationReady();
    // Waits until the helper is done; call before the application object is
    // destroyed.
    void wait();

private:
    // Answers the helper's question once; later calls change nothing.
    void release(bool applicationReady);
    void work(std::future<bool> applicationReady);

    std::promise<bool> FApplicationReady;
    bool FApplicationReadySet = false;
    std::thread FHelper;
};
