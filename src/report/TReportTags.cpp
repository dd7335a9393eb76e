#include "TReportTags.h"

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
