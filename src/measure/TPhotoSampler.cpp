#include "TPhotoSampler.h"

#include <cmath>

TPhotoSampler::TPhotoSampler(const QImage &photo)
    : FPhoto(photo.format() == QImage::Format_RGB32 || photo.format() == QImage::Format_ARGB32
                 ? photo
                 : photo.convertToFormat(QImage::Format_RGB32))
{
}

std::optional<QRgb> TPhotoSampler::Colour(QPointF p) const
{
    const int x = int(std::floor(p.x()));
    const int y = int(std::floor(p.y()));
    if (x < 0 || y < 0 || x >= FPhoto.width() || y >= FPhoto.height())
        return std::nullopt;
    return reinterpret_cast<const QRgb *>(FPhoto.constScanLine(y))[x];
}

std::optional<double> TPhotoSampler::Luma(QPointF p) const
{
    const std::optional<QRgb> c = Colour(p);
    if (!c)
        return std::nullopt;
    return Luma(*c);
}

double TPhotoSampler::Luma(QRgb c)
{
    return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}
