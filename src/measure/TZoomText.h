#pragma once

#include <QLocale>
#include <QString>

// The zoom level as the status bar shows it: the scale in per cent, "100 %".
// Whole per cents from 1 % up; below that two significant digits ("0.50 %",
// "0.10 %"), so that the smallest scales still read apart. The decimal
// separator is the locale's, as in the report.
class TZoomText
{
public:
    static QString Text(float scale, const QLocale &locale = QLocale());
};
