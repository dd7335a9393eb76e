#pragma once

#include <QString>

// The zoom level as the status bar shows it: the scale in per cent, "100 %".
// Whole per cents from 1 % up; below that two significant digits ("0.50 %",
// "0.10 %"), so that the smallest scales still read apart.
class TZoomText
{
public:
    static QString Text(float scale);
};
