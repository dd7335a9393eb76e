#pragma once

#include <QPointF>
#include <array>

// The 68 points of a face in photo pixels, numbered 1 to 68 as in the usual
// 300-W layout: 1 to 17 the jaw from the image's left to its right, 18 to 27
// the brows, 28 to 36 the nose, 37 to 48 the eyes, 49 to 68 the mouth.
class TFaceLandmarks
{
public:
    static constexpr int Count = 68;

    QPointF Point(int n) const { return FPoints[n - 1]; }
    void SetPoint(int n, QPointF p) { FPoints[n - 1] = p; }

    // The mean of points first to last, both included.
    QPointF Mean(int first, int last) const;

    // The same face moved, turned by degrees about centre and scaled about
    // it: what the points become on a transformed photo.
    TFaceLandmarks Transformed(QPointF centre, double degrees, double scale, QPointF shift = {}) const;

private:
    std::array<QPointF, Count> FPoints{};
};
