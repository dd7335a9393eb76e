#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

class TDeviceMapping;

// The photo sampled once at the device size a zoomed-out view shows it at.
// Sampling reads one photo pixel per device pixel from scattered rows of a
// photo far larger than the processor's cache; repaints at the same zoom
// (every drag, loupe move and hover mark repaints) then copy rows of this
// small copy instead. The copy holds exactly the pixels TPhotoRenderer
// samples, so what is drawn does not change.
class TSampledPhoto
{
public:
    // TPhotoRenderer::Render, through the sampled copy when the photo's
    // device size is at most `limit` pixels (the copy is made, or kept from
    // the last call for the same photo at the same size), directly otherwise.
    void Render(const QImage &photo, const TDeviceMapping &mapping, QRgb background, QImage &target, QPoint origin,
                QRect area, qint64 limit);

private:
    bool Fits(const QImage &photo, const TDeviceMapping &mapping) const;

    QImage FSampled;
    qint64 FPhotoKey = 0;
};
