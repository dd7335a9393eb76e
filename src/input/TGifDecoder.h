#pragma once

#include <QImage>
#include <QString>

class QIODevice;

// Draws a GIF's first picture on its logical screen as the photo, the way
// Qt's reader followed by TPhotoBitmap::ToPhotoFormat draws it: the screen
// filled with the background entry (white when the picture has a transparent
// entry), the picture clipped to the screen, transparent pixels white and
// entries beyond the colour table black (white with transparency). An
// interlaced picture of fewer than five rows is drawn by the GIF rule, where
// Qt's reader repeats rows.
//
// For screens Qt's reader refuses although the photo allows them (exactly
// 2^28 pixels): the photo is drawn in place, without the second full-size
// copy the conversion of a transparent picture would make. The file must
// have passed TPictureCheck's GIF checks; a code stream Qt would stumble on
// (an unknown code, a bad code size) is refused with invalid.
class TGifDecoder
{
public:
    static QImage Decode(QIODevice &device, const QString &invalid);
};
