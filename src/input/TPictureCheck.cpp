#include "TPictureCheck.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

constexpr int FileHeaderSize = 14;
constexpr int CoreHeaderSize = 12; // OS/2 1.x: 16-bit width and height
constexpr quint32 BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3, BiAlphaBitfields = 6;

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

// Reads the header and the blocks up to the first image's descriptor (left,
// top, width, height, flags); empty when the blocks break off before it.
QByteArray WalkToFirstImage(QFile &file)
{
    file.seek(0);
    const QByteArray header = file.read(GifHeaderSize);
    if (header.size() < GifHeaderSize || !header.startsWith("GIF") || !SkipColourTable(file, uchar(header[10])))
        return {};
    for (;;) {
        switch (ReadByte(file)) {
        case 0x21: // extension: label, sub-blocks
            if (ReadByte(file) < 0 || !SkipSubBlocks(file))
                return {};
            break;
        case 0x2C: { // image
            const QByteArray descriptor = file.read(9);
            return descriptor.size() < 9 ? QByteArray() : descriptor;
        }
        default: // trailer before any image, end of file, or garbage
            return {};
        }
    }
}

// The first image: descriptor, local table, code size, sub-blocks.
bool WalkToFirstImageEnd(QFile &file)
{
    const QByteArray descriptor = WalkToFirstImage(file);
    return !descriptor.isEmpty() && SkipColourTable(file, uchar(descriptor[8])) && ReadByte(file) >= 0
        && SkipSubBlocks(file);
}

// The header fields the checks need; false when there is no bitmap header.
struct TBmpHeader
{
    quint64 offBits = 0;
    qint64 width = 0, height = 0; // height as stored: negative for top-down rows
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
    bmp.height = qFromLittleEndian<qint32>(p + 22);
    bmp.bitCount = qFromLittleEndian<quint16>(p + 28);
    bmp.compression = qFromLittleEndian<quint32>(p + 30);
    return true;
}

// Walks an RLE8 or RLE4 stream as the bitmap reader decodes it: two-byte
// codes, a count > 0 being a run of that many pixels, a count of 0 an escape
// (0 end of line, 1 end of bitmap, 2 delta dx dy, n >= 3 n literal pixels
// padded to a 16-bit word). Returns the pixels the runs draw, or -1 when a
// run leaves its row or the picture, or the stream ends before its end-of-
// bitmap code.
qint64 WalkRle(const QByteArray &data, qint64 width, qint64 height, bool rle4)
{
    qint64 x = 0, y = 0, drawn = 0;
    qsizetype at = 0;
    while (at + 2 <= data.size()) {
        const int count = uchar(data[at]), code = uchar(data[at + 1]);
        at += 2;
        if (count > 0) { // a run of one colour (pair of colours in RLE4)
            if (y >= height || x + count > width)
                return -1;
            x += count;
            drawn += count;
            continue;
        }
        switch (code) {
        case 0: // end of line
            x = 0;
            if (++y > height)
                return -1;
            break;
        case 1: // end of bitmap
            return drawn;
        case 2: // delta: move right and up without drawing
            if (at + 2 > data.size())
                return -1;
            x += uchar(data[at]);
            y += uchar(data[at + 1]);
            at += 2;
            if (x > width || y > height)
                return -1;
            break;
        default: { // literal pixels: a byte each in RLE8, a nibble each in RLE4
            const qsizetype bytes = rle4 ? (code + 1) / 2 : code;
            if (y >= height || x + code > width || at + bytes > data.size())
                return -1;
            x += code;
            drawn += code;
            at += bytes + (bytes & 1);
        }
        }
    }
    return -1;
}

// The pixels an RLE stream leaves undrawn (skipped by delta, end-of-line and
// end-of-bitmap codes) stay background. A photo draws its pixels; a stream
// whose runs draw less than half of the picture is refused. This is what
// stops a tiny file from declaring a huge picture: two bytes draw at most
// 255 pixels, so a picture of N pixels needs at least N / 255 bytes of runs,
// and a 120-byte stream can stand for a few thousand pixels, not 2^28.
bool RleDrawsEnough(qint64 drawn, qint64 width, qint64 height)
{
    return drawn >= 0 && drawn * 2 >= width * height;
}

bool RleIsComplete(QFile &file, const TBmpHeader &bmp)
{
    if (bmp.width <= 0 || bmp.height <= 0 || bmp.offBits > quint64(file.size()) || !file.seek(qint64(bmp.offBits)))
        return false;
    const QByteArray stream = file.readAll();
    file.seek(0);
    return RleDrawsEnough(WalkRle(stream, bmp.width, bmp.height, bmp.compression == BiRle4), bmp.width, bmp.height);
}

constexpr int IcoDirectorySize = 6, IcoEntrySize = 16;
const QByteArray PngSignature("\x89PNG\r\n\x1A\n", 8);

} // namespace

TDeclaredSize TPictureCheck::BmpSize(QFile &file)
{
    TBmpHeader bmp;
    if (!ReadBmpHeader(file, bmp))
        return {};
    return {bmp.width, std::llabs(bmp.height)}; // negative: top-down rows
}

bool TPictureCheck::BmpIsComplete(QFile &file)
{
    TBmpHeader bmp;
    if (!ReadBmpHeader(file, bmp))
        return false;
    if ((bmp.compression == BiRle8 && bmp.bitCount == 8) || (bmp.compression == BiRle4 && bmp.bitCount == 4))
        return RleIsComplete(file, bmp);
    if (bmp.compression != BiRgb && bmp.compression != BiBitfields && bmp.compression != BiAlphaBitfields)
        return true;
    if (bmp.width <= 0 || bmp.bitCount == 0 || bmp.bitCount > 32)
        return false;
    // Rows are padded to whole 32-bit words.
    const quint64 stride = ((quint64(bmp.width) * bmp.bitCount + 31) / 32) * 4;
    return bmp.offBits + stride * quint64(std::llabs(bmp.height)) <= quint64(file.size());
}

TDeclaredSize TPictureCheck::IcoSize(QFile &file)
{
    file.seek(0);
    const QByteArray directory = file.peek(IcoDirectorySize + IcoEntrySize);
    if (directory.size() < IcoDirectorySize + IcoEntrySize)
        return {};
    const char *entry = directory.constData() + IcoDirectorySize;
    TDeclaredSize size{uchar(entry[0]) ? uchar(entry[0]) : 256, uchar(entry[1]) ? uchar(entry[1]) : 256};
    // An embedded PNG: signature, then the IHDR chunk (length, type, width
    // and height as big-endian 32-bit numbers).
    const quint32 offset = qFromLittleEndian<quint32>(entry + 12);
    if (file.seek(offset)) {
        const QByteArray png = file.read(PngSignature.size() + 16);
        if (png.startsWith(PngSignature)) {
            size = png.size() < PngSignature.size() + 16 || png.mid(PngSignature.size() + 4, 4) != "IHDR"
                ? TDeclaredSize{0, 0}
                : TDeclaredSize{qFromBigEndian<quint32>(png.constData() + 16), qFromBigEndian<quint32>(png.constData() + 20)};
        }
    }
    file.seek(0);
    return size;
}

TDeclaredSize TPictureCheck::GifCanvasSize(QFile &file)
{
    file.seek(0);
    const QByteArray h = file.peek(GifHeaderSize);
    if (h.size() < GifHeaderSize || !h.startsWith("GIF"))
        return {};
    TDeclaredSize size{qFromLittleEndian<quint16>(h.constData() + 6), qFromLittleEndian<quint16>(h.constData() + 8)};
    if (size.width == 0 || size.height == 0) {
        // The reader sizes an empty screen by the first frame, placed where
        // its descriptor says.
        const QByteArray d = WalkToFirstImage(file);
        size = d.isEmpty() ? TDeclaredSize{}
                           : TDeclaredSize{qFromLittleEndian<quint16>(d.constData()) + qFromLittleEndian<quint16>(d.constData() + 4),
                                           qFromLittleEndian<quint16>(d.constData() + 2) + qFromLittleEndian<quint16>(d.constData() + 6)};
    }
    file.seek(0);
    return size;
}

bool TPictureCheck::GifIsComplete(QFile &file)
{
    const bool complete = WalkToFirstImageEnd(file);
    file.seek(0);
    return complete;
}
