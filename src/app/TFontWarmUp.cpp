#include "TFontWarmUp.h"

#include <QFontDatabase>
#include <QStringList>
#include <fontconfig/fontconfig.h>

TFontWarmUp::TFontWarmUp()
{
    FHelper = std::thread(&TFontWarmUp::work, this, FApplicationReady.get_future());
}

TFontWarmUp::~TFontWarmUp()
{
    wait();
}

void TFontWarmUp::applicationReady()
{
    if (FApplicationReadySet)
        return;
    FApplicationReadySet = true;
    FApplicationReady.set_value(true);
}

void TFontWarmUp::wait()
{
    if (!FApplicationReadySet) {
        FApplicationReadySet = true;
        FApplicationReady.set_value(false);
    }
    if (FHelper.joinable())
        FHelper.join();
}

void TFontWarmUp::work(std::future<bool> applicationReady)
{
    // Fontconfig keeps one global configuration and installs it atomically;
    // the toolkit's own call later finds it loaded.
    FcInit();
    // The font database is guarded by the toolkit's own lock: should the main
    // thread need a font first, it waits for this fill instead of repeating it.
    if (applicationReady.get())
        QFontDatabase::families();
}
