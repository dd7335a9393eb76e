#pragma once

#include <QSize>

#include <cstddef>

// The orientation tag of a camera file's EXIF block (the body of a JPEG APP1
// segment, from its "Exif\0\0" on): 1 to 8, telling how the stored pixels are
// turned to be seen upright. Only the first image directory (IFD0, the main
// picture's) is read; the chain of further directories is never followed. A
// block that is damaged, cut short, of another kind or with any other value
// gives AsStored: such a photo loads as stored, never fails.
class TExifOrientation
{
public:
    static constexpr int AsStored = 1;

    // Whether an APP1 segment's body is an EXIF block (rather than, say, XMP).
    static bool IsExifBlock(const unsigned char *data, std::size_t size);
    static int Read(const unsigned char *data, std::size_t size);

    // Tags 5 to 8 swap the photo's rows and columns.
    static bool Transposes(int orientation) { return orientation >= 5 && orientation <= 8; }
    // The size of the upright photo for a stored picture of the given size.
    static QSize UprightSize(QSize stored, int orientation);
};
