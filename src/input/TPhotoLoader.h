#pragma once

#include "input/TPhoto.h"

#include <QString>

class QFile;
class TPhotoDecoders;

// Load photo: reads a picture file into a photo (its 32-bit bitmap and the
// file's format), choosing the decoder by the file name's extension alone,
// without regard to case:
//   jpg, jpeg  libjpeg (TJpegDecoder, in the decoder plugin), turned upright
//              by the file's EXIF orientation
//   bmp, ico, gif  Qt's image readers
//   wmf, emf   the metafile converters (TMetafileDecoder, in the plugin)
// Every failure throws EOrvessaError with a message for the user; nothing is
// returned half-made.
class TPhotoLoader
{
public:
    static TPhoto Load(const QString &path);

    // The decoders to use instead of the plugin's (the fuzz targets build
    // them in); nullptr returns to the plugin.
    static void setDecoders(TPhotoDecoders *decoders);

private:
    // The bitmap of an open file in the format (the loader's own numbering),
    // upright; orientation: the tag that turned it, where the format has one.
    static QImage Decode(QFile &file, int format, int &orientation);
    static TPhotoDecoders &Decoders();
    static TPhotoDecoders *&DecodersOverride();
};
