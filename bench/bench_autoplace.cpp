// The automatic placement, measured against its floor:
//   auto_place_vs_decode:    placing the lines on a 24-megapixel portrait
//                            (the test portrait enlarged), after the first
//                            use, against decoding that JPEG;
//   auto_place_first_use_ms: the first placement, which loads the model;
//   ui_longest_stall_ms:     the longest the main thread's event loop goes
//                            without turning while a placement runs.
// Prints "ratio <name> <measured> goal <goal>" lines at the end.

#include "input/TPhotoLoader.h"
#include "measure/TAutoPlacer.h"
#include "measure/TFaceFinder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

template <class F>
double milliseconds(F work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

template <class F>
double medianMs(int runs, F work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(milliseconds(work));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The longest gap between two turns of the event loop while one placement
// runs on the worker thread.
double longestStallMs(const QImage &photo, const TLandmarkPlacement &placement)
{
    TAutoPlacer placer;
    QEventLoop loop;
    QObject::connect(&placer, &TAutoPlacer::finished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    double last = 0.0;
    double longest = 0.0;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const double now = double(clock.nsecsElapsed()) / 1e6;
        longest = std::max(longest, now - last);
        last = now;
    });
    clock.start();
    tick.start();
    placer.Start(photo, placement);
    loop.exec();
    longest = std::max(longest, double(clock.nsecsElapsed()) / 1e6 - last);
    return longest;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (!TFaceFinder::ModelInstalled()) {
        std::printf("auto placement: the landmarks' model is not installed, nothing measured\n");
        return 0;
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("portrait.jpg"));
    // 4900 × 4900 pixels: 24 megapixels.
    const QImage source(QStringLiteral(ORVESSA_TEST_DATA "/astronaut.jpg"));
    QImageWriter writer(path);
    writer.setQuality(90);
    if (!writer.write(source.scaled(4900, 4900, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)))
        return 1;

    const double decode = medianMs(5, [&] { TPhotoLoader::Load(path); });
    const QImage photo = TPhotoLoader::Load(path).Pixels();
    const TLandmarkPlacement placement(3.0f, 3.0f);
    bool found = false;
    const double firstUse = milliseconds([&] { found = TFaceFinder::Place(photo, placement).has_value(); });
    const double place = medianMs(5, [&] { TFaceFinder::Place(photo, placement); });
    const double stall = longestStallMs(photo, placement);
    std::printf("auto placement: decode %.1f ms, first use %.1f ms, placing %.1f ms, face %s\n", decode, firstUse,
                place, found ? "found" : "NOT found");
    std::printf("ratio auto_place_vs_decode %.2f goal 0.50\n", place / decode);
    std::printf("ratio auto_place_first_use_ms %.0f goal -\n", firstUse);
    std::printf("ratio ui_longest_stall_ms %.1f goal 16\n", stall);
    return 0;
}
