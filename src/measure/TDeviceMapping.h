#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QtGlobal>

class TViewGeometry;

// Where the photo of the photo view lies in device pixels, and which photo
// pixel every device pixel shows. On a screen with a device pixel ratio
// (a HiDPI monitor, QT_SCALE_FACTOR) a view pixel covers `ratio` x `ratio`
// device pixels; the photo is sampled per device pixel, so that it is drawn
// at the screen's resolution, while mouse positions, guide lines and scroll
// positions stay in view pixels (TViewGeometry).
//
// Device coordinates here are view coordinates times the ratio: device pixel
// (0, 0) is the top left one of view pixel (0, 0).
class TDeviceMapping
{
public:
    TDeviceMapping(const TViewGeometry &geometry, qreal ratio);
    // Any placement of a photo of photoSize: its top left at photoRect's,
    // step photo pixels (16.16) per device pixel; ratio 1.
    TDeviceMapping(const QRect &photoRect, QPoint step, QSize photoSize);

    qreal Ratio() const { return FRatio; }
    // A rectangle of view pixels in device pixels. Each edge goes to
    // floor(edge * ratio + 1/2), so rectangles that meet in view pixels meet
    // in device pixels, without a gap or an overlap.
    QRect ToDevice(const QRect &view) const;
    // The photo's rectangle in device pixels (kept within +-2^30 on each
    // axis; SourceColumn and SourceRow use the unclipped edges). Empty for
    // an empty photo.
    QRect PhotoRect() const { return FPhotoRect; }
    // 16.16 fixed point photo pixels per device pixel: W * 65536 / DW' and
    // H * 65536 / DH', rounded, where DW' x DH' is the photo's device size.
    QPoint Step() const { return FStep; }
    // The photo column shown at device column x, the photo row shown at
    // device row y (both inside PhotoRect()).
    int SourceColumn(int x) const { return Source(x, FLeft, FStep.x(), FLast.width()); }
    int SourceRow(int y) const { return Source(y, FTop, FStep.y(), FLast.height()); }

private:
    static int Source(int d, qint64 start, int step, int last);
    qint64 Edge(qint64 view) const;

    qreal FRatio;
    qint64 FLeft = 0, FTop = 0; // unclipped device edges of the photo
    QRect FPhotoRect;
    QPoint FStep;
    QSize FLast; // the last photo column and row
};
