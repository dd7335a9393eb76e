#include "TExifOrientation.h"

#include <QtEndian>

#include <cstring>

namespace {

constexpr unsigned char ExifId[] = {'E', 'x', 'i', 'f', 0, 0};
constexpr quint16 TiffMagic = 42;
constexpr quint16 OrientationTag = 0x0112;
constexpr quint16 ShortType = 3;
constexpr std::size_t EntryBytes = 12; // tag, type (2 bytes each), count, value (4 each)

// Reads numbers of the TIFF structure in its own byte order; every read is
// checked against the end of the block and fails there.
class TTiffReader
{
public:
    TTiffReader(const unsigned char *data, std::size_t size, bool bigEndian)
        : FData(data), FSize(size), FBigEndian(bigEndian)
    {
    }

    bool U16(std::size_t at, quint16 &value) const
    {
        if (at > FSize || FSize - at < 2)
            return false;
        value = FBigEndian ? qFromBigEndian<quint16>(FData + at) : qFromLittleEndian<quint16>(FData + at);
        return true;
    }
    bool U32(std::size_t at, quint32 &value) const
    {
        if (at > FSize || FSize - at < 4)
            return false;
        value = FBigEndian ? qFromBigEndian<quint32>(FData + at) : qFromLittleEndian<quint32>(FData + at);
        return true;
    }
    std::size_t Size() const { return FSize; }

private:
    const unsigned char *FData;
    std::size_t FSize;
    bool FBigEndian;
};

// The orientation entry of the directory at ifd, or AsStored.
int OrientationInDirectory(const TTiffReader &tiff, std::size_t ifd)
{
    quint16 count = 0;
    if (!tiff.U16(ifd, count))
        return TExifOrientation::AsStored;
    // A directory that claims more entries than the block holds is damaged.
    // U16 succeeded, so ifd + 2 <= Size().
    if (count > (tiff.Size() - ifd - 2) / EntryBytes)
        return TExifOrientation::AsStored;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = ifd + 2 + i * EntryBytes;
        quint16 tag = 0, type = 0, value = 0;
        quint32 values = 0;
        tiff.U16(entry, tag);
        if (tag != OrientationTag)
            continue;
        // A SHORT value sits in the first two bytes of the value field.
        tiff.U16(entry + 2, type);
        tiff.U32(entry + 4, values);
        tiff.U16(entry + 8, value);
        const bool valid = type == ShortType && values == 1 && value >= 1 && value <= 8;
        return valid ? value : TExifOrientation::AsStored;
    }
    return TExifOrientation::AsStored;
}

} // namespace

bool TExifOrientation::IsExifBlock(const unsigned char *data, std::size_t size)
{
    return data && size >= sizeof ExifId && std::memcmp(data, ExifId, sizeof ExifId) == 0;
}

int TExifOrientation::Read(const unsigned char *data, std::size_t size)
{
    if (!IsExifBlock(data, size))
        return AsStored;
    // The TIFF structure follows the identifier; its offsets count from its
    // own start: byte order "II" or "MM", 42, the offset of the first directory.
    const unsigned char *tiffData = data + sizeof ExifId;
    const std::size_t tiffSize = size - sizeof ExifId;
    if (tiffSize < 8 || tiffData[0] != tiffData[1] || (tiffData[0] != 'I' && tiffData[0] != 'M'))
        return AsStored;
    const TTiffReader tiff(tiffData, tiffSize, tiffData[0] == 'M');
    quint16 magic = 0;
    quint32 ifd = 0;
    if (!tiff.U16(2, magic) || magic != TiffMagic || !tiff.U32(4, ifd))
        return AsStored;
    return OrientationInDirectory(tiff, ifd);
}

QSize TExifOrientation::UprightSize(QSize stored, int orientation)
{
    return Transposes(orientation) ? stored.transposed() : stored;
}
