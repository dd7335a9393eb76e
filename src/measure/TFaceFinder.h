#pragma once

#include "TLandmarkPlacement.h"

#include <QImage>
#include <QString>
#include <optional>

class TLandmarkDetector;

// Places the guide lines on a photo without a hand: the landmark plugin
// (loaded on first use) finds the face, TLandmarkPlacement maps it.
class TFaceFinder
{
public:
    // The 68-point model; ORVESSA_LANDMARK_MODEL names another file.
    static QString ModelPath();
    static bool ModelInstalled();

    // The lines of the most confident face, nullopt without a face. Throws
    // EOrvessaError when the plugin or the model cannot be loaded.
    static std::optional<TPlacedLines> Place(const QImage &photo, const TLandmarkPlacement &placement);

    // Replaces the plugin's detector (tests); nullptr restores it.
    static void SetDetector(TLandmarkDetector *detector);

    // The plugin to load: the build for processors with AVX2 and FMA when
    // this one has them and the file is there, else the one for every
    // processor.
    static QString PluginName();

private:
    static TLandmarkDetector &Detector();
};
