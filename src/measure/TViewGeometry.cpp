#include "TViewGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// A displayed size beyond this is never needed and would overflow the scroll
// bars' int ranges and the 64-bit products of the mapping.
constexpr double MaxDisplayed = 1 << 30;

// round(size * scale), ties to even (the default rounding mode), 0 for an
// empty photo or a non-positive result.
int DisplayedExtent(int size, float scale)
{
    if (size <= 0)
        return 0;
    const double d = std::nearbyint(double(size) * double(scale));
    return d <= 0 ? 0 : int(std::min(d, MaxDisplayed));
}

// Scroll position clamped first to at most D - V, then to at least 0.
float ClampPos(double pos, int displayed, int viewport)
{
    return float(std::max(0.0, std::min(pos, double(displayed - viewport))));
}

// Centre-keeping rule for one axis: the photo point at the old viewport
// centre, as fraction f of the old range, goes to the new viewport centre:
//   P1 = R1 * f - V1 / 2,  f = (V0 / 2 + P0) / R0  when V0 < R0 and R0 != 0,
//                          f = 0.5                  otherwise (zoom about the photo's centre).
// When the new range fits the viewport the position is only clamped.
float KeepCentre(int r0, int v0, float p0, int r1, int v1)
{
    if (v1 >= r1)
        return ClampPos(p0, r1, v1);
    const double f = (v0 < r0 && r0 != 0) ? (v0 / 2.0 + p0) / r0 : 0.5;
    return ClampPos(r1 * f - v1 / 2.0, r1, v1);
}

// Where the photo starts on one axis: centred when it is smaller than the
// viewport, else scrolled.
double AxisOffset(int displayed, int viewport, float pos)
{
    if (displayed < viewport)
        return (viewport - displayed) / 2.0;
    return -double(pos);
}

} // namespace

float TViewGeometry::ClampScale(float scale)
{
    return scale < MinScale ? MinScale : scale;
}

float TViewGeometry::ZoomInScale(float scale)
{
    return float(double(scale) + 0.2);
}

// From 1.0: 0.8000000119, 0.6000000238, 0.4000000358, 0.2000000328, then
// 3.3e-8 which the floor lifts to 0.001.
float TViewGeometry::ZoomOutScale(float scale)
{
    return ClampScale(float(double(scale) - 0.2));
}

// 1.1^31 = 19.19 < 20 < 1.1^32: 32 notches from 1.0 reach 20.0. A scale
// above 20 (reached by Zoom In) drops to exactly 20.
float TViewGeometry::WheelDownScale(float scale)
{
    const float x = float(double(scale) * 1.1);
    return x > WheelMaxScale ? WheelMaxScale : x;
}

// 1.1^-16 = 0.218 > 0.2 > 1.1^-17: 17 notches from 1.0 reach 0.2. A scale
// below 0.2 (reached by Zoom Out) rises to exactly 0.2.
float TViewGeometry::WheelUpScale(float scale)
{
    const float x = float(double(scale) / 1.1);
    return x < WheelMinScale ? WheelMinScale : ClampScale(x);
}

// The bars stay hidden while round(W * s) <= CW and round(H * s) <= CH.
// Rounding to nearest puts the edge near s = (C + 0.5) / size on each axis;
// the smaller of the two, rounded to float, is stepped one float at a time
// onto the exact edge, so that s fits and the next float up does not.
float TViewGeometry::FitScale(QSize photo, QSize client)
{
    const auto fits = [photo, client](float s) {
        return DisplayedExtent(photo.width(), s) <= client.width() && DisplayedExtent(photo.height(), s) <= client.height();
    };
    if (photo.width() <= 0 || photo.height() <= 0 || !fits(MinScale))
        return MinScale;
    const double edge = std::min((client.width() + 0.5) / photo.width(), (client.height() + 0.5) / photo.height());
    float s = std::max(float(edge), MinScale);
    while (!fits(s))
        s = std::nextafter(s, 0.0f);
    while (fits(std::nextafter(s, HUGE_VALF)))
        s = std::nextafter(s, HUGE_VALF);
    return s;
}

void TViewGeometry::SetPhotoSize(QSize size)
{
    size = size.expandedTo(QSize(0, 0));
    const QSize oldPhoto = FPhoto;
    const TAxes old = Axes();
    FPhoto = size;
    Relayout(oldPhoto, old);
}

bool TViewGeometry::SetScale(float scale)
{
    scale = ClampScale(scale);
    if (scale == FScale)
        return false;
    const TAxes old = Axes();
    FScale = scale;
    Relayout(FPhoto, old);
    return true;
}

void TViewGeometry::SetClientSize(QSize client, int barExtent)
{
    const TAxes old = Axes();
    FClient = client.expandedTo(QSize(0, 0));
    FBarExtent = std::max(barExtent, 0);
    Relayout(FPhoto, old);
}

void TViewGeometry::Relayout(QSize oldPhoto, TAxes old)
{
    FDisplayed = QSize(DisplayedExtent(FPhoto.width(), FScale), DisplayedExtent(FPhoto.height(), FScale));
    FBars = FDisplayed.width() > FClient.width() || FDisplayed.height() > FClient.height();
    const TAxes now = Axes();

    if (old.displayed.width() != now.displayed.width() || old.viewport.width() != now.viewport.width())
        FScroll.setX(KeepCentre(old.displayed.width(), old.viewport.width(), float(FScroll.x()),
                                now.displayed.width(), now.viewport.width()));
    if (old.displayed.height() != now.displayed.height() || old.viewport.height() != now.viewport.height())
        FScroll.setY(KeepCentre(old.displayed.height(), old.viewport.height(), float(FScroll.y()),
                                now.displayed.height(), now.viewport.height()));

    // A photo of another pixel size: photo point (W div 2, H div 2) goes to
    // the viewport centre, P = point * scale - V / 2.
    if (oldPhoto != FPhoto) {
        FScroll.setX(double(FPhoto.width() / 2) * FScale - now.viewport.width() / 2.0);
        FScroll.setY(double(FPhoto.height() / 2) * FScale - now.viewport.height() / 2.0);
    }
    SetScrollPos(FScroll);
}

void TViewGeometry::SetScrollPos(QPointF pos)
{
    const QSize v = ViewportSize();
    FScroll = QPointF(ClampPos(pos.x(), FDisplayed.width(), v.width()),
                      ClampPos(pos.y(), FDisplayed.height(), v.height()));
}

void TViewGeometry::ScrollBy(int dx, int dy)
{
    // Each axis is stepped in float, as the positions are stored.
    SetScrollPos(QPointF(float(FScroll.x()) + float(dx), float(FScroll.y()) + float(dy)));
}

QSize TViewGeometry::ScrollMax() const
{
    const QSize v = ViewportSize();
    return QSize(std::max(0, FDisplayed.width() - v.width()), std::max(0, FDisplayed.height() - v.height()));
}

QSize TViewGeometry::ViewportSize() const
{
    const int bar = FBars ? FBarExtent : 0;
    return QSize(std::max(0, FClient.width() - bar), std::max(0, FClient.height() - bar));
}

QPointF TViewGeometry::Offset() const
{
    const QSize v = ViewportSize();
    return QPointF(AxisOffset(FDisplayed.width(), v.width(), float(FScroll.x())),
                   AxisOffset(FDisplayed.height(), v.height(), float(FScroll.y())));
}

QRect TViewGeometry::PhotoRect() const
{
    const QPointF o = Offset();
    return QRect(int(std::nearbyint(o.x())), int(std::nearbyint(o.y())), FDisplayed.width(), FDisplayed.height());
}

// a * 65536 / b rounded to the nearest integer (64-bit intermediate). A zero
// denominator counts as 1, so a photo that shrinks to nothing still maps;
// absurd zooms saturate instead of overflowing.
int TViewGeometry::FixedRatio(qint64 a, qint64 b)
{
    b = std::max<qint64>(b, 1);
    return int(std::min<qint64>((a * 65536 + b / 2) / b, INT_MAX));
}

QPoint TViewGeometry::PhotoToViewRatio() const
{
    return QPoint(FixedRatio(FDisplayed.width(), FPhoto.width()), FixedRatio(FDisplayed.height(), FPhoto.height()));
}

QPoint TViewGeometry::ViewToPhotoRatio() const
{
    return QPoint(FixedRatio(FPhoto.width(), FDisplayed.width()), FixedRatio(FPhoto.height(), FDisplayed.height()));
}

// x_photo = ((x_view - L) * RX) div 65536, truncated towards zero.
QPoint TViewGeometry::MapToImage(QPoint view) const
{
    const QRect r = PhotoRect();
    const QPoint rr = ViewToPhotoRatio();
    return QPoint(int((qint64(view.x()) - r.left()) * rr.x() / 65536),
                  int((qint64(view.y()) - r.top()) * rr.y() / 65536));
}

// x_view = floor(x_photo * SX / 65536) + L.
QPoint TViewGeometry::MapToView(QPoint photo) const
{
    const QRect r = PhotoRect();
    const QPoint s = PhotoToViewRatio();
    return QPoint(int(((qint64(photo.x()) * s.x()) >> 16) + r.left()),
                  int(((qint64(photo.y()) * s.y()) >> 16) + r.top()));
}

// x_view = x_photo * (SX / 65536) + L: guide-line layers use this, so they
// follow the photo exactly when it is zoomed or scrolled.
QPointF TViewGeometry::MapToViewF(QPointF photo) const
{
    const QRect r = PhotoRect();
    const QPoint s = PhotoToViewRatio();
    return QPointF(photo.x() * (s.x() / 65536.0) + r.left(), photo.y() * (s.y() / 65536.0) + r.top());
}
