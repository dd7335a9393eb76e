#include "TSampledPhoto.h"

#include "measure/TDeviceMapping.h"
#include "measure/TPhotoRenderer.h"

namespace {

// One photo pixel per device pixel: 1.0 in 16.16 fixed point.
constexpr int OneToOne = 65536;

} // namespace

void TSampledPhoto::Render(const QImage &photo, const TDeviceMapping &mapping, QRgb background, QImage &target,
                           QPoint origin, QRect area, qint64 limit)
{
    const QRect placed = mapping.PhotoRect();
    if (photo.isNull() || qint64(placed.width()) * placed.height() > limit) {
        FSampled = QImage();
        TPhotoRenderer::Render(photo, mapping, background, target, origin, area);
        return;
    }
    if (!Fits(photo, mapping)) {
        // The device column d shows photo column Source(d - left): sampling
        // with the same step from 0 gives the copy's column d - left.
        FSampled = QImage(placed.size(), QImage::Format_RGB32);
        TPhotoRenderer::Render(photo, TDeviceMapping(QRect(QPoint(0, 0), placed.size()), mapping.Step(), photo.size()),
                               background, FSampled, QPoint(0, 0), FSampled.rect());
        FPhotoKey = photo.cacheKey();
    }
    TPhotoRenderer::Render(FSampled, TDeviceMapping(placed, QPoint(OneToOne, OneToOne), FSampled.size()), background,
                           target, origin, area);
}

bool TSampledPhoto::Fits(const QImage &photo, const TDeviceMapping &mapping) const
{
    // The step is the photo's size over its device size: those two decide it.
    return !FSampled.isNull() && FPhotoKey == photo.cacheKey() && FSampled.size() == mapping.PhotoRect().size();
}
