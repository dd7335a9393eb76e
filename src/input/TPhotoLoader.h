#pragma once

#include <QImage>
#include <QString>

class TPhotoDecoders;

// Load photo: reads a picture file into a 32-bit photo bitmap
// (QImage::Format_RGB32), choosing the decoder by the file name's extension
// alone, without regard to case:
//   jpg, jpeg  libjpeg (TJpegDecoder, in the decoder plugin)
//   bmp, ico, gif  Qt's image readers
//   wmf, emf   the metafile converters (TMetafileDecoder, in the plugin)
// Every failure throws EOrvessaError with a message for the user; nothing is
// returned half-made.
class TPhotoLoader
{
public:
    static QImage Load(const QString &path);

    // The decoders to use instead of the plugin's (the fuzz targets build
    // them in); nullptr returns to the plugin.
    static void setDecoders(TPhotoDecoders *decoders);

private:
    static TPhotoDecoders &Decoders();
    static TPhotoDecoders *&DecodersOverride();
};
