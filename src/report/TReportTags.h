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
};
