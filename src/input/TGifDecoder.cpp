#include "TGifDecoder.h"

#include "TPhotoBitmap.h"
#include "core/EOrvessaError.h"

#include <QIODevice>
#include <QtEndian>

#include <array>
#include <cstring>

namespace {

constexpr QRgb White = 0xFFFFFFFF, Black = 0xFF000000;
constexpr int MaxCodes = 4096; // 12-bit codes

// Reads the file front to back through a buffer; a read past the end throws.
class TReader
{
public:
    TReader(QIODevice &device, const QString &invalid) : FDevice(device), FInvalid(invalid) {}

    uchar byte()
    {
        if (FAt == FEnd) {
            FEnd = int(FDevice.read(FBuffer.data(), qint64(FBuffer.size())));
            FAt = 0;
            if (FEnd <= 0)
                throw EOrvessaError(FInvalid);
        }
        return uchar(FBuffer[size_t(FAt++)]);
    }
    int word()
    {
        const int low = byte();
        return low | (byte() << 8);
    }
    void skip(int count)
    {
        while (count-- > 0)
            byte();
    }
    void skipSubBlocks()
    {
        while (const int length = byte())
            skip(length);
    }
    const QString &invalid() const { return FInvalid; }

private:
    QIODevice &FDevice;
    const QString &FInvalid;
    std::array<char, 65536> FBuffer{};
    int FAt = 0, FEnd = 0;
};

struct TColourTable
{
    std::array<QRgb, 256> colours{};
    int count = 0;
};

// A table of 2^(n+1) entries follows when bit 7 of flags is set. The count
// stands even without the table, whose entries are then black, as Qt's
// reader counts them.
bool HasTable(int flags)
{
    return flags & 0x80;
}

void ReadColourTable(TReader &reader, int flags, TColourTable &table)
{
    table.count = 2 << (flags & 7);
    if (!HasTable(flags))
        return;
    for (int i = 0; i < table.count; ++i) {
        const int r = reader.byte(), g = reader.byte();
        table.colours[size_t(i)] = qRgb(r, g, reader.byte());
    }
}

// The photo's colour of entry index: the table's colour, opaque; beyond the
// table's count white, and at the count itself black (white with a
// transparent entry), as Qt's reader draws them.
QRgb Colour(int index, int count, const TColourTable &table, bool seeThrough)
{
    if (index > count)
        return White;
    if (index == count)
        return seeThrough ? White : Black;
    return table.colours[size_t(index)] | Black;
}

// Where the decoded pixels go: the picture's rectangle on the photo, rows in
// stored order or in the four interlace passes (every 8th row from 0, every
// 8th from 4, every 4th from 2, every 2nd from 1).
class TPixelSink
{
public:
    TPixelSink(QImage &photo, int left, int top, int width, int height, bool interlaced)
        : FPhoto(photo), FLeft(left), FTop(top), FWidth(width), FHeight(width > 0 ? height : 0), FInterlaced(interlaced)
    {
        startRow();
    }

    void put(QRgb colour)
    {
        if (FRow >= FHeight)
            return; // data beyond the picture is ignored
        if (FLine != nullptr && FLeft + FX < FPhoto.width())
            FLine[FLeft + FX] = colour;
        if (++FX == FWidth) {
            FX = 0;
            nextRow();
        }
    }

private:
    void nextRow()
    {
        static constexpr int Start[] = {0, 4, 2, 1}, Step[] = {8, 8, 4, 2};
        if (!FInterlaced) {
            ++FRow;
        } else {
            FRow += Step[FPass];
            while (FRow >= FHeight && FPass < 3) {
                ++FPass;
                FRow = Start[FPass];
            }
        }
        startRow();
    }
    void startRow()
    {
        const int y = FTop + FRow;
        FLine = FRow < FHeight && y < FPhoto.height() ? reinterpret_cast<QRgb *>(FPhoto.scanLine(y)) : nullptr;
    }

    QImage &FPhoto;
    const int FLeft, FTop, FWidth, FHeight;
    const bool FInterlaced;
    int FX = 0, FRow = 0, FPass = 0;
    QRgb *FLine = nullptr;
};

// Reads the LZW codes of the picture's sub-blocks, low bits first.
class TCodeReader
{
public:
    explicit TCodeReader(TReader &reader) : FReader(reader) {}

    // -1 when the sub-blocks end (their terminator is then read).
    int code(int size)
    {
        while (FBitCount < size) {
            if (FBlockLeft == 0 && (FEnded || (FBlockLeft = FReader.byte()) == 0)) {
                FEnded = true;
                return -1;
            }
            --FBlockLeft;
            FBits |= quint32(FReader.byte()) << FBitCount;
            FBitCount += 8;
        }
        const int value = int(FBits & ((1u << size) - 1));
        FBits >>= size;
        FBitCount -= size;
        return value;
    }
    void finish()
    {
        FReader.skip(FBlockLeft);
        if (!FEnded)
            FReader.skipSubBlocks();
    }

private:
    TReader &FReader;
    quint32 FBits = 0;
    int FBitCount = 0, FBlockLeft = 0;
    bool FEnded = false;
};

// Decodes the LZW stream into the sink. A code may name the entry about to
// be made (the string before it, then that string's first index again);
// anything beyond is a broken stream. After 4096 entries the table stays as
// it is until the next clear code.
void DecodeLzw(TReader &reader, int minimumSize, TPixelSink &sink, const std::array<QRgb, 256> &colours)
{
    if (minimumSize < 1 || minimumSize > 11)
        throw EOrvessaError(reader.invalid());
    const int clear = 1 << minimumSize, end = clear + 1;
    std::array<quint16, MaxCodes> prefix{};
    std::array<uchar, MaxCodes> suffix{};
    std::array<uchar, MaxCodes + 1> stack{};
    for (int i = 0; i < clear && i < 256; ++i)
        suffix[size_t(i)] = uchar(i);
    TCodeReader codes(reader);
    int size = minimumSize + 1, next = clear + 2, previous = -1;
    uchar first = 0;
    for (int code; (code = codes.code(size)) >= 0 && code != end;) {
        if (code == clear) {
            size = minimumSize + 1;
            next = clear + 2;
            previous = -1;
            continue;
        }
        if (code > next || (code == next && previous < 0) || (previous < 0 && code > 255))
            throw EOrvessaError(reader.invalid());
        int depth = 0, walk = code;
        if (code == next) {
            stack[size_t(depth++)] = first;
            walk = previous;
        }
        while (walk >= clear) {
            stack[size_t(depth++)] = suffix[size_t(walk)];
            walk = prefix[size_t(walk)];
        }
        if (walk > 255)
            throw EOrvessaError(reader.invalid());
        first = uchar(walk);
        stack[size_t(depth++)] = first;
        while (depth > 0)
            sink.put(colours[stack[size_t(--depth)]]);
        if (previous >= 0 && next < MaxCodes) {
            prefix[size_t(next)] = quint16(previous);
            suffix[size_t(next)] = first;
            if (++next == (1 << size) && size < 12)
                ++size;
        }
        previous = code;
    }
    codes.finish();
}

} // namespace

QImage TGifDecoder::Decode(QIODevice &device, const QString &invalid)
{
    TReader reader(device, invalid);
    reader.skip(6); // signature and version
    int screenWidth = reader.word(), screenHeight = reader.word();
    const int screenFlags = reader.byte(), background = reader.byte();
    reader.skip(1); // aspect ratio
    TColourTable global;
    ReadColourTable(reader, screenFlags, global);

    int transparent = -1;
    for (int block; (block = reader.byte()) != 0x2C;) {
        if (block != 0x21)
            throw EOrvessaError(invalid);
        const int label = reader.byte();
        if (label == 0xF9) { // graphic control: size 4, flags, delay, transparent entry
            const int length = reader.byte();
            const int flags = length >= 4 ? reader.byte() : 0;
            reader.skip(2);
            const int entry = reader.byte();
            reader.skip(length - 4);
            transparent = (flags & 1) ? entry : -1;
        }
        reader.skipSubBlocks();
    }
    const int left = reader.word(), top = reader.word(), width = reader.word(), height = reader.word();
    const int flags = reader.byte();
    TColourTable local;
    ReadColourTable(reader, flags, local);
    const TColourTable &table = HasTable(flags) ? local : global;
    if (screenWidth == 0 || screenHeight == 0) { // an empty screen is sized by the picture
        screenWidth = left + width;
        screenHeight = top + height;
    }
    const bool seeThrough = transparent >= 0;
    std::array<QRgb, 256> colours;
    for (int i = 0; i < 256; ++i)
        colours[size_t(i)] = i == transparent ? White : Colour(i, table.count, table, seeThrough);
    QImage photo = TPhotoBitmap::AllocatePhoto(screenWidth, screenHeight);
    // The screen shows the background entry where the picture leaves it
    // uncovered (looked up in the global table, counted by the picture's;
    // black without a global table), and black under a picture that covers
    // it, where a short stream leaves pixels undrawn; white throughout with a
    // transparent entry.
    const bool covered = left == 0 && top == 0 && width >= screenWidth && height >= screenHeight;
    const bool plain = covered || !HasTable(screenFlags);
    photo.fill(seeThrough ? White : plain ? Black : Colour(background, table.count, global, false));
    TPixelSink sink(photo, left, top, width, height, flags & 0x40);
    DecodeLzw(reader, reader.byte(), sink, colours);
    return photo;
}
