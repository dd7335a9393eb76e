#include "TStartupProbe.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimer>
#include <cstdio>

void TStartupProbe::arm(QCoreApplication &app)
{
    bool ok = false;
    const qint64 launchNs = qEnvironmentVariable("ORVESSA_STARTUP_PROBE").toLongLong(&ok);
    if (!ok)
        return;
    // A zero timer fires once the queued show and paint events are handled.
    QTimer::singleShot(0, &app, [launchNs] {
        const qint64 nowNs = QDateTime::currentMSecsSinceEpoch() * 1000000;
        std::printf("startup_ms %.1f\n", double(nowNs - launchNs) / 1e6);
        std::fflush(stdout);
        QCoreApplication::quit();
    });
}
