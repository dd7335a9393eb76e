#pragma once

#include "measure/TLandmarkDetector.h"

#include <dlib/array2d.h>
#include <dlib/geometry/rectangle.h>

#include <QObject>
#include <memory>

// The face detector and the landmarks' shape model, as a plugin.
class TLandmarkPlugin : public QObject, public TLandmarkDetector
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TLandmarkDetector_iid)
    Q_INTERFACES(TLandmarkDetector)

public:
    TLandmarkPlugin();
    ~TLandmarkPlugin() override;

    std::optional<TFaceLandmarks> Detect(const QImage &photo, const QString &modelPath) override;

    // The longer side of the copy the detector scans first; without a face,
    // up to Scans copies in all, each twice the size of the one before. The
    // points are fitted on a copy whose longer side is at least FitSide.
    static constexpr int ScanSide = 400;
    static constexpr int Scans = 3;
    static constexpr int FitSide = 800;

private:
    std::optional<dlib::rectangle> FindFace(const QImage &photo, dlib::array2d<unsigned char> &image);

    struct TModels;
    std::unique_ptr<TModels> FModels;
    QString FModelPath;
};
