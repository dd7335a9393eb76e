#include "TExifBlock.h"

#include <QtEndian>

namespace TestSupport {

TExifBlock::TExifBlock(bool bigEndian, quint16 magic, quint32 firstDirectory)
    : FBig(bigEndian), FBytes(QByteArray("Exif\0\0", 6) + (bigEndian ? "MM" : "II"))
{
    U16(magic).U32(firstDirectory);
}

TExifBlock &TExifBlock::U16(quint32 value)
{
    char d[2];
    FBig ? qToBigEndian<quint16>(quint16(value), d) : qToLittleEndian<quint16>(quint16(value), d);
    FBytes.append(d, 2);
    return *this;
}

TExifBlock &TExifBlock::U32(quint32 value)
{
    char d[4];
    FBig ? qToBigEndian<quint32>(value, d) : qToLittleEndian<quint32>(value, d);
    FBytes.append(d, 4);
    return *this;
}

TExifBlock &TExifBlock::Directory(const QList<TEntry> &entries, quint32 next, int claimed)
{
    U16(quint32(claimed < 0 ? entries.size() : claimed));
    for (const TEntry &e : entries) {
        U16(e.tag).U16(e.type).U32(e.count);
        e.type == Short ? U16(e.value).U16(0) : U32(e.value);
    }
    return U32(next);
}

QByteArray TExifBlock::InJpeg(const QByteArray &jpeg, const QByteArray &block)
{
    char length[2];
    qToBigEndian<quint16>(quint16(block.size() + 2), length);
    return jpeg.left(2) + QByteArray("\xFF\xE1", 2) + QByteArray(length, 2) + block + jpeg.mid(2);
}

} // namespace TestSupport
