#include "TLandmarkPlacement.h"

#include "TAlarEdgeSearch.h"
#include "THairlineSearch.h"
#include "TMouthCornerSearch.h"
#include "TPhotoSampler.h"
#include "TPupilFinder.h"

#include <QLineF>
#include <QPolygonF>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace {

QPointF unit(QPointF v)
{
    const double length = std::hypot(v.x(), v.y());
    return length > 0.0 ? v / length : QPointF(1.0, 0.0);
}

double dot(QPointF a, QPointF b)
{
    return a.x() * b.x() + a.y() * b.y();
}

QPolygonF contour(const TFaceLandmarks &face, int first)
{
    QPolygonF eye;
    for (int n = first; n < first + 6; ++n)
        eye << face.Point(n);
    return eye;
}

// The face's own axes: Right along the eyes' line (from the image-left eye
// to the image-right one), Up at a right angle to it, towards the brows.
struct TFaceAxes
{
    QPointF Right;
    QPointF Up;
};

TFaceAxes axes(const TFaceLandmarks &face)
{
    const QPointF right = unit(face.Mean(43, 48) - face.Mean(37, 42));
    // Turning Right a quarter anticlockwise on screen (y grows downwards):
    // (x, y) -> (y, -x); (1, 0) becomes (0, -1), which is up.
    return {right, QPointF(right.y(), -right.x())};
}

// One end of the nose's width: the wing's edge found outwards from the
// nostril point, or the rule-of-thumb widening when there is none.
QPointF alarEnd(const TPhotoSampler &photo, QPointF nostril, QPointF other, bool &fallback)
{
    const double width = QLineF(nostril, other).length();
    const QPointF outward = unit(nostril - other);
    const std::optional<double> edge
        = TAlarEdgeSearch::Search(photo, nostril, outward, width * TLandmarkPlacement::AlarReach);
    if (!edge)
        fallback = true;
    return nostril + outward * edge.value_or(width * TLandmarkPlacement::AlarFallback);
}

// One end of the mouth's width: the model's corner moved along the mouth to
// where the dark line between the lips ends on the photo, or kept when the
// photo shows no clear end.
QPointF mouthEnd(const TPhotoSampler &photo, QPointF corner, QPointF other, QPointF inner)
{
    const QPointF outward = unit(corner - other);
    const TMouthCornerSearch::TCorner search{corner, inner, outward, QLineF(corner, other).length()};
    return corner + outward * TMouthCornerSearch::Search(photo, search).value_or(0.0);
}

} // namespace

bool TPlacedLines::NeedsStraightening() const
{
    return std::fabs(TiltDegrees) > MaxTiltDegrees;
}

TLandmarkPlacement::TLandmarkPlacement(float horizontalThickness, float verticalThickness)
    : FHorizontalThickness(horizontalThickness), FVerticalThickness(verticalThickness)
{
}

TFloatRect TLandmarkPlacement::Horizontal(QPointF a, QPointF b) const
{
    const double y = (a.y() + b.y()) / 2.0;
    const double half = FHorizontalThickness / 2.0;
    return {float(std::min(a.x(), b.x())), float(y - half), float(std::max(a.x(), b.x())), float(y + half)};
}

TFloatRect TLandmarkPlacement::Vertical(QPointF a, QPointF b) const
{
    const double x = (a.x() + b.x()) / 2.0;
    const double half = FVerticalThickness / 2.0;
    return {float(x - half), float(std::min(a.y(), b.y())), float(x + half), float(std::max(a.y(), b.y()))};
}

TPlacedLines TLandmarkPlacement::Place(const TFaceLandmarks &face, const QImage &photo) const
{
    const TPhotoSampler sampler(photo);
    const TFaceAxes faceAxes = axes(face);
    TPlacedLines placed;
    auto &lines = placed.Lines;

    const TPupilFinder::TPupil left = TPupilFinder::Find(sampler, contour(face, 37));
    const TPupilFinder::TPupil right = TPupilFinder::Find(sampler, contour(face, 43));
    const QPointF pupils = (left.Centre + right.Centre) / 2.0;
    const QPointF chin = face.Point(9);
    const QPointF lips = (face.Mean(62, 64) + face.Mean(66, 68)) / 2.0;
    const QPointF brows = (face.Mean(19, 21) + face.Mean(24, 26)) / 2.0;
    const QPointF noseBase = face.Point(34);

    lines[1] = Horizontal(mouthEnd(sampler, face.Point(49), face.Point(55), face.Point(61)),
                          mouthEnd(sampler, face.Point(55), face.Point(49), face.Point(65)));
    lines[2] = Horizontal(face.Point(2), face.Point(16));
    bool alarFallback = false;
    lines[3] = Horizontal(alarEnd(sampler, face.Point(32), face.Point(36), alarFallback),
                          alarEnd(sampler, face.Point(36), face.Point(32), alarFallback));
    placed.Check[3] = alarFallback;
    lines[4] = Horizontal(left.Centre, right.Centre);
    const bool leftWider = QLineF(face.Point(37), face.Point(40)).length()
                           >= QLineF(face.Point(43), face.Point(46)).length();
    lines[5] = leftWider ? Horizontal(face.Point(37), face.Point(40)) : Horizontal(face.Point(43), face.Point(46));
    lines[6] = Vertical(pupils, chin);
    lines[7] = Vertical(lips, chin);
    lines[8] = Vertical(brows, pupils);

    // Brows to chin along the face's up axis: the hairline search's
    // yardstick, and two of the face's three equal thirds (hairline to
    // brows, brows to nose base, nose base to chin), so that the fallback
    // hairline lies half of it above the brows.
    const double height = dot(brows - chin, faceAxes.Up);
    const THairlineSearch::TFace forehead{face.Mean(22, 23), faceAxes.Up, height, face.Mean(29, 30)};
    const std::optional<double> hairline = THairlineSearch::Search(sampler, forehead);
    const QPointF hairlinePoint = hairline ? forehead.Start + faceAxes.Up * *hairline
                                           : brows + faceAxes.Up * (height / 2.0);
    placed.Check[9] = !hairline;
    lines[9] = Vertical(hairlinePoint, pupils);
    lines[10] = Vertical(face.Point(28), noseBase);
    lines[11] = Vertical(noseBase, lips);

    placed.TiltDegrees = qRadiansToDegrees(std::atan2(faceAxes.Right.y(), faceAxes.Right.x()));
    return placed;
}
