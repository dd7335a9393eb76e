#include "TZoomText.h"

#include <cmath>

namespace {

// p rounded to two significant digits: with e = floor(log10 p) the last kept
// digit is worth 10^(e - 1), so p' = round(p / 10^(e - 1)) * 10^(e - 1).
// 0.0996 gives e = -2 and 0.100, which reads as 0.10 once e is taken again.
double TwoDigits(double p)
{
    const double unit = std::pow(10.0, std::floor(std::log10(p)) - 1);
    return std::round(p / unit) * unit;
}

} // namespace

QString TZoomText::Text(float scale, const QLocale &locale)
{
    const double percent = double(scale) * 100.0;
    const QString unit = QStringLiteral(" %");
    if (!(percent > 0))
        return QStringLiteral("0") + unit;
    const double rounded = TwoDigits(percent);
    if (rounded >= 1.0)
        return QString::number(std::llround(percent >= 1.0 ? percent : rounded)) + unit;
    // 0.1 <= rounded < 1 needs 2 decimals, 0.01 <= rounded < 0.1 needs 3, ...
    const int decimals = 1 - int(std::floor(std::log10(rounded) + 1e-9));
    return locale.toString(rounded, 'f', decimals) + unit;
}
