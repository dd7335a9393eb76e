#include "TStartupWarmUp.h"

#include <QDBusConnection>
#include <QFontDatabase>
#include <QStringList>
#include <fontconfig/fontconfig.h>

TStartupWarmUp::TStartupWarmUp()
{
    FHelper = std::thread(&TStartupWarmUp::work, this, FApplicationReady.get_future());
}

TStartupWarmUp::~TStartupWarmUp()
{
    wait();
}

void TStartupWarmUp::applicationReady()
{
    release(true);
}

void TStartupWarmUp::wait()
{
    release(false); // a helper still waiting for the application stops
    if (FHelper.joinable())
        FHelper.join();
}

void TStartupWarmUp::release(bool applicationReady)
{
    if (FApplicationReadySet)
        return;
    FApplicationReadySet = true;
    FApplicationReady.set_value(applicationReady);
}

void TStartupWarmUp::work(std::future<bool> applicationReady)
{
    // Fontconfig keeps one global configuration and installs it atomically;
    // the toolkit's own call later finds it loaded.
    FcInit();
    if (!applicationReady.get())
        return;
    // In the order the main thread needs them. Both are guarded by the
    // toolkit's own locks: should the main thread get there first, it waits
    // for the helper's work instead of repeating it.
    QDBusConnection::sessionBus();
    QFontDatabase::families();
}
