#include "TReportTags.h"

#include <cmath>

namespace {

QByteArray figureText(double x, const QLocale &locale)
{
    return GetTextBeautyResult(x, locale).value_or(QString()).toUtf8();
}

} // namespace

QByteArray TReportTags::Text(const TBeautyResult &result, const QByteArray &tagName, const QLocale &locale)
{
    if (tagName == "result")
        return figureText(result.Index, locale);
    if (tagName == "dispersion")
        return figureText(result.Dispersion, locale);
    if (tagName == "error")
        return figureText(result.ErrorPercent(), locale);
    return {};
}

QByteArray TReportTags::Text(const TContent &content, const QByteArray &tagName, const QByteArray &tagParams,
                             const QLocale &locale)
{
    if (tagName == "photo")
        return content.PhotoUrl;
    if (tagName == "photowidth")
        return QByteArray::number(content.PhotoWidth);
    // "ratio1" to "ratio4": one digit after the name.
    if (tagName.size() == 6 && tagName.startsWith("ratio") && tagName[5] >= '1' && tagName[5] <= '4') {
        const double ratio = content.Ratio[tagName[5] - '1'];
        if (tagParams.trimmed() == "distance")
            return figureText(std::fabs(ratio - GoldenRatio), locale);
        return figureText(ratio, locale);
    }
    return Text(content.Result, tagName, locale);
}
