#pragma once

#include <QSize>

class QFile;

// A size as a header declares it, before any reader clamps it to int.
struct TDeclaredSize
{
    qint64 width = -1, height = -1;
    bool isValid() const { return width >= 0 && height >= 0; }
};

// Guards in front of Qt's bitmap and GIF readers, which take a cut-short file
// on trust (leaving the missing rows with whatever memory held). Each reads
// only headers and block lengths and leaves the file position at the start.
class TPictureCheck
{
public:
    // The bitmap's declared size (rows counted upwards, a negative height
    // stores them top-down), or an invalid size without a bitmap header.
    static TDeclaredSize BmpSize(QFile &file);
    // Whether an uncompressed bitmap holds every pixel row its header
    // declares, and whether an RLE4 or RLE8 bitmap's stream stays inside the
    // picture, ends with its end-of-bitmap code and draws at least half of
    // the picture's pixels with its runs (see RleDrawsEnough).
    static bool BmpIsComplete(QFile &file);
    // The size of the picture the icon reader decodes, its first entry: the
    // PNG's own header for an embedded PNG, else the directory's size (0
    // meaning 256). Invalid when there is no icon directory.
    static TDeclaredSize IcoSize(QFile &file);
    // The canvas the GIF reader allocates: the logical screen, or the first
    // frame's extent when the screen is empty (0 in either direction).
    // Invalid when there is no GIF header or no frame to size it by.
    static TDeclaredSize GifCanvasSize(QFile &file);
    // Whether the GIF's blocks run unbroken up to the end of its first image.
    static bool GifIsComplete(QFile &file);
};
