#pragma once

class QCoreApplication;

// Start-up measurement for the benchmarks. When ORVESSA_STARTUP_PROBE holds
// the launch time (nanoseconds since the epoch), the program prints
// "startup_ms <elapsed>" once its window is shown and the event loop is idle,
// then quits. Without the variable it does nothing.
class TStartupProbe
{
public:
    static void arm(QCoreApplication &app);
};
