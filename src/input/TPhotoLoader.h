#pragma once

#include <QImage>
#include <QString>

// Load photo: reads a picture file into a 32-bit photo bitmap
// (QImage::Format_RGB32), choosing the decoder by the file name's extension
// alone, without regard to case:
//   jpg, jpeg  libjpeg (TJpegDecoder)
//   bmp, ico, gif  Qt's image readers
//   wmf, emf   the metafile converters (TMetafileDecoder)
// Every failure throws EOrvessaError with a message for the user; nothing is
// returned half-made.
class TPhotoLoader
{
public:
    // Pictures beyond this many pixels are refused before anything is decoded.
    static constexpr qint64 MaxPixels = qint64(1) << 28;

    static QImage Load(const QString &path);

    // Throws "Picture is too large (W × H pixels)" beyond MaxPixels, and the
    // given message for a size that is not positive.
    static void CheckPictureSize(int width, int height, const QString &invalidMessage = QString());
    // A new RGB32 bitmap of that size (checked as above); throws when memory
    // runs out instead of returning a null image.
    static QImage AllocatePhoto(int width, int height);
    // Any image as an opaque RGB32 photo; transparent parts become white.
    static QImage ToPhotoFormat(QImage image);
};
