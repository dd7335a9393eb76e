#pragma once

#include <QString>

class QImage;

// Writes JPEG files through libjpeg with full-resolution colour (4:4:4).
// Qt's writer halves the colour resolution, which smears the 3-pixel guide
// lines and the thin coloured marks of the sample pictures.
class TJpegWriter
{
public:
    // Returns false when the file cannot be written.
    static bool write(const QImage &image, const QString &path, int quality);
};
