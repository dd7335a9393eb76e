#include "TLoupeGeometry.h"

#include "measure/TViewGeometry.h"

#include <algorithm>
#include <cmath>

namespace TLoupeGeometry {

double Magnification(float scale, qreal devicePixelRatio)
{
    return std::max(Zoom * double(scale) * devicePixelRatio, MinDevicePixels);
}

namespace {

// The square of side d with top left `corner`, pushed inside the viewport;
// empty when the viewport is narrower or lower than d.
QRect Inside(const QRect &viewport, QPoint corner, int d)
{
    if (viewport.width() < d || viewport.height() < d)
        return {};
    const int x = std::clamp(corner.x(), viewport.left(), viewport.left() + viewport.width() - d);
    const int y = std::clamp(corner.y(), viewport.top(), viewport.top() + viewport.height() - d);
    return QRect(x, y, d, d);
}

} // namespace

QRect Placement(const QRect &viewport, QPoint p, int diameter)
{
    for (int d = diameter; d >= MinDiameter; d -= DiameterStep) {
        const QPoint corners[] = {
            {p.x() + Gap, p.y() - Gap - d}, // up-right
            {p.x() - Gap - d, p.y() - Gap - d}, // up-left
            {p.x() + Gap, p.y() + Gap}, // down-right
            {p.x() - Gap - d, p.y() + Gap}, // down-left
        };
        for (const QPoint corner : corners) {
            const QRect r = Inside(viewport, corner, d);
            if (!r.isEmpty() && !r.adjusted(-Clearance, -Clearance, Clearance, Clearance).contains(p))
                return r;
        }
    }
    return {};
}

QPointF ViewToPhoto(const TViewGeometry &geometry, QPointF v)
{
    const QRect r = geometry.PhotoRect();
    const QPoint s = geometry.PhotoToViewRatio();
    if (s.x() == 0 || s.y() == 0)
        return {};
    return QPointF((v.x() - r.left()) * 65536.0 / s.x(), (v.y() - r.top()) * 65536.0 / s.y());
}

QRectF SourceRect(QPointF c, int diameter, double magnification, qreal devicePixelRatio)
{
    const double side = diameter * devicePixelRatio / magnification;
    return QRectF(c.x() - side / 2, c.y() - side / 2, side, side);
}

// The crop is the source rectangle widened to whole photo pixels, one more
// on each side against the rounding below, and cut to the photo; it may be empty when the loupe looks beside the photo. With m
// the magnification and h half the target, target pixel t shows photo
// x = c.x + (t − h) / m, so the crop's left column x0 starts at target
// h + (x0 − c.x) × m, rounded to a whole pixel: the cross, where c itself
// lands, is that pixel plus (c.x − x0) × m, within half a pixel of h. The
// renderer steps (t − left) × round(65536 / m) >> 16 from there; the error of
// the rounded step stays below targetSize / 65536 of a photo pixel.
TSampling Sampling(QSize photoSize, QPointF c, int targetSize, double magnification)
{
    const double half = targetSize / 2.0;
    const double side = targetSize / magnification;
    const int x0 = std::max(0, int(std::floor(c.x() - side / 2)) - 1);
    const int y0 = std::max(0, int(std::floor(c.y() - side / 2)) - 1);
    const int x1 = std::min(photoSize.width(), int(std::ceil(c.x() + side / 2)) + 1);
    const int y1 = std::min(photoSize.height(), int(std::ceil(c.y() + side / 2)) + 1);
    TSampling s;
    s.ratio = QPoint(int(std::lround(65536.0 / magnification)), int(std::lround(65536.0 / magnification)));
    const int left = int(std::lround(half + (x0 - c.x()) * magnification));
    const int top = int(std::lround(half + (y0 - c.y()) * magnification));
    s.cross = QPointF(left + (c.x() - x0) * magnification, top + (c.y() - y0) * magnification);
    if (x1 <= x0 || y1 <= y0)
        return s; // nothing of the photo: crop and photoRect stay empty
    s.crop = QRect(x0, y0, x1 - x0, y1 - y0);
    s.photoRect = QRect(left, top, int(std::lround((x1 - x0) * magnification)),
                        int(std::lround((y1 - y0) * magnification)));
    return s;
}

} // namespace TLoupeGeometry
