#pragma once

#include "core/TFloatRect.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// The report's picture: the face region of the photo with the guide lines of
// the eleven measurements drawn and numbered. It is written beside the page
// under a name taken from its bytes ("~orvessa-<16 hex digits>.png"), so
// that a new picture never replaces the one the previous page shows before
// the new page is in place.
class TReportPicture
{
public:
    static constexpr int MaxWidth = 480;

    // The region around all lines (a margin of a fifth of its size on each
    // side, within the photo), scaled down to MaxWidth at most, the lines on it.
    static QImage Draw(const QImage &photo, const TMeasureStore &store);
    // The region of the photo that Draw shows, in photo pixels.
    static QRect FaceRegion(const QSize &photoSize, const TMeasureStore &store);
    static QByteArray Png(const QImage &picture);
    static QString FileName(const QByteArray &png);

    // Writes png into folder under FileName(png) in one step; throws
    // EOrvessaError on failure. isNew tells whether the file was not there.
    static QString Write(const QString &folder, const QByteArray &png, bool &isNew);
    // Removes every report picture in folder but keep.
    static void RemoveOthers(const QString &folder, const QString &keep);
};
