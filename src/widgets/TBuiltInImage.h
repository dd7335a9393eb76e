#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

// The program's own pictures. They are kept as PNG files beside the sources
// and compiled in as ready pixels (":/<name>.argb", and "<name>@2x.argb" for
// high-density screens), so that start-up decodes nothing: decoding the
// PNG files took a tenth of the time the main window needs to appear. The
// build converts each file with tools/pixels, which shares encode() below.
class TBuiltInImage
{
public:
    // A picture's bytes: this header, then height rows of width
    // premultiplied ARGB32 pixels in the machine's byte order, unpadded.
    struct THeader
    {
        quint32 magic;
        quint32 width;
        quint32 height;
    };
    static constexpr quint32 Magic = 0x5056524F; // "ORVP" read as a little-endian word
    static constexpr quint32 MaxSide = 4096;

    static QByteArray encode(const QImage &image);
    // A null image for bytes that are not a whole picture.
    static QImage decode(QByteArrayView bytes);

    // A null image, pixmap or icon when the program has no such picture.
    static QImage image(const QString &name);
    static QPixmap pixmap(const QString &name);
    static QIcon icon(const QString &name); // with the @2x picture where there is one
};
