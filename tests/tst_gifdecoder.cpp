#include "core/EOrvessaError.h"
#include "input/TGifDecoder.h"
#include "input/TPhotoBitmap.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QHash>
#include <QImageReader>
#include <QRect>
#include <QTest>

namespace {

// What a test GIF holds: the screen, the picture's rectangle on it, and how
// its pixels are stored.
struct TGifShape
{
    QSize screen;
    QRect frame;
    int tableBits = 8;     // a table of 2^tableBits entries
    bool localTable = false;
    bool globalTable = true;
    int background = 0;
    int transparent = -1;
    bool interlaced = false;
    int minimumSize = 8;
    bool clearWhenFull = true; // else the table stays full ("deferred clear")
    int pixels = -1;           // how many pixels the stream holds; -1: the picture's
};

void Put16(QByteArray &gif, int value)
{
    gif.append(char(value & 0xFF)).append(char(value >> 8));
}

void PutTable(QByteArray &gif, int bits, int seed)
{
    for (int i = 0; i < (1 << bits); ++i)
        gif.append(char(i * 7 + seed)).append(char(255 - i * 3)).append(char(i * seed));
}

// A real LZW encoder: codes grow from minimumSize + 1 to 12 bits, and the
// table is cleared (or, without clearWhenFull, kept) once it holds 4096.
// The decoder reads a code before it makes the entry the encoder made when
// writing that code, so the encoder widens its codes one entry early: when
// its next entry would no longer fit the width.
QByteArray Lzw(const QList<uchar> &indices, int minimumSize, bool clearWhenFull)
{
    const int clear = 1 << minimumSize;
    QByteArray out;
    quint32 bits = 0;
    int count = 0, size = minimumSize + 1, next = clear + 2;
    const auto put = [&](int code) {
        bits |= quint32(code) << count;
        for (count += size; count >= 8; count -= 8, bits >>= 8)
            out.append(char(bits & 0xFF));
    };
    QHash<quint32, int> table;
    put(clear);
    int prefix = -1;
    for (const uchar index : indices) {
        if (prefix < 0) {
            prefix = index;
            continue;
        }
        const quint32 key = quint32(prefix) << 8 | index;
        if (const auto found = table.constFind(key); found != table.cend()) {
            prefix = *found;
            continue;
        }
        put(prefix);
        if (next < 4096) {
            table.insert(key, next++);
            if (next > (1 << size) && size < 12)
                ++size;
        } else if (clearWhenFull) {
            put(clear);
            table.clear();
            next = clear + 2;
            size = minimumSize + 1;
        }
        prefix = index;
    }
    if (prefix >= 0)
        put(prefix);
    put(clear + 1);
    if (count > 0)
        out.append(char(bits & 0xFF));
    return out;
}

QByteArray WriteGif(const TGifShape &shape)
{
    QByteArray gif("GIF89a");
    Put16(gif, shape.screen.width());
    Put16(gif, shape.screen.height());
    gif.append(char(shape.globalTable ? 0x80 | (shape.tableBits - 1) : 0)).append(char(shape.background)).append('\0');
    if (shape.globalTable)
        PutTable(gif, shape.tableBits, 3);
    if (shape.transparent >= 0) {
        gif.append("\x21\xF9\x04\x01", 4);
        Put16(gif, 0);
        gif.append(char(shape.transparent)).append('\0');
    }
    gif.append(',');
    for (const int value : {shape.frame.x(), shape.frame.y(), shape.frame.width(), shape.frame.height()})
        Put16(gif, value);
    gif.append(char((shape.localTable ? 0x80 | (shape.tableBits - 1) : 0) | (shape.interlaced ? 0x40 : 0)));
    if (shape.localTable)
        PutTable(gif, shape.tableBits, 11);
    gif.append(char(shape.minimumSize));
    QList<uchar> indices;
    const int pixels = shape.pixels < 0 ? int(shape.frame.width() * shape.frame.height()) : shape.pixels;
    for (int i = 0; i < pixels; ++i) // runs and repeats, so that strings grow long
        indices.append(uchar((i / 3 + (i % 97 == 0 ? 5 : 0)) % (1 << shape.tableBits)));
    const QByteArray lzw = Lzw(indices, shape.minimumSize, shape.clearWhenFull);
    for (qsizetype at = 0; at < lzw.size(); at += 255) {
        const QByteArray block = lzw.mid(at, 255);
        gif.append(char(block.size())).append(block);
    }
    return gif.append('\0').append(';');
}

QImage DecodeWithQt(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    return TPhotoBitmap::ToPhotoFormat(reader.read());
}

QImage DecodeOurs(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return TGifDecoder::Decode(buffer, QStringLiteral("invalid"));
}

} // namespace

Q_DECLARE_METATYPE(TGifShape)

class TestGifDecoder : public QObject
{
    Q_OBJECT

private slots:
    // Our decoder serves the screens Qt's reader refuses; on every other GIF
    // it must draw exactly what that reader and the photo conversion draw.
    void drawsAsQtsReader_data()
    {
        QTest::addColumn<TGifShape>("shape");
        const TGifShape plain{QSize(61, 47), QRect(0, 0, 61, 47)};
        QTest::newRow("plain") << plain;
        TGifShape shape = plain;
        shape.tableBits = 2;
        shape.minimumSize = 2;
        shape.screen = QSize(300, 200);
        shape.frame = QRect(0, 0, 300, 200);
        QTest::newRow("4 colours, codes to 12 bits, clears") << shape;
        shape.clearWhenFull = false;
        QTest::newRow("table kept full") << shape;
        shape = plain;
        shape.screen = QSize(80, 60);
        shape.frame = QRect(7, 5, 30, 20);
        shape.background = 9;
        QTest::newRow("picture on a larger screen") << shape;
        shape.transparent = 4;
        QTest::newRow("transparent entry") << shape;
        shape.transparent = -1;
        shape.localTable = true;
        shape.globalTable = false;
        QTest::newRow("local table only") << shape;
        shape.globalTable = true;
        shape.frame = QRect(QPoint(0, 0), shape.screen); // Qt fills an uncovered screen unpredictably here
        QTest::newRow("local table") << shape;
        shape.frame = QRect(7, 5, 30, 20);
        shape.globalTable = false;
        shape.localTable = false;
        QTest::newRow("no table") << shape;
        shape = plain;
        shape.interlaced = true;
        QTest::newRow("interlaced") << shape;
        shape.frame = QRect(0, 0, 61, 5);
        QTest::newRow("interlaced, five rows") << shape;
        shape = plain;
        shape.screen = QSize(40, 30);
        shape.frame = QRect(20, 10, 61, 47);
        QTest::newRow("picture past the screen") << shape;
        shape.screen = QSize(0, 0);
        QTest::newRow("empty screen") << shape;
        shape = plain;
        shape.pixels = 1000;
        QTest::newRow("stream shorter than the picture") << shape;
        shape.pixels = 61 * 47 + 500;
        QTest::newRow("stream longer than the picture") << shape;
        shape = plain;
        shape.tableBits = 4;
        shape.background = 30;
        shape.screen = QSize(70, 50);
        QTest::newRow("background beyond the table") << shape;
    }
    void drawsAsQtsReader()
    {
        QFETCH(TGifShape, shape);
        const QByteArray gif = WriteGif(shape);
        const QImage expected = DecodeWithQt(gif);
        QVERIFY(!expected.isNull());
        const QImage ours = DecodeOurs(gif);
        QCOMPARE(ours.size(), expected.size());
        QCOMPARE(ours.format(), QImage::Format_RGB32);
        for (int y = 0; y < ours.height(); ++y)
            for (int x = 0; x < ours.width(); ++x)
                if (ours.pixel(x, y) != expected.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2: %3 instead of %4")
                                         .arg(x).arg(y).arg(ours.pixel(x, y), 8, 16).arg(expected.pixel(x, y), 8, 16)));
    }

    void brokenStreamsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("gif");
        const QByteArray good = WriteGif(TGifShape{QSize(20, 10), QRect(0, 0, 20, 10)});
        const qsizetype codeSize = 6 + 7 + 3 * 256 + 10; // header, screen, table, picture
        QByteArray bad = good;
        bad[codeSize] = 12; // 13-bit codes do not exist
        QTest::newRow("code size 12") << bad;
        bad[codeSize] = 0;
        QTest::newRow("code size 0") << bad;
        bad = good;
        bad[codeSize + 2] = char(0xFF); // after the clear code: a code far beyond the table
        bad[codeSize + 3] = char(0xFF);
        QTest::newRow("code beyond the table") << bad;
        QTest::newRow("cut short") << good.left(good.size() / 2);
        QTest::newRow("no picture") << good.left(6 + 7 + 3 * 256).append(';');
    }
    void brokenStreamsAreRefused()
    {
        QFETCH(QByteArray, gif);
        try {
            DecodeOurs(gif);
            QFAIL("decoded");
        } catch (const EOrvessaError &e) {
            QCOMPARE(e.message(), QStringLiteral("invalid"));
        }
    }
};

QTEST_GUILESS_MAIN(TestGifDecoder)
#include "tst_gifdecoder.moc"
