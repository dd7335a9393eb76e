#pragma once

#include <QPointF>
#include <optional>

class TPhotoSampler;

// The outer edge of a nose wing. The nostril points of the landmarks lie
// inside the wings, so the search walks outwards from one along the row and
// takes the strongest step from skin to shadow (bright to dark, going out)
// within reach. No step at least MinStep deep: no clear edge.
class TAlarEdgeSearch
{
public:
    // start: the nostril point; outward: unit direction away from the other
    // nostril; reach: how far to look, in photo pixels. The answer is the
    // edge's distance from start.
    static std::optional<double> Search(const TPhotoSampler &photo, QPointF start, QPointF outward, double reach);

    // Luma difference across the step, each side averaged over a few pixels.
    static constexpr double MinStep = 18.0;
};
