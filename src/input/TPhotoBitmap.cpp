#include "TPhotoBitmap.h"

#include "core/EOrvessaError.h"

#include <QPainter>

void TPhotoBitmap::CheckPictureSize(qint64 width, qint64 height, const QString &invalidMessage, qint64 maxPixels)
{
    if (width <= 0 || height <= 0)
        throw EOrvessaError(invalidMessage.isEmpty() ? QStringLiteral("Picture is empty (%1 × %2 pixels)").arg(width).arg(height)
                                                     : invalidMessage);
    // Both are below 2^32 wherever they come from, so the product fits.
    if (width * height > maxPixels)
        throw EOrvessaError(QStringLiteral("Picture is too large (%1 × %2 pixels)").arg(width).arg(height));
}

namespace {

QString NotEnoughMemory(int width, int height)
{
    return QStringLiteral("Not enough memory for a picture of %1 × %2 pixels").arg(width).arg(height);
}

} // namespace

QImage TPhotoBitmap::AllocatePhoto(int width, int height)
{
    CheckPictureSize(width, height);
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        throw EOrvessaError(NotEnoughMemory(width, height));
    return image;
}

QImage TPhotoBitmap::ToPhotoFormat(QImage image)
{
    if (image.format() == QImage::Format_RGB32 || image.isNull())
        return image;
    if (!image.hasAlphaChannel()) {
        const QSize size = image.size();
        image.convertTo(QImage::Format_RGB32);
        if (image.isNull()) // the conversion could not allocate
            throw EOrvessaError(NotEnoughMemory(size.width(), size.height()));
        return image;
    }
    QImage photo = AllocatePhoto(image.width(), image.height());
    photo.fill(Qt::white);
    QPainter painter(&photo);
    painter.drawImage(0, 0, image);
    return photo;
}
