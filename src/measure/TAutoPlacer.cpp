#include "TAutoPlacer.h"

#include "TFaceFinder.h"

#include <exception>

TAutoPlacer::TAutoPlacer(QObject *parent) : QObject(parent), FWorker(new QObject)
{
    FThread.setObjectName(QStringLiteral("AutoPlacerThread"));
    FWorker->moveToThread(&FThread);
    connect(&FThread, &QThread::finished, FWorker, &QObject::deleteLater);
    FThread.start();
}

TAutoPlacer::~TAutoPlacer()
{
    // A placement in progress runs to its end; its answer is dropped with
    // this object.
    FThread.quit();
    FThread.wait();
}

void TAutoPlacer::Start(const QImage &photo, const TLandmarkPlacement &placement)
{
    if (FRunning)
        return;
    FRunning = true;
    const qint64 key = photo.cacheKey();
    QMetaObject::invokeMethod(FWorker, [this, photo, key, placement] {
        std::optional<TPlacedLines> lines;
        QString error;
        try {
            lines = TFaceFinder::Place(photo, placement);
        } catch (const std::exception &failure) {
            error = QString::fromUtf8(failure.what());
            if (error.isEmpty())
                error = QStringLiteral("The face could not be looked for.");
        }
        // Back on the owner's thread; posted to this object, so it is
        // dropped if the placer is gone.
        QMetaObject::invokeMethod(this, [this, key, lines, error] {
            FRunning = false;
            emit finished(key, lines, error);
        }, Qt::QueuedConnection);
    }, Qt::QueuedConnection);
}
