#include "TBeautyResult.h"

#include <cmath>

namespace {

// Every named quantity of the rule ends its step as a 32-bit float; the
// arithmetic inside a step is done in double.
float step(double value)
{
    return static_cast<float>(value);
}

// The hundredfold of x truncated toward zero, if it fits a 64-bit integer.
// 2^63 is exact in double, and every double of that size is whole, so
// -2^63 <= y < 2^63 is precisely the range that converts without overflow.
std::optional<qint64> truncatedHundredths(double x)
{
    const double y = x * 100.0;
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (!std::isfinite(y) || y < -limit || y >= limit)
        return std::nullopt;
    return static_cast<qint64>(y);
}

bool hasText(double x)
{
    return truncatedHundredths(x).has_value();
}

TBeautyResult degenerate()
{
    return {-1.0f, -1.0f, TBeautyStatus::Degenerate};
}

} // namespace

double TBeautyResult::ErrorPercent() const
{
    return 100.0 * double(Dispersion) / double(Index);
}

TBeautyResult GetBeautyResult(const TMeasureStore &store, TFaceProportions &proportions)
{
    if (!proportions.IsCalceFacePosition(store))
        return {};
    return GetBeautyResult(proportions);
}

TBeautySteps GetBeautySteps(const TFaceProportions &proportions)
{
    const double l1 = proportions.MeasureLength[1];
    const double l2 = proportions.MeasureLength[2];
    const double l6 = proportions.MeasureLength[6];
    const double l9 = proportions.MeasureLength[9];
    const double d = proportions.FacePositionDistance;

    TBeautySteps s;
    s.Ratio[0] = step((l6 + l9) / l2);
    s.Ratio[1] = step(l6 / (l6 - d));
    s.Ratio[2] = step(l6 / l9);
    s.Ratio[3] = step((l6 - d) / l1);
    // M = (R1 + R2 + R3 + R4) / 4, summed in this order.
    s.Mean = step((((double(s.Ratio[0]) + s.Ratio[1]) + s.Ratio[2]) + s.Ratio[3]) / 4.0);
    // V = (d1² + d2² + d3² + d4²) / 12 with dk = M - Rk; the squares and
    // their sum are not rounded.
    double squares = 0.0;
    for (int k = 0; k < 4; ++k) {
        s.Deviation[k] = step(double(s.Mean) - s.Ratio[k]);
        squares += double(s.Deviation[k]) * s.Deviation[k];
    }
    s.Variance = step(squares / 12.0);
    // S = e^(ln V / 2). Four equal ratios give V = 0, whose logarithm is
    // undefined; their spread is plainly 0.
    s.Root = s.Variance > 0.0f ? step(std::exp(std::log(double(s.Variance)) / 2.0)) : 0.0f;
    s.Spread = step(double(s.Root) * 2.8);
    // Divide by the golden ratio first, then scale to index units.
    s.Dispersion = step(double(s.Spread) / GoldenRatio * 100.0);
    s.Index = step(double(s.Mean) / GoldenRatio * 100.0);
    return s;
}

TBeautyResult GetBeautyResult(const TFaceProportions &proportions)
{
    if (proportions.MeasureLength[6] == proportions.FacePositionDistance) // R2 would divide by zero
        return degenerate();
    const TBeautySteps steps = GetBeautySteps(proportions);
    const TBeautyResult result{steps.Index, steps.Dispersion, TBeautyStatus::Complete};
    // An index of 0 leaves the error undefined, and a figure without a text
    // form could not be shown.
    if (result.Index == 0.0f || !hasText(result.Index) || !hasText(result.Dispersion) || !hasText(result.ErrorPercent()))
        return degenerate();
    return result;
}

std::optional<QString> GetTextBeautyResult(double x, const QLocale &locale)
{
    const std::optional<qint64> hundredths = truncatedHundredths(x);
    if (!hundredths)
        return std::nullopt;
    // v = k / 100 in general form with at most 15 significant digits: fixed
    // point below 1e15, trailing zeros and a bare separator dropped, an ASCII
    // minus sign; only the decimal separator follows the locale.
    const double v = double(*hundredths) / 100.0;
    QString text = QString::number(v, 'g', 15);
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

QString GetCommandLineFigure(double x)
{
    return GetTextBeautyResult(x, QLocale::c()).value_or(QString());
}

QString GetCommandLineFigures(const TBeautyResult &result)
{
    return QStringLiteral("index %1\ndispersion %2\nerror %3\n")
        .arg(GetCommandLineFigure(result.Index), GetCommandLineFigure(result.Dispersion),
             GetCommandLineFigure(result.ErrorPercent()));
}
