#pragma once

#include <QCoreApplication>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <unistd.h>

// Milliseconds since this process started, read from /proc (start time in
// clock ticks after boot) against CLOCK_BOOTTIME.
namespace StartupClock {

inline double millisecondsSinceProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string field;
    for (int i = 0; i < 22 && stat >> field; ++i) {
    }
    const double startSeconds = std::stod(field) / double(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return (double(now.tv_sec) + double(now.tv_nsec) / 1e9 - startSeconds) * 1000.0;
}

inline void reportAndQuit()
{
    std::printf("startup_ms %.1f\n", millisecondsSinceProcessStart());
    std::fflush(stdout);
    QCoreApplication::quit();
}

} // namespace StartupClock
