#include "TPupilFinder.h"

#include "TPhotoSampler.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct TEyePixel
{
    double Luma;
    QPointF Centre;
};

QPointF contourCentre(const QPolygonF &contour)
{
    QPointF sum;
    for (const QPointF &p : contour)
        sum += p;
    return contour.isEmpty() ? sum : sum / double(contour.size());
}

// Every pixel whose centre lies inside the contour.
std::vector<TEyePixel> eyePixels(const TPhotoSampler &photo, const QPolygonF &contour)
{
    std::vector<TEyePixel> pixels;
    const QRectF box = contour.boundingRect();
    for (int y = int(std::floor(box.top())); y <= int(std::ceil(box.bottom())); ++y) {
        for (int x = int(std::floor(box.left())); x <= int(std::ceil(box.right())); ++x) {
            const QPointF centre(x + 0.5, y + 0.5);
            if (!contour.containsPoint(centre, Qt::OddEvenFill))
                continue;
            if (const std::optional<double> luma = photo.Luma(centre))
                pixels.push_back({*luma, centre});
        }
    }
    return pixels;
}

} // namespace

TPupilFinder::TPupil TPupilFinder::Find(const TPhotoSampler &photo, const QPolygonF &contour)
{
    const TPupil fallback{contourCentre(contour), false};
    std::vector<TEyePixel> pixels = eyePixels(photo, contour);
    if (int(pixels.size()) < MinPixels)
        return fallback;
    std::sort(pixels.begin(), pixels.end(), [](const TEyePixel &a, const TEyePixel &b) { return a.Luma < b.Luma; });
    const size_t dark = std::max<size_t>(1, size_t(double(pixels.size()) * DarkShare));
    QPointF sum;
    double darkLuma = 0.0;
    for (size_t i = 0; i < dark; ++i) {
        sum += pixels[i].Centre;
        darkLuma += pixels[i].Luma;
    }
    darkLuma /= double(dark);
    const double median = pixels[pixels.size() / 2].Luma;
    if (median - darkLuma < MinContrast)
        return fallback;
    return {sum / double(dark), true};
}
