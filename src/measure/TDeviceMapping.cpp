#include "TDeviceMapping.h"

#include "measure/TViewGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// Device coordinates beyond this are never on a screen; clipping the photo's
// rectangle there keeps QRect's int arithmetic from overflowing at absurd zooms.
constexpr qint64 Far = qint64(1) << 30;

int Clip(qint64 v)
{
    return int(std::clamp(v, -Far, Far));
}

} // namespace

TDeviceMapping::TDeviceMapping(const TViewGeometry &geometry, qreal ratio) : FRatio(ratio > 0 ? ratio : 1.0)
{
    const QRect view = geometry.PhotoRect();
    FLeft = Edge(view.left());
    FTop = Edge(view.top());
    const qint64 right = Edge(qint64(view.left()) + view.width());
    const qint64 bottom = Edge(qint64(view.top()) + view.height());
    FPhotoRect = QRect(QPoint(Clip(FLeft), Clip(FTop)), QPoint(Clip(right) - 1, Clip(bottom) - 1));
    const QSize photo = geometry.PhotoSize();
    FStep = QPoint(TViewGeometry::FixedRatio(photo.width(), right - FLeft),
                   TViewGeometry::FixedRatio(photo.height(), bottom - FTop));
    FLast = QSize(photo.width() - 1, photo.height() - 1);
}

TDeviceMapping::TDeviceMapping(const QRect &photoRect, QPoint step, QSize photoSize)
    : FRatio(1.0), FLeft(photoRect.left()), FTop(photoRect.top()), FPhotoRect(photoRect), FStep(step),
      FLast(photoSize.width() - 1, photoSize.height() - 1)
{
}

qint64 TDeviceMapping::Edge(qint64 view) const
{
    return qint64(std::floor(double(view) * FRatio + 0.5));
}

QRect TDeviceMapping::ToDevice(const QRect &view) const
{
    const qint64 left = Edge(view.left()), top = Edge(view.top());
    const qint64 right = Edge(qint64(view.left()) + view.width());
    const qint64 bottom = Edge(qint64(view.top()) + view.height());
    return QRect(QPoint(Clip(left), Clip(top)), QPoint(Clip(right) - 1, Clip(bottom) - 1));
}

// Nearest neighbour at the centre of the device pixel, the way QPainter
// samples without smoothing. The centre of device pixel d lies d - start + 1/2
// device pixels into the photo, that is (2 (d - start) + 1) * step / 2 photo
// pixels in 16.16 fixed point. A centre exactly on the edge between two photo
// pixels takes the one to its left (above), hence the - 1:
//   source = ((2 (d - start) + 1) * step - 1) div 131072,
// kept inside the photo against the rounding of step. At ratio 1 and scale 1
// (step 65536) this is d - start; at step 32768 (a photo pixel over 2 device
// pixels) it gives 0, 0, 1, 1, 2, ...
int TDeviceMapping::Source(int d, qint64 start, int step, int last)
{
    return int(std::min<qint64>(((2 * (d - start) + 1) * step - 1) >> 17, last));
}
