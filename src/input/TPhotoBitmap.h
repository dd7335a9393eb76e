#pragma once

#include <QImage>
#include <QString>

// The photo bitmap every loader produces: 32-bit RGB (QImage::Format_RGB32),
// within a pixel limit that is checked before anything is decoded. Shared by
// the program and its photo-decoder plugin.
class TPhotoBitmap
{
public:
    // Pictures beyond this many pixels are refused before anything is decoded.
    static constexpr qint64 MaxPixels = qint64(1) << 28;

    // Throws "Picture is too large (W × H pixels)" beyond maxPixels, and the
    // given message for a size that is not positive.
    static void CheckPictureSize(qint64 width, qint64 height, const QString &invalidMessage = QString(),
                                 qint64 maxPixels = MaxPixels);
    // A new RGB32 bitmap of that size (checked as above); throws when memory
    // runs out instead of returning a null image.
    static QImage AllocatePhoto(int width, int height);
    // Any image as an opaque RGB32 photo; transparent parts become white.
    // Throws when the conversion cannot allocate the photo.
    static QImage ToPhotoFormat(QImage image);
};
