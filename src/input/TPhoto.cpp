#include "TPhoto.h"

#include "input/TPhotoBitmap.h"

TPhoto::TPhoto(QImage pixels, QString fileFormat, int orientation)
    : FPixels(TPhotoBitmap::ToPhotoFormat(std::move(pixels))), FFileFormat(std::move(fileFormat)),
      FOrientation(orientation)
{
}
