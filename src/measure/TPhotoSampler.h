#pragma once

#include <QImage>
#include <QPointF>
#include <optional>

// Reads colours of a photo at fractional photo-pixel positions: the pixel
// whose square holds the point. Positions off the photo have no colour.
class TPhotoSampler
{
public:
    // Keeps a shared copy of the photo, converted to RGB32 when needed.
    explicit TPhotoSampler(const QImage &photo);

    const QImage &Photo() const { return FPhoto; }

    std::optional<QRgb> Colour(QPointF p) const;
    // Luma 0 to 255 (0.299 R + 0.587 G + 0.114 B).
    std::optional<double> Luma(QPointF p) const;
    static double Luma(QRgb c);

private:
    QImage FPhoto;
};
