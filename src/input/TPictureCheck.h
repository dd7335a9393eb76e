#pragma once

#include <QSize>

class QFile;

// Guards in front of Qt's bitmap and GIF readers, which take a cut-short file
// on trust (leaving the missing rows with whatever memory held). Each reads
// only headers and block lengths and leaves the file position at the start.
class TPictureCheck
{
public:
    // The bitmap's declared size, or an invalid size without a bitmap header.
    static QSize BmpSize(QFile &file);
    // Whether an uncompressed bitmap holds every pixel row its header
    // declares; compressed (RLE) bitmaps are left to the reader.
    static bool BmpIsComplete(QFile &file);
    // The GIF's logical screen size (the canvas its reader allocates), or an
    // invalid size when there is no GIF header.
    static QSize GifScreenSize(QFile &file);
    // Whether the GIF's blocks run unbroken up to the end of its first image.
    static bool GifIsComplete(QFile &file);
};
