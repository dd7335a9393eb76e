#pragma once

#include "TLandmarkPlacement.h"

#include <QImage>
#include <QObject>
#include <QThread>
#include <optional>

// Runs the automatic placement on a worker thread of its own, so that the
// window never waits for the face detector. The photo is handed over as a
// shared copy; the answer comes back on the caller's thread, tagged with the
// photo's cache key so that an answer for a photo replaced meanwhile can be
// told apart and dropped.
class TAutoPlacer : public QObject
{
    Q_OBJECT

public:
    explicit TAutoPlacer(QObject *parent = nullptr);
    ~TAutoPlacer() override;

    bool IsRunning() const { return FRunning; }
    // Ignored while a placement runs.
    void Start(const QImage &photo, const TLandmarkPlacement &placement);

signals:
    // lines: nullopt without a face; error: not empty when the detector or
    // its model could not be loaded.
    void finished(qint64 photoKey, const std::optional<TPlacedLines> &lines, const QString &error);

private:
    QThread FThread;
    QObject *FWorker = nullptr; // lives on FThread
    bool FRunning = false;
};
