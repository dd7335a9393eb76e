// Load photo on arbitrary bytes. Built once per picture format: the build
// names the file extension in ORVESSA_FUZZ_EXTENSION, since the loader picks
// the decoder by the extension alone. Every input must either load or fail
// with EOrvessaError.

#include "TFuzzEnvironment.h"

#include "core/EOrvessaError.h"
#include "input/TPhotoLoader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    TFuzzEnvironment::Initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = TFuzzEnvironment::WriteFile(QStringLiteral("photo." ORVESSA_FUZZ_EXTENSION), data, size);
    try {
        const QImage photo = TPhotoLoader::Load(path).Pixels();
        // A load that succeeds hands over a whole RGB32 bitmap.
        if (photo.isNull() || photo.format() != QImage::Format_RGB32)
            std::abort();
    } catch (const EOrvessaError &) {
    }
    return 0;
}
