#pragma once

#include <QImage>

// The seam between the program and the system clipboard's pictures.
class TClipboard
{
public:
    // Replaces the clipboard's contents with the picture.
    static void SetPicture(const QImage &picture);
    // The clipboard's picture; a null image when it holds none.
    static QImage Picture();
};
