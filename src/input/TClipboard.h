#pragma once

#include "input/TPhoto.h"

// The seam between the program and the system clipboard's pictures.
class TClipboard
{
public:
    // Replaces the clipboard's contents with the photo's pixels.
    static void SetPicture(const TPhoto &photo);
    // The clipboard's picture as a photo, its size checked as a loaded
    // photo's is (throws EOrvessaError); an empty photo when it holds none.
    static TPhoto Picture();
};
