#pragma once

#include <QImage>

class QIODevice;

// Decodes a JPEG stream with libjpeg straight into a 32-bit photo bitmap
// (no conversion pass: the library writes the photo's own pixel layout).
// Every failure throws EOrvessaError("JPEG error #<library message code>");
// a stream that ends before its image is complete is such a failure, so a
// half-decoded photo never comes out.
class TJpegDecoder
{
public:
    static QImage Decode(QIODevice &source);
};
