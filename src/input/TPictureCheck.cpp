#include "TPictureCheck.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

constexpr int FileHeaderSize = 14;
constexpr int CoreHeaderSize = 12; // OS/2 1.x: 16-bit width and height
constexpr quint32 BiRgb = 0, BiBitfields = 3, BiAlphaBitfields = 6;

constexpr int GifHeaderSize = 13; // signature, version, logical screen descriptor

// Reads one byte; -1 at the end of the file.
int ReadByte(QFile &file)
{
    char c;
    return file.getChar(&c) ? int(uchar(c)) : -1;
}

// Skips data sub-blocks up to their zero-length terminator.
bool SkipSubBlocks(QFile &file)
{
    for (;;) {
        const int length = ReadByte(file);
        if (length <= 0)
            return length == 0;
        if (!file.seek(file.pos() + length) || file.pos() > file.size())
            return false;
    }
}

// Skips a colour table of 2^(n+1) entries when the flag byte announces one.
bool SkipColourTable(QFile &file, int flags)
{
    if (!(flags & 0x80))
        return true;
    const qint64 end = file.pos() + 3 * (qint64(2) << (flags & 7));
    return end <= file.size() && file.seek(end);
}

bool WalkToFirstImageEnd(QFile &file)
{
    const QByteArray header = file.read(GifHeaderSize);
    if (header.size() < GifHeaderSize || !header.startsWith("GIF") || !SkipColourTable(file, uchar(header[10])))
        return false;
    for (;;) {
        switch (ReadByte(file)) {
        case 0x21: // extension: label, sub-blocks
            if (ReadByte(file) < 0 || !SkipSubBlocks(file))
                return false;
            break;
        case 0x2C: { // image: descriptor, local table, code size, sub-blocks
            const QByteArray descriptor = file.read(9);
            if (descriptor.size() < 9 || !SkipColourTable(file, uchar(descriptor[8])) || ReadByte(file) < 0)
                return false;
            return SkipSubBlocks(file);
        }
        default: // trailer before any image, end of file, or garbage
            return false;
        }
    }
}

// The header fields the checks need; false when there is no bitmap header.
struct TBmpHeader
{
    quint64 offBits = 0;
    qint64 width = 0, height = 0;
    quint32 bitCount = 0, compression = BiRgb;
};

bool ReadBmpHeader(QFile &file, TBmpHeader &bmp)
{
    file.seek(0);
    const QByteArray h = file.peek(FileHeaderSize + 40);
    if (h.size() < FileHeaderSize + CoreHeaderSize || h[0] != 'B' || h[1] != 'M')
        return false;
    const char *p = h.constData();
    bmp.offBits = qFromLittleEndian<quint32>(p + 10);
    if (qFromLittleEndian<quint32>(p + 14) == CoreHeaderSize) {
        bmp.width = qFromLittleEndian<quint16>(p + 18);
        bmp.height = qFromLittleEndian<quint16>(p + 20);
        bmp.bitCount = qFromLittleEndian<quint16>(p + 24);
        return true;
    }
    if (h.size() < FileHeaderSize + 20)
        return false;
    bmp.width = qFromLittleEndian<qint32>(p + 18);
    bmp.height = std::llabs(qFromLittleEndian<qint32>(p + 22)); // negative: top-down rows
    bmp.bitCount = qFromLittleEndian<quint16>(p + 28);
    bmp.compression = qFromLittleEndian<quint32>(p + 30);
    return true;
}

} // namespace

QSize TPictureCheck::BmpSize(QFile &file)
{
    TBmpHeader bmp;
    if (!ReadBmpHeader(file, bmp))
        return QSize();
    return QSize(int(std::min<qint64>(bmp.width, INT_MAX)), int(std::min<qint64>(bmp.height, INT_MAX)));
}

bool TPictureCheck::BmpIsComplete(QFile &file)
{
    TBmpHeader bmp;
    if (!ReadBmpHeader(file, bmp))
        return false;
    if (bmp.compression != BiRgb && bmp.compression != BiBitfields && bmp.compression != BiAlphaBitfields)
        return true;
    if (bmp.width <= 0 || bmp.bitCount == 0 || bmp.bitCount > 32)
        return false;
    // Rows are padded to whole 32-bit words.
    const quint64 stride = ((quint64(bmp.width) * bmp.bitCount + 31) / 32) * 4;
    return bmp.offBits + stride * quint64(bmp.height) <= quint64(file.size());
}

QSize TPictureCheck::GifScreenSize(QFile &file)
{
    file.seek(0);
    const QByteArray h = file.peek(GifHeaderSize);
    if (h.size() < GifHeaderSize || !h.startsWith("GIF"))
        return QSize();
    return QSize(qFromLittleEndian<quint16>(h.constData() + 6), qFromLittleEndian<quint16>(h.constData() + 8));
}

bool TPictureCheck::GifIsComplete(QFile &file)
{
    file.seek(0);
    const bool complete = WalkToFirstImageEnd(file);
    file.seek(0);
    return complete;
}
