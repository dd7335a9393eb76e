#include "TGifWriter.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QImage>

#include <algorithm>
#include <vector>

namespace {

constexpr int PaletteSize = 256;
constexpr int Transparent = PaletteSize - 1; // the last entry stays transparent
constexpr int MinCodeSize = 8;
constexpr int ClearCode = 1 << MinCodeSize; // 256
constexpr int EndCode = ClearCode + 1;      // 257

// 15-bit bins of a colour: the palette is chosen among the busiest bins.
int bin(QRgb c) { return (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3; }

int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

struct TBinSum
{
    qint64 r = 0, g = 0, b = 0, count = 0;
    QRgb mean() const { return qRgb(int(r / count), int(g / count), int(b / count)); }
};

// Packs codes of a fixed width, least significant bit first.
class TBitPacker
{
public:
    void put(int code, int width)
    {
        Buffer |= quint32(code) << Bits;
        Bits += width;
        while (Bits >= 8) {
            Bytes.append(char(Buffer & 0xFF));
            Buffer >>= 8;
            Bits -= 8;
        }
    }
    QByteArray finish()
    {
        if (Bits > 0)
            Bytes.append(char(Buffer & 0xFF));
        return Bytes;
    }

private:
    QByteArray Bytes;
    quint32 Buffer = 0;
    int Bits = 0;
};

// "Uncompressed" LZW: every pixel goes out as its own 9-bit literal code, and
// a clear code follows before the decoder's table could grow past 511
// entries (it adds one entry per code after the first following a clear, so
// it would need 10-bit codes after 255 literals). Valid for every decoder.
QByteArray lzwLiterals(const std::vector<uchar> &indexes)
{
    constexpr int CodeWidth = MinCodeSize + 1;
    constexpr int LiteralsPerClear = 250;
    TBitPacker packer;
    int run = LiteralsPerClear;
    for (uchar index : indexes) {
        if (run == LiteralsPerClear) {
            packer.put(ClearCode, CodeWidth);
            run = 0;
        }
        packer.put(index, CodeWidth);
        ++run;
    }
    packer.put(EndCode, CodeWidth);
    return packer.finish();
}

void putWord(QByteArray &out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char(value >> 8 & 0xFF));
}

} // namespace

bool TGifWriter::write(const QImage &image, const QString &path, const QColor &matte)
{
    const QImage src = image.convertToFormat(QImage::Format_ARGB32);
    const int w = src.width(), h = src.height();

    // Blend every kept pixel over the matte; -1 marks a transparent one.
    std::vector<qint64> pixels;
    pixels.reserve(size_t(w) * h);
    QHash<int, TBinSum> bins;
    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const int a = qAlpha(line[x]);
            if (a < 128) {
                pixels.push_back(-1);
                continue;
            }
            auto mix = [a](int c, int m) { return (c * a + m * (255 - a) + 127) / 255; };
            const QRgb c = qRgb(mix(qRed(line[x]), matte.red()), mix(qGreen(line[x]), matte.green()),
                                mix(qBlue(line[x]), matte.blue()));
            pixels.push_back(c);
            TBinSum &s = bins[bin(c)];
            s.r += qRed(c);
            s.g += qGreen(c);
            s.b += qBlue(c);
            ++s.count;
        }
    }

    // Palette: the mean colours of the busiest bins.
    std::vector<std::pair<qint64, int>> byCount;
    for (auto it = bins.cbegin(); it != bins.cend(); ++it)
        byCount.emplace_back(it.value().count, it.key());
    std::sort(byCount.begin(), byCount.end(), std::greater<>());
    if (byCount.size() > size_t(Transparent))
        byCount.resize(Transparent);
    std::vector<QRgb> palette(PaletteSize, qRgb(matte.red(), matte.green(), matte.blue()));
    QHash<int, int> indexOfBin;
    for (size_t i = 0; i < byCount.size(); ++i) {
        palette[i] = bins.value(byCount[i].second).mean();
        indexOfBin.insert(byCount[i].second, int(i));
    }
    auto nearest = [&](QRgb c) {
        const auto exact = indexOfBin.constFind(bin(c));
        if (exact != indexOfBin.cend())
            return exact.value();
        int best = 0;
        for (int i = 1; i < int(byCount.size()); ++i)
            if (distance(c, palette[i]) < distance(c, palette[best]))
                best = i;
        return best;
    };
    std::vector<uchar> indexes;
    indexes.reserve(pixels.size());
    for (qint64 c : pixels)
        indexes.push_back(uchar(c < 0 ? Transparent : nearest(QRgb(c))));

    QByteArray out("GIF89a");
    putWord(out, w);
    putWord(out, h);
    out.append(char(0xF7)); // global colour table of 2^(7+1) entries, 8 bits per primary
    out.append(char(Transparent));
    out.append(char(0));
    for (QRgb c : palette) {
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    // Graphic control extension: no disposal, no delay, transparent index given.
    out.append("\x21\xF9\x04\x01\x00\x00", 6);
    out.append(char(Transparent));
    out.append(char(0));
    out.append(char(0x2C));
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, w);
    putWord(out, h);
    out.append(char(0));
    out.append(char(MinCodeSize));
    const QByteArray data = lzwLiterals(indexes);
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    out.append(char(0x3B));

    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size();
}
