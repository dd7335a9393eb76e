#pragma once

#include "TFaceLandmarks.h"

#include <QImage>
#include <QString>
#include <QtPlugin>
#include <optional>

// Finds a face and its 68 landmarks. The detector and its model are large
// and slow to load, so they live in a plugin beside the executable that is
// loaded with the first automatic placement, never at start-up.
class TLandmarkDetector
{
public:
    virtual ~TLandmarkDetector() = default;

    // The landmarks, in photo pixels, of the most confident face on the
    // photo; nullopt when there is none. The model is read from modelPath on
    // the first call (later calls keep it); a model that cannot be read
    // throws EOrvessaError. Calls may come from any one thread at a time.
    virtual std::optional<TFaceLandmarks> Detect(const QImage &photo, const QString &modelPath) = 0;
};

#define TLandmarkDetector_iid "org.tallowmere.Orvessa.LandmarkDetector/1.0"
Q_DECLARE_INTERFACE(TLandmarkDetector, TLandmarkDetector_iid)
