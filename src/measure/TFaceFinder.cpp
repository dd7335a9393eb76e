#include "TFaceFinder.h"

#include "TLandmarkDetector.h"
#include "core/TPluginLoader.h"

#include <QFileInfo>

namespace {

TLandmarkDetector *&DetectorOverride()
{
    static TLandmarkDetector *detector = nullptr;
    return detector;
}

} // namespace

QString TFaceFinder::ModelPath()
{
    const QString chosen = qEnvironmentVariable("ORVESSA_LANDMARK_MODEL");
    return chosen.isEmpty() ? QStringLiteral("/usr/share/dlib/shape_predictor_68_face_landmarks.dat") : chosen;
}

bool TFaceFinder::ModelInstalled()
{
    return QFileInfo(ModelPath()).isFile();
}

std::optional<TPlacedLines> TFaceFinder::Place(const QImage &photo, const TLandmarkPlacement &placement)
{
    const std::optional<TFaceLandmarks> face = Detector().Detect(photo, ModelPath());
    if (!face)
        return std::nullopt;
    return placement.Place(*face, photo);
}

void TFaceFinder::SetDetector(TLandmarkDetector *detector)
{
    DetectorOverride() = detector;
}

TLandmarkDetector &TFaceFinder::Detector()
{
    if (TLandmarkDetector *detector = DetectorOverride())
        return *detector;
    // Loaded once, on the first placement; thread-safe static start.
    static TLandmarkDetector *const plugin = TPluginLoader::Load<TLandmarkDetector>(
        PluginName(), QStringLiteral("The face landmarks' plugin cannot be loaded"));
    return *plugin;
}

QString TFaceFinder::PluginName()
{
    const QString fast = QStringLiteral("orvessa_landmarks_avx2");
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") && QFileInfo::exists(TPluginLoader::Path(fast)))
        return fast;
#endif
    return QStringLiteral("orvessa_landmarks");
}
