#include "TPhotoBitmap.h"

#include "core/EOrvessaError.h"

#include <QPainter>

#include <cstdlib>

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

// The pixels start on a 64-byte boundary, those of photos of 2 MiB or more on
// a 2 MiB one: rows whose width is a multiple of 16 pixels then each start a
// cache line, so the streamed runs of the upright turn (TUprightWriter) fill
// whole lines instead of two halves at different times, and 2 MiB pages can
// back the whole photo (TPrefaulter). The photo frees its buffer when its
// last copy goes.
QImage TPhotoBitmap::AllocatePhoto(int width, int height)
{
    CheckPictureSize(width, height);
    constexpr size_t LineBytes = 64, HugePageBytes = size_t(2) << 20;
    const qsizetype rowBytes = qsizetype(width) * 4;
    const size_t bytes = size_t(rowBytes) * size_t(height);
    void *pixels = nullptr;
    if (posix_memalign(&pixels, bytes >= HugePageBytes ? HugePageBytes : LineBytes, bytes) != 0)
        throw EOrvessaError(NotEnoughMemory(width, height));
    QImage image(static_cast<uchar *>(pixels), width, height, rowBytes, QImage::Format_RGB32, std::free, pixels);
    if (image.isNull()) {
        std::free(pixels);
        throw EOrvessaError(NotEnoughMemory(width, height));
    }
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
