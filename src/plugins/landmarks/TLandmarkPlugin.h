#pragma once

#include "measure/TLandmarkDetector.h"

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

    // The detection copy's longer side; without a face, one more try at
    // twice the size.
    static constexpr int DetectionSide = 800;

private:
    struct TModels;
    std::unique_ptr<TModels> FModels;
    QString FModelPath;
};
