#pragma once

#include "core/TFloatRect.h"
#include "core/TMeasureCatalogue.h"

#include <array>

// The lengths of the measurements and the face-position distance, taken from
// the measurement store. All values are in photo pixels, as 32-bit floats.
struct TFaceProportions
{
    // MeasureLength[n] is the length of measurement n (1 to 11); [0] is unused.
    std::array<float, MeasureCount + 1> MeasureLength{};
    // The distance D between measurement 8's Bottom and the reference height
    // derived from measurement 11.
    float FacePositionDistance = 0.0f;

    // Recomputes every field from the store (entries 1 to 11; a missing entry
    // counts as all zero) and returns true when no length is zero.
    bool IsCalceFacePosition(const TMeasureStore &store);
};
