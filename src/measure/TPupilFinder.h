#pragma once

#include <QPointF>
#include <QPolygonF>

class TPhotoSampler;

// The centre of a pupil: the centroid of the darkest pixels inside the eye's
// contour (its six points). An eye with too few pixels inside, or whose
// darkest pixels are not clearly darker than the rest of it (a closed eye, a
// flat picture), falls back to the contour's centre.
class TPupilFinder
{
public:
    struct TPupil
    {
        QPointF Centre;
        bool Found = false; // false: the contour's centre
    };

    static TPupil Find(const TPhotoSampler &photo, const QPolygonF &contour);

    // The share of the eye's pixels taken as the darkest ones.
    static constexpr double DarkShare = 0.2;
    // How much darker (luma) the dark pixels must be than the eye's median.
    static constexpr double MinContrast = 25.0;
    static constexpr int MinPixels = 8;
};
