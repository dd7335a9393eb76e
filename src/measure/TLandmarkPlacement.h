#pragma once

#include "TFaceLandmarks.h"
#include "core/TFloatRect.h"
#include "core/TMeasureCatalogue.h"

#include <QImage>
#include <array>

// The eleven guide lines as the landmarks place them.
struct TPlacedLines
{
    // Lines[n] is measurement n's rectangle (1 to 11); [0] is unused.
    std::array<TFloatRect, MeasureCount + 1> Lines{};
    // True where the photo did not show the feature clearly and a rule of
    // thumb placed the line instead (3: the nose wings, 9: the hairline).
    std::array<bool, MeasureCount + 1> Check{};
    // The eyes' line against the horizontal, in degrees, clockwise on screen
    // (the right eye lower) positive.
    double TiltDegrees = 0.0;

    // Above this the user is told to straighten the photo.
    static constexpr double MaxTiltDegrees = 5.0;
    bool NeedsStraightening() const;
};

// From the 68 landmarks and the photo to the guide lines: horizontal lines
// for 1 to 5 and vertical ones for 6 to 11, each where the feature is on
// the photo (a tilted head keeps its lines on its features; horizontal and
// vertical lengths then shrink alike, so the index stays), as thick as the
// guide-line pictures.
class TLandmarkPlacement
{
public:
    // The thickness of the horizontal line picture (its height) and of the
    // vertical one (its width), in photo pixels.
    TLandmarkPlacement(float horizontalThickness, float verticalThickness);

    TPlacedLines Place(const TFaceLandmarks &face, const QImage &photo) const;

    // When a nose wing shows no clear edge, the line is this share of the
    // nostril points' distance longer on that side.
    static constexpr double AlarFallback = 0.2;
    // How far out the nose wings' edges are looked for, as a share of the
    // nostril points' distance.
    static constexpr double AlarReach = 0.4;

private:
    TFloatRect Horizontal(QPointF a, QPointF b) const;
    TFloatRect Vertical(QPointF a, QPointF b) const;

    float FHorizontalThickness;
    float FVerticalThickness;
};
