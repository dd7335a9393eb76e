#include "THairlineSearch.h"

#include "TPhotoSampler.h"

#include <algorithm>
#include <cmath>

namespace {

struct TColour
{
    double R = 0.0;
    double G = 0.0;
    double B = 0.0;

    double DistanceTo(const TColour &o) const { return std::hypot(R - o.R, G - o.G, B - o.B); }
};

// The mean colour of the strip's row at distance s up from Start, and the
// mean squared distance of its pixels from that mean (for the model's
// spread); nullopt when the row leaves the photo.
struct TRow
{
    TColour Mean;
    double Variance = 0.0;
};

std::optional<TRow> stripRow(const TPhotoSampler &photo, const THairlineSearch::TFace &face, double s)
{
    const QPointF across(-face.Up.y(), face.Up.x());
    const int half = std::max(1, int(face.Height * THairlineSearch::StripHalfWidth));
    const QPointF centre = face.Start + face.Up * s;
    TColour sum;
    double squares = 0.0;
    for (int k = -half; k <= half; ++k) {
        const std::optional<QRgb> c = photo.Colour(centre + across * double(k));
        if (!c)
            return std::nullopt;
        sum.R += qRed(*c);
        sum.G += qGreen(*c);
        sum.B += qBlue(*c);
        squares += double(qRed(*c)) * qRed(*c) + double(qGreen(*c)) * qGreen(*c) + double(qBlue(*c)) * qBlue(*c);
    }
    const double n = 2.0 * half + 1.0;
    TRow row{{sum.R / n, sum.G / n, sum.B / n}, 0.0};
    // Var = E[|c|²] - |E[c]|², summed over the three channels.
    row.Variance = std::max(0.0, squares / n - (row.Mean.R * row.Mean.R + row.Mean.G * row.Mean.G + row.Mean.B * row.Mean.B));
    return row;
}

// The mean colour of rows from to to (distances up from Start) and its
// spread (root of the mean variance plus the rows' own scatter).
std::optional<std::pair<TColour, double>> model(const TPhotoSampler &photo, const THairlineSearch::TFace &face,
                                                 double from, double to)
{
    TColour sum;
    double variance = 0.0;
    int rows = 0;
    for (double s = from; s <= to; s += 1.0, ++rows) {
        const std::optional<TRow> row = stripRow(photo, face, s);
        if (!row)
            return std::nullopt;
        sum.R += row->Mean.R;
        sum.G += row->Mean.G;
        sum.B += row->Mean.B;
        variance += row->Variance;
    }
    if (rows == 0)
        return std::nullopt;
    return std::make_pair(TColour{sum.R / rows, sum.G / rows, sum.B / rows}, std::sqrt(variance / rows));
}

} // namespace

std::optional<double> THairlineSearch::Search(const TPhotoSampler &photo, const TFace &face)
{
    const double h = face.Height;
    const auto forehead = model(photo, face, h * ModelFrom, h * ModelTo);
    // The skin reference: a few rows across the bridge of the nose.
    const TFace bridge{face.Skin, face.Up, face.Height, face.Skin};
    const auto skin = model(photo, bridge, -h * 0.02, h * 0.02);
    if (!forehead || !skin || forehead->first.DistanceTo(skin->first) > MaxSkinDifference)
        return std::nullopt;

    // The skin ends at the first row of a run of MinRun × h rows that all lie
    // farther from the model than the threshold; a shorter run is a wrinkle,
    // a shadow or a stray hair.
    const double threshold = std::max(MinLeave, SpreadsToLeave * forehead->second);
    const int run = std::max(2, int(h * MinRun));
    int outside = 0;
    for (double s = h * ModelTo; s <= h * MaxForehead + run; s += 1.0) {
        const std::optional<TRow> row = stripRow(photo, face, s);
        if (!row)
            return std::nullopt;
        outside = row->Mean.DistanceTo(forehead->first) > threshold ? outside + 1 : 0;
        if (outside == run) {
            const double end = s - run + 1;
            if (end < h * MinForehead || end > h * MaxForehead)
                return std::nullopt;
            return end;
        }
    }
    return std::nullopt;
}
