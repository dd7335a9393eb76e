// Our own GIF decoder on arbitrary bytes, for the screens Qt's reader
// refuses. It trusts the file checks the loader makes before it (screen size,
// completeness): those are made here too, and screens beyond a million pixels
// are skipped so that each input stays fast. Every input must decode to a
// whole RGB32 photo of the screen's size or fail with EOrvessaError.

#include "TFuzzEnvironment.h"

#include "core/EOrvessaError.h"
#include "input/TGifDecoder.h"
#include "input/TPictureCheck.h"

#include <QFile>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    TFuzzEnvironment::Initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QFile file(TFuzzEnvironment::WriteFile(QStringLiteral("decoder.gif"), data, size));
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    const TDeclaredSize screen = TPictureCheck::GifCanvasSize(file);
    if (!screen.isValid() || screen.width * screen.height > (qint64(1) << 20) || !TPictureCheck::GifIsComplete(file))
        return 0;
    try {
        const QImage photo = TGifDecoder::Decode(file, QStringLiteral("GIF image is not valid"));
        if (photo.format() != QImage::Format_RGB32 || photo.width() != screen.width || photo.height() != screen.height)
            std::abort();
    } catch (const EOrvessaError &) {
    }
    return 0;
}
