#pragma once

#include "evaluate/TFaceProportions.h"

#include <QLocale>
#include <QString>
#include <optional>

// How a run of the beauty computation ended.
enum class TBeautyStatus {
    Complete,   // Index and Dispersion hold the figures
    Incomplete, // a measurement is missing; both figures are -1.0
    Degenerate, // the measurements give no defined figure; both figures are -1.0
};

// The beauty index and its dispersion, in index units.
struct TBeautyResult
{
    float Index = -1.0f;
    float Dispersion = -1.0f;
    TBeautyStatus Status = TBeautyStatus::Incomplete;

    // The error figure: the dispersion as a percentage of the index.
    double ErrorPercent() const;
};

// The golden ratio of the scoring rule, exactly this ten-decimal value.
constexpr double GoldenRatio = 1.6180339887;

// The named steps of the scoring rule, each a 32-bit float.
struct TBeautySteps
{
    float Ratio[4] = {};     // R1 to R4
    float Mean = 0.0f;       // M
    float Deviation[4] = {}; // d1 to d4
    float Variance = 0.0f;   // V
    float Root = 0.0f;       // S
    float Spread = 0.0f;     // W
    float Dispersion = 0.0f;
    float Index = 0.0f;
};

// Runs the steps on complete proportions whose D differs from L6.
TBeautySteps GetBeautySteps(const TFaceProportions &proportions);

// Fills the proportions from the store and scores them. A complete result
// guarantees that its index, dispersion and error all have a text form.
TBeautyResult GetBeautyResult(const TMeasureStore &store, TFaceProportions &proportions);

// Scores proportions that IsCalceFacePosition found complete.
TBeautyResult GetBeautyResult(const TFaceProportions &proportions);

// The two-decimal text of a figure, truncated toward zero, with the decimal
// separator of the locale. No text (nullopt) when the figure is not finite or
// its hundredfold does not fit a 64-bit integer.
std::optional<QString> GetTextBeautyResult(double x, const QLocale &locale = QLocale::system());

// A figure as the command line prints it: the two-decimal text with a "."
// whatever the locale; empty when it has none.
QString GetCommandLineFigure(double x);
// The three figures of a complete result on their lines, "index X",
// "dispersion Y" and "error Z", as the command line prints them.
QString GetCommandLineFigures(const TBeautyResult &result);
