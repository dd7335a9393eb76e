#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

class TDeviceMapping;

// Draws what the photo view shows in a rectangle of device pixels: the photo
// sampled nearest-neighbour into its device rectangle (TDeviceMapping), the
// background colour around it. Only the requested pixels are computed, only
// the photo rows they show are read; the photo is never scaled as a whole.
class TPhotoRenderer
{
public:
    // Draws device pixels `area` into `target` (a 32-bit image), whose pixel
    // (0, 0) shows device pixel `origin`. `photo` is Format_RGB32 or null.
    static void Render(const QImage &photo, const TDeviceMapping &mapping, QRgb background, QImage &target,
                       QPoint origin, QRect area);
};
