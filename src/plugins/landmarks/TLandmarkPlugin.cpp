#include "TLandmarkPlugin.h"

#include "core/EOrvessaError.h"

#include <dlib/image_processing.h>
#include <dlib/image_processing/frontal_face_detector.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <optional>

struct TLandmarkPlugin::TModels
{
    dlib::frontal_face_detector Detector = dlib::get_frontal_face_detector();
    dlib::shape_predictor Shape;
};

namespace {

// The photo pixel under the centre of each of `count` equal cells across
// `length` pixels: floor((i + 1/2) * length / count).
std::vector<int> cellCentres(int length, int count)
{
    std::vector<int> at(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        at[size_t(i)] = int((2 * qint64(i) + 1) * length / (2 * qint64(count)));
    return at;
}

// Qt's grey of a pixel, (11 R + 16 G + 5 B) / 32, times 32.
int grey32(QRgb pixel)
{
    return qRed(pixel) * 11 + qGreen(pixel) * 16 + qBlue(pixel) * 5;
}

// A grey copy of a large photo at `size` (at most half the photo's each
// way): each pixel is the mean of the four photo pixels under the centres of
// its 2 x 2 quarter cells. Only those pixels are read: Qt's smooth scaling
// of tens of megapixels would cost more than the face detector's scan.
dlib::array2d<unsigned char> sampledGrey(const QImage &photo, QSize size)
{
    const std::vector<int> columns = cellCentres(photo.width(), 2 * size.width());
    const std::vector<int> rows = cellCentres(photo.height(), 2 * size.height());
    dlib::array2d<unsigned char> image(size.height(), size.width());
    for (int y = 0; y < size.height(); ++y) {
        const auto *a = reinterpret_cast<const QRgb *>(photo.constScanLine(rows[size_t(2 * y)]));
        const auto *b = reinterpret_cast<const QRgb *>(photo.constScanLine(rows[size_t(2 * y + 1)]));
        for (int x = 0; x < size.width(); ++x) {
            const int left = columns[size_t(2 * x)], right = columns[size_t(2 * x + 1)];
            // Four greys of 32 times their value: the mean is the sum / 128.
            const int sum = grey32(a[left]) + grey32(a[right]) + grey32(b[left]) + grey32(b[right]);
            image[y][x] = uchar((sum + 64) / 128);
        }
    }
    return image;
}

// A grey copy of the photo scaled by factor, as dlib's image.
dlib::array2d<unsigned char> greyCopy(const QImage &photo, double factor)
{
    const QSize size(std::max(1, qRound(photo.width() * factor)), std::max(1, qRound(photo.height() * factor)));
    if (photo.width() >= 2 * size.width() && photo.height() >= 2 * size.height())
        return sampledGrey(photo, size);
    const QImage grey = photo.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                            .convertToFormat(QImage::Format_Grayscale8);
    dlib::array2d<unsigned char> image(grey.height(), grey.width());
    for (int y = 0; y < grey.height(); ++y)
        std::copy_n(grey.constScanLine(y), grey.width(), &image[y][0]);
    return image;
}

// The most confident face on `image` (not the largest), its box scaled by
// `enlarge` about the pixels' corners: a pixel edge x becomes x * enlarge.
std::optional<dlib::rectangle> bestFace(dlib::frontal_face_detector &detector,
                                        const dlib::array2d<unsigned char> &image, double enlarge)
{
    std::vector<dlib::rect_detection> faces;
    detector(image, faces, 0.0);
    if (faces.empty())
        return std::nullopt;
    const auto best = std::max_element(faces.begin(), faces.end(), [](const auto &a, const auto &b) {
        return a.detection_confidence < b.detection_confidence;
    });
    // dlib's right and bottom are the last pixels inside: their far edges
    // are right + 1 and bottom + 1.
    const dlib::rectangle &r = best->rect;
    return dlib::rectangle(std::lround(r.left() * enlarge), std::lround(r.top() * enlarge),
                           std::lround((r.right() + 1) * enlarge) - 1, std::lround((r.bottom() + 1) * enlarge) - 1);
}

} // namespace

TLandmarkPlugin::TLandmarkPlugin() = default;
TLandmarkPlugin::~TLandmarkPlugin() = default;

std::optional<TFaceLandmarks> TLandmarkPlugin::Detect(const QImage &picture, const QString &modelPath)
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
    if (picture.isNull())
        return std::nullopt;
    // The copies read 32-bit pixels; the program's photos already are.
    const QImage photo = picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);

    dlib::array2d<unsigned char> image;
    const std::optional<dlib::rectangle> face = FindFace(photo, image);
    if (!face)
        return std::nullopt;
    const dlib::full_object_detection shape = FModels->Shape(image, *face);
    TFaceLandmarks landmarks;
    // A copy pixel's centre (x + 0.5) / scale on the photo, minus half a
    // pixel back to the photo pixel's index.
    const double scaleX = double(image.nc()) / photo.width(), scaleY = double(image.nr()) / photo.height();
    for (int n = 1; n <= TFaceLandmarks::Count && n <= int(shape.num_parts()); ++n) {
        const dlib::point p = shape.part(unsigned(n - 1));
        landmarks.SetPoint(n, {(p.x() + 0.5) / scaleX - 0.5, (p.y() + 0.5) / scaleY - 0.5});
    }
    return landmarks;
}

// The faces are looked for on a copy of at most ScanSide pixels, where the
// detector's scan (most of the work) costs a quarter of what it does at
// FitSide, then on copies twice and four times that size while none is found.
// The points are fitted on a copy of at least FitSide pixels (or the photo's
// size when it is smaller): `image` is left holding it, the face's box
// scaled to it.
std::optional<dlib::rectangle> TLandmarkPlugin::FindFace(const QImage &photo, dlib::array2d<unsigned char> &image)
{
    const double longer = std::max(photo.width(), photo.height());
    const double fit = std::min(1.0, FitSide / longer);
    double scan = std::min(1.0, ScanSide / longer);
    std::optional<dlib::rectangle> face;
    for (int tries = 1;; ++tries) {
        greyCopy(photo, scan).swap(image);
        face = bestFace(FModels->Detector, image, std::max(fit, scan) / scan);
        if (face || scan >= 1.0 || tries == Scans)
            break;
        scan = std::min(1.0, 2.0 * scan);
    }
    if (face && fit > scan)
        greyCopy(photo, fit).swap(image);
    return face;
}
