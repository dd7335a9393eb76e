#include "TFaceLandmarks.h"

#include <QTransform>

QPointF TFaceLandmarks::Mean(int first, int last) const
{
    QPointF sum;
    for (int n = first; n <= last; ++n)
        sum += Point(n);
    return sum / double(last - first + 1);
}

TFaceLandmarks TFaceLandmarks::Transformed(QPointF centre, double degrees, double scale, QPointF shift) const
{
    // Read right to left: move the centre to the origin, scale, turn, move
    // back and then by shift.
    QTransform t;
    t.translate(centre.x() + shift.x(), centre.y() + shift.y());
    t.rotate(degrees);
    t.scale(scale, scale);
    t.translate(-centre.x(), -centre.y());
    TFaceLandmarks result;
    for (int n = 1; n <= Count; ++n)
        result.SetPoint(n, t.map(Point(n)));
    return result;
}
