#include "TBmpCheck.h"

#include <QFile>
#include <QtEndian>

#include <cstdlib>

namespace {

constexpr int FileHeaderSize = 14;
constexpr int CoreHeaderSize = 12; // OS/2 1.x: 16-bit width and height
constexpr quint32 BiRgb = 0, BiBitfields = 3, BiAlphaBitfields = 6;

} // namespace

bool TBmpCheck::IsComplete(QFile &file)
{
    const QByteArray h = file.peek(FileHeaderSize + 40);
    if (h.size() < FileHeaderSize + CoreHeaderSize || h[0] != 'B' || h[1] != 'M')
        return false;
    const char *p = h.constData();
    const quint64 offBits = qFromLittleEndian<quint32>(p + 10);
    const quint32 infoSize = qFromLittleEndian<quint32>(p + 14);

    qint64 width, height;
    quint32 bitCount, compression = BiRgb;
    if (infoSize == CoreHeaderSize) {
        width = qFromLittleEndian<quint16>(p + 18);
        height = qFromLittleEndian<quint16>(p + 20);
        bitCount = qFromLittleEndian<quint16>(p + 24);
    } else {
        if (h.size() < FileHeaderSize + 20)
            return false;
        width = qFromLittleEndian<qint32>(p + 18);
        height = std::llabs(qFromLittleEndian<qint32>(p + 22)); // negative: top-down rows
        bitCount = qFromLittleEndian<quint16>(p + 28);
        compression = qFromLittleEndian<quint32>(p + 30);
    }
    if (compression != BiRgb && compression != BiBitfields && compression != BiAlphaBitfields)
        return true;
    if (width <= 0 || bitCount == 0 || bitCount > 32)
        return false;
    // Rows are padded to whole 32-bit words.
    const quint64 stride = ((quint64(width) * bitCount + 31) / 32) * 4;
    return offBits + stride * quint64(height) <= quint64(file.size());
}
