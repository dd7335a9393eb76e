#include "TFaceProportions.h"

#include <cmath>

bool TFaceProportions::IsCalceFacePosition(const TMeasureStore &store)
{
    bool complete = true;
    float referenceHeight = 0.0f;
    for (int n = 1; n <= MeasureCount; ++n) {
        const TFloatRect r = store.value(n);
        // The difference is rounded to a float before its absolute value is taken.
        const float difference = IsVerticalFaceValue(n)
            ? static_cast<float>(double(r.Top) - double(r.Bottom))
            : static_cast<float>(double(r.Left) - double(r.Right));
        MeasureLength[n] = std::fabs(difference);
        if (MeasureLength[n] == 0.0f)
            complete = false;
        if (n == MeasureCount) {
            // Y = Top + (Top - Bottom) / 2: half the length beyond the Top end,
            // on the side away from Bottom (not the midpoint). Rounded once.
            referenceHeight = static_cast<float>(double(r.Top) + (double(r.Top) - double(r.Bottom)) / 2.0);
        }
    }
    // D = |Y - B8|, the difference in double, rounded once.
    FacePositionDistance = static_cast<float>(std::fabs(double(referenceHeight) - double(store.value(8).Bottom)));
    return complete;
}
