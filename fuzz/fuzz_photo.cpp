// Load photo on arbitrary bytes. Built once per picture format: the build
// names the file extension in ORVESSA_FUZZ_EXTENSION, since the loader picks
// the decoder by the extension alone. Every input must either load or fail
// with EOrvessaError. The JPEG target also reads each input as a bare EXIF
// block (the body of an APP1 segment), which must give a tag from 1 to 8.

#include "TFuzzEnvironment.h"

#include "core/EOrvessaError.h"
#include "input/TExifOrientation.h"
#include "input/TPhotoLoader.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    TFuzzEnvironment::Initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if constexpr (std::string_view(ORVESSA_FUZZ_EXTENSION) == "jpg") {
        const int orientation = TExifOrientation::Read(data, size);
        if (orientation < 1 || orientation > 8)
            std::abort();
    }
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
