// The measurements file reader on arbitrary bytes. A file it accepts must
// come back the same through the writer and the reader again.

#include "core/TMeasurementsFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TMeasurementsFault fault;
    const std::optional<TMeasurements> read =
        TMeasurementsFile::Parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), fault);
    if (!read) {
        if (!fault.Key)
            std::abort();
        return 0;
    }
    const std::optional<TMeasurements> again = TMeasurementsFile::Parse(TMeasurementsFile::Text(*read), fault);
    if (!again || !(*again == *read))
        std::abort();
    return 0;
}
