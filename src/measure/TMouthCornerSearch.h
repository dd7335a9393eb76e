#pragma once

#include <QPointF>
#include <optional>

class TPhotoSampler;

// Where a mouth's corner ends on the photo. The landmarks put a smiling
// mouth's corners a pixel or two off the lips, so the search looks along the
// mouth's line near the corner, from a little inside the inner lips' corner
// to a little beyond the model's corner, for the outermost point of the dark
// line between the lips: where it comes back past halfway from its darkest
// to the cheek's skin (sampled just beyond the search). No answer, and the
// caller keeps the model's corner, when the line is not clearly darker than
// the skin (a closed mouth without a line, a flat photo), when it runs on to
// the end of the search, or when the search leaves the photo.
class TMouthCornerSearch
{
public:
    struct TCorner
    {
        QPointF Outer;   // the mouth's corner (49 or 55)
        QPointF Inner;   // the inner lips' corner beside it (61 or 65)
        QPointF Outward; // unit vector along the mouth, away from the other corner
        double Width;    // corner to corner, the search's yardstick
    };

    // The corner's distance from Outer along Outward (negative: inwards).
    static std::optional<double> Search(const TPhotoSampler &photo, const TCorner &corner);

    // How far the search goes inside Inner and beyond Outer, as shares of
    // the width (at least MinMargin pixels).
    static constexpr double Inside = 0.1;
    static constexpr double Beyond = 0.1;
    static constexpr double MinMargin = 2.0;
    // The skin's luma less the line's darkest, at least.
    static constexpr double MinContrast = 50.0;
    // Pixels of skin sampled beyond the search, along the mouth.
    static constexpr int SkinSteps = 3;
};
