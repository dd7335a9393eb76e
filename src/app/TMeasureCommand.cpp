#include "TMeasureCommand.h"

#include "core/TMeasurementsFile.h"
#include "evaluate/TBeautyResult.h"
#include "input/TPhotoLoader.h"
#include "lang/TOurTexts.h"
#include "measure/TFaceFinder.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <exception>

namespace {

constexpr int NoFace = 1;
constexpr int Unreadable = 2;
// The guide-line pictures' thickness, as the window uses them.
constexpr float LineThickness = 3.0f;

// The photo's part of its measurements file, without any line.
TMeasurements photoPart(const QString &photoPath, QSize size)
{
    TMeasurements measurements;
    measurements.PhotoFile = TMeasurementsFile::PhotoReference(TMeasureCommand::SavePath(photoPath), photoPath);
    measurements.PhotoSize = size;
    measurements.PhotoSha256 = TMeasurementsFile::Sha256(photoPath);
    return measurements;
}

TMeasurements measurementsOf(const QString &photoPath, QSize size, const TPlacedLines &placed)
{
    TMeasurements measurements = photoPart(photoPath, size);
    for (int n = 1; n <= MeasureCount; ++n)
        measurements.Entries.append({n, placed.Lines[n], true});
    return measurements;
}

QString textBlock(const QString &photo, const TMeasureStore &store, const TBeautyResult &result)
{
    QString text = QStringLiteral("photo %1\n").arg(photo);
    TFaceProportions proportions;
    proportions.IsCalceFacePosition(store);
    for (int n = 1; n <= MeasureCount; ++n)
        text += QStringLiteral("measurement %1 %2\n").arg(n).arg(double(proportions.MeasureLength[n]), 0, 'f', 2);
    if (result.Status == TBeautyStatus::Complete)
        text += GetCommandLineFigures(result);
    return text;
}

QString jsonLine(const std::optional<TMeasurements> &measurements, const QString &photoPath, QSize size,
                 const TBeautyResult &result)
{
    const TMeasurements shown = measurements ? *measurements : photoPart(photoPath, size);
    QJsonObject object = QJsonDocument::fromJson(TMeasurementsFile::Text(shown)).object();
    object.insert(QStringLiteral("face"), measurements.has_value());
    if (measurements && result.Status == TBeautyStatus::Complete) {
        object.insert(QStringLiteral("result"),
                      QJsonObject{{QStringLiteral("index"), GetCommandLineFigure(result.Index)},
                                  {QStringLiteral("dispersion"), GetCommandLineFigure(result.Dispersion)},
                                  {QStringLiteral("error"), GetCommandLineFigure(result.ErrorPercent())}});
    }
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) + QLatin1Char('\n');
}

} // namespace

QString TMeasureCommand::SavePath(const QString &photoPath)
{
    const QFileInfo photo(photoPath);
    return photo.dir().filePath(photo.completeBaseName() + QLatin1String(TMeasurementsFile::Extension));
}

int TMeasureCommand::Run(const QStringList &photos, bool json, bool save, QString &out, QString &err)
{
    if (!TFaceFinder::ModelInstalled()) {
        err += TOurTexts::Fallback(QStringLiteral("errorLandmarkModelMissing")) + QLatin1Char('\n');
        return Unreadable;
    }
    int status = 0;
    const TLandmarkPlacement placement(LineThickness, LineThickness);
    for (const QString &name : photos) {
        const QString path = QFileInfo(name).absoluteFilePath();
        TPhoto photo;
        std::optional<TPlacedLines> placed;
        try {
            photo = TPhotoLoader::Load(path);
            placed = TFaceFinder::Place(photo.Pixels(), placement);
        } catch (const std::exception &failure) {
            err += QString::fromUtf8(failure.what()) + QLatin1Char('\n');
            status = std::max(status, Unreadable);
            continue;
        }
        std::optional<TMeasurements> measurements;
        TBeautyResult result;
        if (placed) {
            measurements = measurementsOf(path, photo.PixelSize(), *placed);
            TFaceProportions proportions;
            result = GetBeautyResult(TMeasurementsFile::Store(measurements->Entries), proportions);
        } else {
            err += QStringLiteral("%1: %2\n").arg(name, TOurTexts::Fallback(QStringLiteral("errorNoFace")));
            status = std::max(status, NoFace);
        }
        QString reason;
        if (save && measurements && !TMeasurementsFile::Write(SavePath(path), *measurements, reason)) {
            err += TOurTexts::Fallback(QStringLiteral("errorSaveFailed")).arg(SavePath(path), reason) + QLatin1Char('\n');
            status = std::max(status, Unreadable);
        }
        if (json)
            out += jsonLine(measurements, path, photo.PixelSize(), result);
        else if (measurements)
            out += textBlock(name, TMeasurementsFile::Store(measurements->Entries), result);
    }
    return status;
}
