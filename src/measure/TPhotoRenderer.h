#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

class TViewGeometry;

// Draws what the photo view shows in a rectangle of view pixels: the photo
// sampled nearest-neighbour into its photo rectangle, the background colour
// around it. Only the requested pixels are computed; the photo is never
// scaled as a whole.
class TPhotoRenderer
{
public:
    // Draws view pixels `area` into `target` (a 32-bit image), whose pixel
    // (0, 0) shows view pixel `origin`. `photo` is Format_RGB32 or null.
    static void Render(const QImage &photo, const TViewGeometry &geometry, QRgb background, QImage &target,
                       QPoint origin, QRect area);
    // The same sampling for any placement of the photo: photo pixel (0, 0)
    // starts at `photoRect`'s top left, which is the whole photo as shown
    // (it may reach far beyond the target), and `ratio` is the 16.16 step
    // from view to photo pixels (65536 / magnification) on each axis.
    static void Render(const QImage &photo, QRect photoRect, QPoint ratio, QRgb background, QImage &target,
                       QPoint origin, QRect area);
};
