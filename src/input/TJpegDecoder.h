#pragma once

#include <QImage>

class QIODevice;

// Decodes a JPEG stream with libjpeg straight into a 32-bit photo bitmap
// (no conversion pass: the library writes the photo's own pixel layout).
// Every failure throws EOrvessaError("JPEG error #<library message code>");
// a stream that ends before its image is complete is such a failure, so a
// half-decoded photo never comes out.
// The photo comes out upright: the EXIF orientation tag (TExifOrientation) is
// applied while the rows are written (TUprightWriter), and handed back in
// orientation (1 to 8; 1 also for a file without one, or a damaged one).
class TJpegDecoder
{
public:
    static QImage Decode(QIODevice &source, int &orientation);
};
