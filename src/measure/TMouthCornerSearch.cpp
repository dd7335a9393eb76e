#include "TMouthCornerSearch.h"

#include "TPhotoSampler.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The search's path, at distances s along Outward from the model's corner:
// at the inner corner's height inside it, from there straight to the model's
// corner (the lips' gap narrows from one to the other) and on at the model's
// height beyond it. Rows are whole pixels across the mouth's line, so a
// slightly tilted head keeps the path on its lips.
class TPath
{
public:
    explicit TPath(const TMouthCornerSearch::TCorner &corner)
        : FCorner(corner.Outer), FOutward(corner.Outward),
          // A quarter turn of Outward: (x, y) -> (-y, x).
          FAcross(-corner.Outward.y(), corner.Outward.x()),
          // The inner corner's place in the path's frame, at least a pixel
          // inside the model's corner so that the slope below stays defined.
          FInnerS(std::min(-1.0, QPointF::dotProduct(corner.Inner - corner.Outer, corner.Outward))),
          FInnerAcross(QPointF::dotProduct(corner.Inner - corner.Outer, FAcross))
    {
    }

    double InnerS() const { return FInnerS; }

    // The luma of the pixel on row `row` at s. A landmark's position names
    // its pixel (x, y) as the point (x, y), so a point reads the pixel it
    // rounds to: the sampler takes the pixel under the point, hence + 0.5.
    std::optional<double> Luma(const TPhotoSampler &photo, double s, int row) const
    {
        // Across the line: the inner corner's offset inside it, none beyond
        // the model's corner, and in between InnerAcross × s / InnerS (the
        // share s / InnerS runs from 1 at the inner corner to 0 at the model's).
        const double across = s <= FInnerS ? FInnerAcross : s >= 0.0 ? 0.0 : FInnerAcross * s / FInnerS;
        const QPointF p = FCorner + FOutward * s + FAcross * (across + row);
        return photo.Luma(p + QPointF(0.5, 0.5));
    }

private:
    QPointF FCorner;
    QPointF FOutward;
    QPointF FAcross;
    double FInnerS;
    double FInnerAcross;
};

// The darkest of the rows just above, on and just below the path at s: the
// line between the lips is thin and need not keep to one row.
std::optional<double> darkestAcross(const TPhotoSampler &photo, const TPath &path, double s)
{
    double darkest = 255.0;
    for (int row = -1; row <= 1; ++row) {
        const std::optional<double> luma = path.Luma(photo, s, row);
        if (!luma)
            return std::nullopt;
        darkest = std::min(darkest, *luma);
    }
    return darkest;
}

// The mean luma of the three rows over SkinSteps pixels from s outwards.
std::optional<double> skinFrom(const TPhotoSampler &photo, const TPath &path, double s)
{
    double sum = 0.0;
    for (int k = 0; k < TMouthCornerSearch::SkinSteps; ++k) {
        for (int row = -1; row <= 1; ++row) {
            const std::optional<double> luma = path.Luma(photo, s + k, row);
            if (!luma)
                return std::nullopt;
            sum += *luma;
        }
    }
    return sum / (3.0 * TMouthCornerSearch::SkinSteps);
}

// The darkest across the path at each whole step from first to last;
// nullopt when the path leaves the photo.
std::optional<std::vector<double>> profileAlong(const TPhotoSampler &photo, const TPath &path, int first, int last)
{
    std::vector<double> profile;
    for (int s = first; s <= last; ++s) {
        const std::optional<double> luma = darkestAcross(photo, path, s);
        if (!luma)
            return std::nullopt;
        profile.push_back(*luma);
    }
    return profile;
}

// Where the profile last comes back up to the threshold, in steps from its
// start: after its outermost step darker than the threshold (there is one).
// Nullopt when that is the last step: the line goes on past the search.
std::optional<double> lastRise(const std::vector<double> &profile, double threshold)
{
    size_t k = profile.size() - 1;
    if (profile[k] < threshold)
        return std::nullopt;
    while (profile[k] >= threshold)
        --k;
    // Between step k (darker than the threshold) and k + 1 (not) the luma
    // is taken to run straight: it crosses the threshold at the share
    // (threshold - p[k]) / (p[k+1] - p[k]) of the step, in (0, 1].
    return double(k) + (threshold - profile[k]) / (profile[k + 1] - profile[k]);
}

} // namespace

std::optional<double> TMouthCornerSearch::Search(const TPhotoSampler &photo, const TCorner &corner)
{
    const TPath path(corner);
    // Whole steps from the model's corner, so that on a level mouth every
    // step is one pixel of the corner's row: from Inside × Width before the
    // inner corner to Beyond × Width past the model's one.
    const int first = int(std::floor(path.InnerS() - std::max(MinMargin, Inside * corner.Width)));
    const int last = int(std::floor(std::max(MinMargin, Beyond * corner.Width)));
    const std::optional<std::vector<double>> profile = profileAlong(photo, path, first, last);
    const std::optional<double> skin = skinFrom(photo, path, last + 1);
    if (!profile || !skin)
        return std::nullopt;
    const double darkest = *std::min_element(profile->begin(), profile->end());
    if (*skin - darkest < MinContrast)
        return std::nullopt;
    // The line's end: where it comes back past halfway from its darkest to
    // the skin.
    const std::optional<double> rise = lastRise(*profile, (*skin + darkest) / 2.0);
    if (!rise)
        return std::nullopt;
    return first + *rise;
}
