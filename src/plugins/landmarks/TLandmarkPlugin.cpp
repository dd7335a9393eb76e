#include "TLandmarkPlugin.h"

#include "core/EOrvessaError.h"

#include <dlib/image_processing.h>
#include <dlib/image_processing/frontal_face_detector.h>

#include <QDir>
#include <QFile>
#include <algorithm>

struct TLandmarkPlugin::TModels
{
    dlib::frontal_face_detector Detector = dlib::get_frontal_face_detector();
    dlib::shape_predictor Shape;
};

namespace {

// A grey copy of the photo scaled by factor, as dlib's image.
dlib::array2d<unsigned char> greyCopy(const QImage &photo, double factor)
{
    const QSize size(std::max(1, qRound(photo.width() * factor)), std::max(1, qRound(photo.height() * factor)));
    // A large photo is first taken down to twice the size by picking pixels,
    // which costs next to nothing; the smooth scaling and the grey
    // conversion then work on a few megapixels instead of tens.
    const QImage near = photo.width() > 4 * size.width()
        ? photo.scaled(size * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        : photo;
    const QImage grey = near.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                            .convertToFormat(QImage::Format_Grayscale8);
    dlib::array2d<unsigned char> image(grey.height(), grey.width());
    for (int y = 0; y < grey.height(); ++y)
        std::copy_n(grey.constScanLine(y), grey.width(), &image[y][0]);
    return image;
}

} // namespace

TLandmarkPlugin::TLandmarkPlugin() = default;
TLandmarkPlugin::~TLandmarkPlugin() = default;

std::optional<TFaceLandmarks> TLandmarkPlugin::Detect(const QImage &photo, const QString &modelPath)
{
    if (!FModels || modelPath != FModelPath) {
        auto models = std::make_unique<TModels>();
        try {
            dlib::deserialize(QFile::encodeName(modelPath).toStdString()) >> models->Shape;
        } catch (const std::exception &failure) {
            throw EOrvessaError(QStringLiteral("The face model \"%1\" cannot be read. %2")
                                    .arg(QDir::toNativeSeparators(modelPath), QString::fromLocal8Bit(failure.what())));
        }
        FModels = std::move(models);
        FModelPath = modelPath;
    }
    if (photo.isNull())
        return std::nullopt;

    const double first = std::min(1.0, double(DetectionSide) / std::max(photo.width(), photo.height()));
    for (const double factor : {first, 2.0 * first}) {
        const dlib::array2d<unsigned char> image = greyCopy(photo, factor);
        std::vector<dlib::rect_detection> faces;
        FModels->Detector(image, faces, 0.0);
        if (faces.empty())
            continue;
        // The most confident face, not the largest.
        const auto best = std::max_element(faces.begin(), faces.end(), [](const auto &a, const auto &b) {
            return a.detection_confidence < b.detection_confidence;
        });
        const dlib::full_object_detection shape = FModels->Shape(image, best->rect);
        TFaceLandmarks face;
        // A pixel's centre (x + 0.5) / factor on the photo, minus half a
        // pixel back to the corner-based position.
        for (int n = 1; n <= TFaceLandmarks::Count && n <= int(shape.num_parts()); ++n) {
            const dlib::point p = shape.part(unsigned(n - 1));
            face.SetPoint(n, {(p.x() + 0.5) / factor - 0.5, (p.y() + 0.5) / factor - 0.5});
        }
        return face;
    }
    return std::nullopt;
}
