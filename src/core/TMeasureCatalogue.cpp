#include "TMeasureCatalogue.h"

bool IsVerticalFaceValue(int n)
{
    return n >= 6 && n <= MeasureCount;
}
