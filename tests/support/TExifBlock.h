#pragma once

#include <QByteArray>
#include <QList>

// Builds EXIF blocks (the body of a JPEG APP1 segment) for the tests, well
// formed or not: "Exif\0\0", the TIFF header (byte order, magic number,
// offset of the first directory), then the directories the test adds.
namespace TestSupport {

class TExifBlock
{
public:
    struct TEntry
    {
        quint16 tag, type;
        quint32 count, value;
    };
    static constexpr quint16 OrientationTag = 0x0112, Short = 3, Long = 4;
    // A well-formed orientation entry.
    static TEntry Orientation(int value) { return {OrientationTag, Short, 1, quint32(value)}; }

    explicit TExifBlock(bool bigEndian, quint16 magic = 42, quint32 firstDirectory = 8);

    TExifBlock &U16(quint32 value);
    TExifBlock &U32(quint32 value);
    // A directory of the entries (claimed: the entry count it states, if not
    // their number) and the offset of the next one. A SHORT value sits in
    // the first half of the value field.
    TExifBlock &Directory(const QList<TEntry> &entries, quint32 next = 0, int claimed = -1);
    QByteArray Bytes() const { return FBytes; }

    // A JPEG file with the block as an APP1 segment right after its start marker.
    static QByteArray InJpeg(const QByteArray &jpeg, const QByteArray &block);

private:
    bool FBig;
    QByteArray FBytes;
};

} // namespace TestSupport
