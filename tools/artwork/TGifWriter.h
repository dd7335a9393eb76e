#pragma once

#include <QColor>
#include <QString>

class QImage;

// Writes a picture with an alpha channel as a GIF89a file with one
// transparent palette entry. Qt has no GIF writer of its own.
class TGifWriter
{
public:
    // Pixels at least half opaque are kept, blended over matte (the colour
    // the picture will mostly be seen on, so their soft edges blend in);
    // the rest become transparent. Returns false when the file cannot be written.
    static bool write(const QImage &image, const QString &path, const QColor &matte);
};
