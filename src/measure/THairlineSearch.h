#pragma once

#include <QPointF>
#include <optional>

class TPhotoSampler;

// The hairline above the middle of the forehead, which the landmarks do not
// give. A colour model of forehead skin is taken just above the brows; the
// search walks up a narrow strip from between the brows and stops where the
// strip's colour leaves the model for good. There is no answer (the caller
// falls back) when the forehead is covered (the model is not the colour of
// the nose's skin), when the skin ends too soon (bangs) or goes on too far
// (a bald head), or when the strip leaves the photo first.
class THairlineSearch
{
public:
    struct TFace
    {
        QPointF Start;   // between the brows
        QPointF Up;      // unit vector, up the face
        double Height;   // brows to chin along Up, the search's yardstick
        QPointF Skin;    // a point on the nose's bridge
    };

    // The hairline's distance from Start along Up.
    static std::optional<double> Search(const TPhotoSampler &photo, const TFace &face);

    // All as shares of the brows-to-chin height.
    static constexpr double StripHalfWidth = 0.05;
    static constexpr double ModelFrom = 0.06;
    static constexpr double ModelTo = 0.14;
    static constexpr double MinForehead = 0.3;
    static constexpr double MaxForehead = 0.75;
    static constexpr double MinRun = 0.03;
    // Colour distances (RGB, Euclidean).
    static constexpr double MinLeave = 30.0;
    static constexpr double SpreadsToLeave = 3.0;
    static constexpr double MaxSkinDifference = 45.0;
};
