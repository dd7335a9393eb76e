#include "TAlarEdgeSearch.h"

#include "TPhotoSampler.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The mean luma of a short stretch across the row at distance s, so that a
// pore or a stray hair does not make a step; nullopt off the photo.
std::optional<double> rowLuma(const TPhotoSampler &photo, QPointF start, QPointF outward, double s)
{
    const QPointF across(-outward.y(), outward.x());
    double sum = 0.0;
    for (int k = -1; k <= 1; ++k) {
        const std::optional<double> luma = photo.Luma(start + outward * s + across * double(k));
        if (!luma)
            return std::nullopt;
        sum += *luma;
    }
    return sum / 3.0;
}

} // namespace

std::optional<double> TAlarEdgeSearch::Search(const TPhotoSampler &photo, QPointF start, QPointF outward, double reach)
{
    // The profile in whole-pixel steps, cut where it leaves the photo.
    std::vector<double> profile;
    for (int s = 0; s <= int(reach); ++s) {
        const std::optional<double> luma = rowLuma(photo, start, outward, s);
        if (!luma)
            break;
        profile.push_back(*luma);
    }
    // The step at s compares the mean of the h pixels before it with the
    // mean of the h pixels after it: step(s) = mean[s-h, s) - mean(s, s+h].
    // h grows with the nose (a twentieth of the reach, at least 1) so the
    // search sees the wing's edge, not the skin's grain.
    const int h = std::max(1, int(reach / 20.0));
    double best = MinStep;
    std::optional<double> found;
    for (int s = h; s + h < int(profile.size()); ++s) {
        double before = 0.0;
        double after = 0.0;
        for (int k = 1; k <= h; ++k) {
            before += profile[size_t(s - k)];
            after += profile[size_t(s + k)];
        }
        const double step = (before - after) / double(h);
        if (step > best) {
            best = step;
            found = double(s);
        }
    }
    return found;
}
