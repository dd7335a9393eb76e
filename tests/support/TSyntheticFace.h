#pragma once

#include "measure/TFaceLandmarks.h"

#include <QPointF>
#include <QtMath>
#include <cmath>

// The landmarks of a drawn face, shared by the tests that place lines on
// photos painted to match it (only tests that link the measure floor may
// include this).
namespace TestSupport {

// A symmetric frontal face about x = 200: brows at y 150, eyes' corners at
// 170, nostrils at 220, mouth corners at 260, chin (point 9) at 320.
inline TFaceLandmarks syntheticFace()
{
    TFaceLandmarks face;
    for (int k = 1; k <= 17; ++k) {
        const double t = M_PI * (k - 1) / 16.0;
        face.SetPoint(k, {200.0 - 80.0 * std::cos(t), 200.0 + 120.0 * std::sin(t)});
    }
    const double brows[5] = {140, 152.5, 165, 177.5, 190};
    for (int i = 0; i < 5; ++i) {
        face.SetPoint(18 + i, {brows[i], 150});
        face.SetPoint(27 - i, {400 - brows[i], 150});
    }
    const QPointF nose[9] = {{200, 165}, {200, 180}, {200, 195}, {200, 210}, {185, 220},
                             {192.5, 222}, {200, 223}, {207.5, 222}, {215, 220}};
    for (int i = 0; i < 9; ++i)
        face.SetPoint(28 + i, nose[i]);
    const QPointF eye[6] = {{150, 170}, {160, 165}, {170, 165}, {180, 170}, {170, 175}, {160, 175}};
    // 37 to 42 run clockwise from the outer corner, 43 to 48 from the inner one.
    const int mirror[6] = {46, 45, 44, 43, 48, 47};
    for (int i = 0; i < 6; ++i) {
        face.SetPoint(37 + i, eye[i]);
        face.SetPoint(mirror[i], {400 - eye[i].x(), eye[i].y()});
    }
    const QPointF mouth[20] = {{170, 260}, {180, 254}, {190, 251}, {200, 253}, {210, 251}, {220, 254}, {230, 260},
                               {220, 266}, {210, 269}, {200, 270}, {190, 269}, {180, 266}, {175, 260}, {190, 257},
                               {200, 258}, {210, 257}, {225, 260}, {210, 263}, {200, 264}, {190, 263}};
    for (int i = 0; i < 20; ++i)
        face.SetPoint(49 + i, mouth[i]);
    return face;
}

} // namespace TestSupport
