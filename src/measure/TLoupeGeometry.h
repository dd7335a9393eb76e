#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

class TViewGeometry;

// The arithmetic of the loupe, the round magnifier shown beside the pointer
// over the photo view: how strongly it magnifies, where it sits, which photo
// pixels it shows and how they are sampled. Plain functions, no widgets.
//
// Units as in the view: view pixels are viewport coordinates, photo pixels
// coordinates of the photo bitmap; device pixels are view pixels times the
// screen's device pixel ratio.
namespace TLoupeGeometry {

constexpr int Diameter = 160;     // view pixels, when the viewport has room
constexpr int MinDiameter = 48;   // view pixels; a smaller viewport shows none
constexpr int DiameterStep = 16;  // view pixels given up per try in a small viewport
constexpr int Gap = 16;           // view pixels between the pointer and the loupe
constexpr int Clearance = 4;      // the pointer stays at least this far outside
constexpr double Zoom = 4.0;      // times the view's scale
constexpr double MinDevicePixels = 4.0; // device pixels per photo pixel, at least

// Device pixels per photo pixel: max(4 × scale × ratio, 4), four times what
// the view shows and never less than four device pixels per photo pixel.
double Magnification(float scale, qreal devicePixelRatio);

// The loupe's square (the bounding box of its circle) beside pointer p:
// up and to the right of it, else up-left, down-right, down-left, each
// pushed inside the viewport; the first that keeps the pointer Clearance
// pixels outside wins. A viewport too small for the full diameter tries
// smaller ones down to MinDiameter; an empty rectangle means no room.
QRect Placement(const QRect &viewport, QPoint p, int diameter = Diameter);

// The exact photo point under view point v: the inverse of the view's
// photo -> view mapping, x = (v.x − photo left) × 65536 ÷ SX (likewise y).
QPointF ViewToPhoto(const TViewGeometry &geometry, QPointF v);

// The photo rectangle (photo pixels) a loupe of `diameter` view pixels
// shows around photo point c: diameter ÷ (magnification ÷ ratio) across.
QRectF SourceRect(QPointF c, int diameter, double magnification, qreal devicePixelRatio);

// How a target of `targetSize` device pixels samples the photo so that
// photo point c lands on its centre.
struct TSampling
{
    QRect crop;      // photo pixels sampled: the source rectangle, whole pixels, inside the photo
    QRect photoRect; // target pixels the crop fills (its top left shows the crop's top left)
    QPoint ratio;    // 16.16 target -> photo step, 65536 ÷ magnification
    QPointF cross;   // target pixels of photo point c, within half a pixel of the centre
};
TSampling Sampling(QSize photoSize, QPointF c, int targetSize, double magnification);

} // namespace TLoupeGeometry
