#include "TMouthCornerSearch.h"

#include "TPhotoSampler.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

double dot(QPointF a, QPointF b)
{
    return a.x() * b.x() + a.y() * b.y();
}

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
          FInnerS(std::min(-1.0, dot(corner.Inner - corner.Outer, corner.Outward))),
          FInnerAcross(dot(corner.Inner - corner.Outer, FAcross))
    {
    }

    double InnerS() const { return FInnerS; }

    // The luma of the pixel on row `row` at s. A landmark's position names
    // its pixel (x, y) as the point (x, y), so a point reads the pixel it
    // rounds to: the sampler takes the pixel under the point, hence + 0.5.
    std::optional<double> Luma(const TPhotoSampler &photo, double s, int row) const
    {
        // Across the line: the inner corner's offset inside it, none beyond
        // the model's corner, and in between the straight line's share,
        // InnerAcross × s / InnerS (1 at the inner corner, 0 at the model's).
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

} // namespace

std::optional<double> TMouthCornerSearch::Search(const TPhotoSampler &photo, const TCorner &corner)
{
    const TPath path(corner);
    // Whole steps from the model's corner, so that on a level mouth every
    // step is one pixel of the corner's row: from Inside × Width before the
    // inner corner to Beyond × Width past the model's one.
    const int first = int(std::floor(path.InnerS() - std::max(MinMargin, Inside * corner.Width)));
    const int last = int(std::floor(std::max(MinMargin, Beyond * corner.Width)));
    std::vector<double> profile;
    for (int s = first; s <= last; ++s) {
        const std::optional<double> luma = darkestAcross(photo, path, s);
        if (!luma)
            return std::nullopt;
        profile.push_back(*luma);
    }
    const std::optional<double> skin = skinFrom(photo, path, last + 1);
    const double darkest = *std::min_element(profile.begin(), profile.end());
    if (!skin || *skin - darkest < MinContrast)
        return std::nullopt;

    // The outermost step darker than halfway between the line's darkest and
    // the skin; when that is the last step the line goes on past the search.
    const double threshold = (*skin + darkest) / 2.0;
    int k = int(profile.size()) - 1;
    while (profile[size_t(k)] >= threshold)
        --k;
    if (k == int(profile.size()) - 1)
        return std::nullopt;
    // Between step k (darker than the threshold) and k + 1 (not) the luma
    // is taken to run straight: it crosses the threshold at the share
    // (threshold - p[k]) / (p[k+1] - p[k]) of the step, in (0, 1].
    const double dark = profile[size_t(k)];
    const double light = profile[size_t(k + 1)];
    return first + k + (threshold - dark) / (light - dark);
}
