#pragma once

#include "evaluate/TBeautyResult.h"

#include <QByteArray>
#include <QLocale>

// The replacement texts of the report template's tags for one result:
// "result" is the index, "dispersion" the dispersion and "error" the error
// percentage, each in its two-decimal text form. Names compare exactly, so
// "Result" is not the index tag; every other tag, and a figure without a
// text form, gives an empty text. The texts are UTF-8.
class TReportTags
{
public:
    static QByteArray Text(const TBeautyResult &result, const QByteArray &tagName,
                           const QLocale &locale = QLocale::system());

    // What else a report shows: the four ratios and the face picture.
    struct TContent
    {
        TBeautyResult Result;
        float Ratio[4] = {};
        QByteArray PhotoUrl; // the picture's file URL
        int PhotoWidth = 0;
    };
    // The tags above and "photo" (the picture's URL), "photowidth" (its
    // width in pixels), "ratio1" to "ratio4" (the ratio's value) and, with
    // the parameter "distance", the ratio's distance from the golden ratio,
    // the figures in the two-decimal text form.
    static QByteArray Text(const TContent &content, const QByteArray &tagName, const QByteArray &tagParams,
                           const QLocale &locale = QLocale::system());
};
