// Load photo: every format from files written here, every error message,
// hostile files, and the view keeping its photo when a load fails.

#include "core/EOrvessaError.h"
#include "input/TPhotoBitmap.h"
#include "input/TPhotoLoader.h"
#include "measure/TImgView32.h"

#include "TExifBlock.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <climits>
#include <cstdio>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include <jpeglib.h>

namespace {

using TWriter = std::function<QByteArray()>;

// A test picture: four coloured quadrants, so a flipped or shifted decode shows.
QImage Quadrants(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, w / 2, h / 2, Qt::red);
    p.fillRect(w / 2, 0, w - w / 2, h / 2, Qt::green);
    p.fillRect(0, h / 2, w / 2, h - h / 2, Qt::blue);
    p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, Qt::yellow);
    return image;
}

// A quadrant's colour by its letter: R, G, B or Y.
QRgb QuadrantColour(QChar letter)
{
    const Qt::GlobalColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    return QColor(colours[QStringLiteral("RGBY").indexOf(letter)]).rgb();
}

QByteArray SaveWithQt(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

// A JPEG written with libjpeg itself: baseline or progressive RGB, or CMYK
// with the Adobe marker (inks stored inverted, as Adobe writers do).
QByteArray WriteJpeg(const QImage &image, bool progressive, bool cmyk = false)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    cinfo.input_components = cmyk ? 4 : 3;
    cinfo.in_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(size_t(image.width()) * 4);
    while (cinfo.next_scanline < cinfo.image_height) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, int(cinfo.next_scanline));
            JSAMPLE *px = &row[size_t(x) * cinfo.input_components];
            if (cmyk) { // stored inverted: 255 = no ink
                const int k = std::max({qRed(c), qGreen(c), qBlue(c)});
                px[0] = JSAMPLE(k ? qRed(c) * 255 / k : 0);
                px[1] = JSAMPLE(k ? qGreen(c) * 255 / k : 0);
                px[2] = JSAMPLE(k ? qBlue(c) * 255 / k : 0);
                px[3] = JSAMPLE(k);
            } else {
                px[0] = JSAMPLE(qRed(c));
                px[1] = JSAMPLE(qGreen(c));
                px[2] = JSAMPLE(qBlue(c));
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char *>(out), qsizetype(size));
    jpeg_destroy_compress(&cinfo);
    free(out);
    return bytes;
}

// Replaces the size in a JPEG's SOF0 marker (the one Qt and libjpeg write
// for baseline pictures).
QByteArray PatchJpegSize(QByteArray jpeg, int w, int h)
{
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    qToBigEndian<quint16>(quint16(h), jpeg.data() + sof + 5);
    qToBigEndian<quint16>(quint16(w), jpeg.data() + sof + 7);
    return jpeg;
}

void Put16(QByteArray &b, int v)
{
    char d[2];
    qToLittleEndian<quint16>(quint16(v), d);
    b.append(d, 2);
}
void Put32(QByteArray &b, qint64 v)
{
    char d[4];
    qToLittleEndian<quint32>(quint32(v), d);
    b.append(d, 4);
}

// A GIF with a 256-colour table. The LZW stream uses 9-bit codes only: every
// pixel is a literal, and a clear code comes before the table would grow to
// 10-bit codes.
QByteArray WriteGif(const QImage &image, int screenW = -1, int screenH = -1)
{
    QVector<QRgb> palette;
    QVector<int> indices;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            int i = int(palette.indexOf(c));
            if (i < 0) {
                i = int(palette.size());
                palette.append(c);
            }
            indices.append(i);
        }
    palette.resize(256);

    QByteArray gif("GIF89a");
    Put16(gif, screenW < 0 ? image.width() : screenW);
    Put16(gif, screenH < 0 ? image.height() : screenH);
    gif.append(char(0xF7)).append(char(0)).append(char(0)); // global table of 256, background 0
    for (const QRgb c : palette)
        gif.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    gif.append(',');
    Put16(gif, 0);
    Put16(gif, 0);
    Put16(gif, image.width());
    Put16(gif, image.height());
    gif.append(char(0)).append(char(8)); // no local table; minimum code size 8

    QByteArray lzw;
    quint32 bits = 0;
    int count = 0;
    const auto put = [&](int code) {
        bits |= quint32(code) << count;
        count += 9;
        while (count >= 8) {
            lzw.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    for (int i = 0; i < indices.size(); ++i) {
        if (i % 250 == 0)
            put(256); // clear
        put(indices[i]);
    }
    put(257); // end of information
    if (count > 0)
        lzw.append(char(bits & 0xFF));
    for (qsizetype at = 0; at < lzw.size(); at += 255) {
        const QByteArray block = lzw.mid(at, 255);
        gif.append(char(block.size())).append(block);
    }
    gif.append(char(0)).append(';');
    return gif;
}

// An old-style metafile with a placeable header: a red rectangle over the
// whole picture of w x h pixels (at 1440 units per inch: 15 units a pixel).
QByteArray WriteWmf(int w, int h, int inch = 1440)
{
    const int unitsPerPixel = inch / 96;
    QByteArray placeable;
    Put32(placeable, 0x9AC6CDD7);
    Put16(placeable, 0);
    Put16(placeable, 0);
    Put16(placeable, 0);
    Put16(placeable, w * unitsPerPixel);
    Put16(placeable, h * unitsPerPixel);
    Put16(placeable, inch);
    Put32(placeable, 0);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= qFromLittleEndian<quint16>(placeable.constData() + 2 * i);
    Put16(placeable, checksum);

    QByteArray records;
    const auto record = [&records](int function, std::initializer_list<int> words) {
        Put32(records, 3 + qsizetype(words.size()));
        Put16(records, function);
        for (const int w : words)
            Put16(records, w);
    };
    record(0x020B, {0, 0});                                   // SetWindowOrg(y, x)
    record(0x020C, {h * unitsPerPixel, w * unitsPerPixel});   // SetWindowExt(y, x)
    record(0x02FC, {0, 0x00FF, 0x0000, 0});                   // CreateBrushIndirect solid red
    record(0x012D, {0});                                      // SelectObject
    record(0x041B, {h * unitsPerPixel, w * unitsPerPixel, 0, 0}); // Rectangle(bottom, right, top, left)
    record(0x0000, {});                                       // EOF

    QByteArray header;
    Put16(header, 1);
    Put16(header, 9);
    Put16(header, 0x0300);
    Put32(header, (18 + records.size()) / 2);
    Put16(header, 1);
    Put32(header, 7);
    Put16(header, 0);
    return placeable + header + records;
}

// An enhanced metafile of w x h pixels (frame in 0.01 mm at 96 per inch)
// holding a red rectangle over the whole picture, with an optional
// description (UTF-16) at the end of its header record.
QByteArray WriteEmf(int w, int h, qint64 frameW = -1, qint64 frameH = -1, const QString &description = QString())
{
    if (frameW < 0)
        frameW = qRound64(w * 2540.0 / 96);
    if (frameH < 0)
        frameH = qRound64(h * 2540.0 / 96);
    QByteArray records;
    Put32(records, 39); // CreateBrushIndirect
    Put32(records, 24);
    Put32(records, 1);
    Put32(records, 0);
    Put32(records, 0x000000FF);
    Put32(records, 0);
    Put32(records, 37); // SelectObject
    Put32(records, 12);
    Put32(records, 1);
    Put32(records, 43); // Rectangle
    Put32(records, 24);
    for (const int v : {0, 0, w, h})
        Put32(records, v);
    Put32(records, 14); // EOF
    Put32(records, 20);
    Put32(records, 0);
    Put32(records, 16);
    Put32(records, 20);

    QByteArray text;
    for (const QChar c : description)
        Put16(text, c.unicode());
    while (text.size() % 4 != 0)
        text.append('\0');
    const qint64 headerSize = 88 + text.size();

    QByteArray header;
    Put32(header, 1);
    Put32(header, headerSize);
    for (const qint64 v : {0LL, 0LL, qint64(w - 1), qint64(h - 1), 0LL, 0LL, frameW, frameH})
        Put32(header, v);
    Put32(header, 0x464D4520);
    Put32(header, 0x10000);
    Put32(header, headerSize + records.size());
    Put32(header, 5);
    Put16(header, 2);
    Put16(header, 0);
    Put32(header, description.size());        // description: length in characters,
    Put32(header, description.isEmpty() ? 0 : 88); // offset in the header record
    Put32(header, 0);
    for (const int v : {1024, 768, 320, 240})
        Put32(header, v);
    return header + text + records;
}

// WriteEmf(48, 32) with a line from the origin to (x, y) drawn by a pen with
// round caps, added before the end-of-file record.
QByteArray WriteEmfWithLine(qint64 x, qint64 y)
{
    QByteArray emf = WriteEmf(48, 32);
    QByteArray line;
    Put32(line, 38); // CreatePen: object 2, round caps (style 0), width 2, black
    Put32(line, 28);
    Put32(line, 2);
    Put32(line, 0);
    Put32(line, 2);
    Put32(line, 0);
    Put32(line, 0);
    Put32(line, 37); // SelectObject
    Put32(line, 12);
    Put32(line, 2);
    Put32(line, 27); // MoveToEx
    Put32(line, 16);
    Put32(line, 0);
    Put32(line, 0);
    Put32(line, 54); // LineTo
    Put32(line, 16);
    Put32(line, x);
    Put32(line, y);
    emf.insert(emf.size() - 20, line);
    qToLittleEndian<quint32>(quint32(emf.size()), emf.data() + 48); // total bytes
    qToLittleEndian<quint32>(5 + 4, emf.data() + 52);              // records
    return emf;
}

// A bitmap with a 4-colour palette (red, green, blue, yellow) and the given
// pixel data: RLE8 (compression 1, 8 bits) or RLE4 (2, 4 bits).
QByteArray WriteRleBmp(qint64 w, qint64 h, int bits, int compression, const QByteArray &stream)
{
    QByteArray palette;
    for (const QRgb c : {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)})
        palette.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append(char(0));
    QByteArray bmp("BM");
    Put32(bmp, 14 + 40 + palette.size() + stream.size());
    Put32(bmp, 0);
    Put32(bmp, 14 + 40 + palette.size());
    Put32(bmp, 40);
    Put32(bmp, w);
    Put32(bmp, h);
    Put16(bmp, 1);
    Put16(bmp, bits);
    Put32(bmp, compression);
    Put32(bmp, stream.size());
    Put32(bmp, 2835);
    Put32(bmp, 2835);
    Put32(bmp, 4);
    Put32(bmp, 0);
    return bmp + palette + stream;
}

// The RLE stream of Quadrants(64, 48) with the palette above: rows stored
// bottom-up, each row two runs of 32 pixels and an end of line.
QByteArray QuadrantsRle(bool rle4)
{
    QByteArray stream;
    for (int y = 47; y >= 0; --y) {
        const int left = y < 24 ? 0 : 2; // red over blue
        for (const int colour : {left, left + 1}) {
            stream.append(char(32));
            stream.append(char(rle4 ? colour << 4 | colour : colour));
        }
        stream.append(char(0)).append(char(0));
    }
    return stream.append(char(0)).append(char(1));
}

// A bitmap saved by Qt (bottom-up rows) turned into its top-down form: rows
// reversed and the height negated.
QByteArray TopDown(QByteArray bmp)
{
    const quint32 offset = qFromLittleEndian<quint32>(bmp.constData() + 10);
    const qint32 height = qFromLittleEndian<qint32>(bmp.constData() + 22);
    const qsizetype stride = (bmp.size() - offset) / height;
    QByteArray rows;
    for (qint32 y = height - 1; y >= 0; --y)
        rows.append(bmp.mid(offset + y * stride, stride));
    bmp.replace(offset, rows.size(), rows);
    qToLittleEndian<qint32>(-height, bmp.data() + 22);
    return bmp;
}

// An icon whose one directory entry says 16 x 16 and holds the PNG.
QByteArray IconWithPng(const QByteArray &png)
{
    QByteArray ico;
    Put16(ico, 0);
    Put16(ico, 1);
    Put16(ico, 1);
    ico.append(char(16)).append(char(16)).append(char(0)).append(char(0));
    Put16(ico, 1);
    Put16(ico, 32);
    Put32(ico, png.size());
    Put32(ico, 22);
    return ico + png;
}

// A PNG whose header claims w x h (the header's checksum no longer fits).
QByteArray PngClaiming(quint32 w, quint32 h)
{
    QByteArray png = SaveWithQt(Quadrants(8, 8), "png");
    qToBigEndian<quint32>(w, png.data() + 16);
    qToBigEndian<quint32>(h, png.data() + 20);
    return png;
}

bool Near(QRgb a, QRgb b, int tolerance)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance
        && qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

QString ErrorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const EOrvessaError &e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}

} // namespace

class TestPhotoLoader : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir FDir;

    QString Write(const QString &name, const QByteArray &bytes)
    {
        const QString path = FDir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void loadsEveryFormat_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("tolerance"); // per channel; quadrant colours are checked

        const QImage q = Quadrants(64, 48);
        QTest::newRow("jpg baseline") << "a.jpg" << WriteJpeg(q, false) << q.size() << 12;
        QTest::newRow("JPG capitals") << "b.JPG" << SaveWithQt(q, "jpg") << q.size() << 12;
        QTest::newRow("jpeg progressive") << "c.jpeg" << WriteJpeg(q, true) << q.size() << 12;
        QTest::newRow("jpg cmyk") << "d.Jpg" << WriteJpeg(q, false, true) << q.size() << 16;
        QTest::newRow("jpg grey") << "e.jpg" << SaveWithQt(q.convertToFormat(QImage::Format_Grayscale8), "jpg")
                                  << q.size() << -1;
        QTest::newRow("bmp 24-bit") << "f.bmp" << SaveWithQt(q.convertToFormat(QImage::Format_RGB888), "bmp")
                                    << q.size() << 0;
        QTest::newRow("BMP 32-bit") << "g.BMP" << SaveWithQt(q, "bmp") << q.size() << 0;
        QTest::newRow("ico") << "h.ico" << SaveWithQt(q, "ico") << q.size() << 0;
        QTest::newRow("gif") << "i.gif" << WriteGif(q) << q.size() << 0;
        QTest::newRow("gif with an empty screen") << "i0.gif" << WriteGif(q, 0, 0) << q.size() << 0;
        QTest::newRow("bmp 24-bit top-down")
            << "j.bmp" << TopDown(SaveWithQt(q.convertToFormat(QImage::Format_RGB888), "bmp")) << q.size() << 0;
        QTest::newRow("bmp 8-bit top-down")
            << "k.bmp" << TopDown(SaveWithQt(q.convertToFormat(QImage::Format_Indexed8), "bmp")) << q.size() << 0;
        QTest::newRow("bmp rle8") << "l.bmp" << WriteRleBmp(64, 48, 8, 1, QuadrantsRle(false)) << q.size() << 0;
        QTest::newRow("bmp rle4") << "m.bmp" << WriteRleBmp(64, 48, 4, 2, QuadrantsRle(true)) << q.size() << 0;
        QTest::newRow("ico holding a png") << "n.ico" << IconWithPng(SaveWithQt(q, "png")) << q.size() << 0;
    }
    void loadsEveryFormat()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        QFETCH(int, tolerance);
        const QImage photo = TPhotoLoader::Load(Write(name, bytes)).Pixels();
        QCOMPARE(photo.format(), QImage::Format_RGB32);
        QCOMPARE(photo.size(), size);
        if (tolerance < 0) { // grey: only the brightness order of the quadrants
            QVERIFY(qGray(photo.pixel(size.width() * 3 / 4, size.height() * 3 / 4)) > qGray(photo.pixel(2, 2)));
            return;
        }
        const QImage expected = Quadrants(size.width(), size.height());
        for (const QPoint p : {QPoint(8, 8), QPoint(56, 8), QPoint(8, 40), QPoint(56, 40)})
            QVERIFY2(Near(photo.pixel(p), expected.pixel(p), tolerance),
                     qPrintable(QStringLiteral("at %1,%2: %3").arg(p.x()).arg(p.y()).arg(photo.pixel(p), 8, 16)));
    }

    void loadsMetafiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("wmf") << "m.wmf" << WriteWmf(48, 32);
        QTest::newRow("WMF capitals") << "n.WMF" << WriteWmf(48, 32);
        QTest::newRow("emf") << "o.emf" << WriteEmf(48, 32);
        QTest::newRow("emf with a line a little outside") << "q.emf" << WriteEmfWithLine(200, -100);
        QTest::newRow("emf with a description")
            << "p.emf" << WriteEmf(48, 32, -1, -1, QStringLiteral("Orvessa Face"));
    }
    void loadsMetafiles()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const QImage photo = TPhotoLoader::Load(Write(name, bytes)).Pixels();
        QCOMPARE(photo.format(), QImage::Format_RGB32);
        QCOMPARE(photo.size(), QSize(48, 32));
        QVERIFY2(Near(photo.pixel(24, 16), qRgb(255, 0, 0), 8), qPrintable(QString::number(photo.pixel(24, 16), 16)));
    }

    void transparentPicturesBecomeOpaqueOnWhite()
    {
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        icon.setPixel(5, 5, qRgba(0, 0, 255, 255));
        const QImage photo = TPhotoLoader::Load(Write("t.ico", SaveWithQt(icon, "ico"))).Pixels();
        QCOMPARE(photo.format(), QImage::Format_RGB32);
        QCOMPARE(photo.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(photo.pixel(5, 5), qRgb(0, 0, 255));
    }

    // A conversion Qt cannot make (a 32-bit row wider than QImage allows)
    // is reported, never answered with a blank photo.
    void failedConversionThrows()
    {
        QImage mono(70'000'000, 1, QImage::Format_Mono);
        QVERIFY(!mono.isNull());
        mono.fill(1);
        QCOMPARE(ErrorOf([&] { TPhotoBitmap::ToPhotoFormat(mono); }),
                 QStringLiteral("Not enough memory for a picture of 70000000 × 1 pixels"));
    }

    // The bitmap the decoders write: its rows start on a 64-byte cache line
    // (where the upright turn streams whole lines), a photo of 2 MiB or more
    // on a 2 MiB page; and it behaves as any photo, copied on write.
    void allocatedPhotoIsAligned_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qulonglong>("alignment");
        QTest::newRow("1 x 1") << QSize(1, 1) << 64ull;
        QTest::newRow("17 x 3") << QSize(17, 3) << 64ull;
        QTest::newRow("just under 2 MiB") << QSize(1024, 511) << 64ull;
        QTest::newRow("2 MiB") << QSize(1024, 512) << (2ull << 20);
        QTest::newRow("1001 x 1003") << QSize(1001, 1003) << (2ull << 20);
    }
    void allocatedPhotoIsAligned()
    {
        QFETCH(QSize, size);
        QFETCH(qulonglong, alignment);
        QImage photo = TPhotoBitmap::AllocatePhoto(size.width(), size.height());
        QCOMPARE(photo.size(), size);
        QCOMPARE(photo.format(), QImage::Format_RGB32);
        QCOMPARE(photo.bytesPerLine(), qsizetype(size.width()) * 4);
        QCOMPARE(qulonglong(reinterpret_cast<quintptr>(photo.constBits())) % alignment, 0ull);
        photo.fill(Qt::red);
        QImage copy = photo;
        copy.setPixel(size.width() - 1, size.height() - 1, qRgb(0, 0, 255));
        QCOMPARE(photo.pixel(size.width() - 1, size.height() - 1), qRgb(255, 0, 0));
        QCOMPARE(copy.pixel(size.width() - 1, size.height() - 1), qRgb(0, 0, 255));
    }

    void errors_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");

        const QImage q = Quadrants(64, 48);
        const QByteArray jpeg = WriteJpeg(q, false);
        const QByteArray bmp = SaveWithQt(q, "bmp");
        const QByteArray gif = WriteGif(q);
        const QByteArray wmf = WriteWmf(48, 32);
        const QByteArray emf = WriteEmf(48, 32);

        QTest::newRow("png is not ours") << "p.png" << SaveWithQt(q, "png") << "Unknown picture file extension (.png)";
        QTest::newRow("no extension") << "noext" << jpeg << "Unknown picture file extension (.)";
        QTest::newRow("extension as written") << "q.TiFF" << jpeg << "Unknown picture file extension (.TiFF)";
        QTest::newRow("jpeg named bmp") << "r.bmp" << jpeg << "Bitmap image is not valid";
        QTest::newRow("bmp named jpg") << "s.jpg" << bmp << "JPEG error #53"; // not a JPEG: no SOI marker

        // Zero bytes, cut short, corrupt.
        QTest::newRow("empty jpg") << "e1.jpg" << QByteArray() << "JPEG error #42";
        QTest::newRow("empty bmp") << "e2.bmp" << QByteArray() << "Bitmap image is not valid";
        QTest::newRow("empty ico") << "e3.ico" << QByteArray() << "Icon image is not valid";
        QTest::newRow("empty gif") << "e4.gif" << QByteArray() << "GIF image is not valid";
        QTest::newRow("empty wmf") << "e5.wmf" << QByteArray() << "Metafile is not valid";
        QTest::newRow("empty emf") << "e6.emf" << QByteArray() << "Metafile is not valid";
        QTest::newRow("half a jpg") << "h1.jpg" << jpeg.left(jpeg.size() / 2) << "JPEG error #43";
        QTest::newRow("jpg without its end marker") << "h2.jpg" << jpeg.left(jpeg.size() - 40) << "JPEG error #43";
        QTest::newRow("jpg header only") << "h3.jpg" << jpeg.left(300) << "JPEG error #43";
        QTest::newRow("jpg without EOI") << "h3b.jpg" << jpeg.left(jpeg.size() - 2) << "JPEG error #43";
        QTest::newRow("progressive jpg cut between scans")
            << "h4.jpg" << WriteJpeg(q, true).left(WriteJpeg(q, true).size() * 2 / 3) << "JPEG error #43";
        // Cut short while the turn of its upper bands runs beside the decoder.
        using TestSupport::TExifBlock;
        const QByteArray turned = TExifBlock::InJpeg(WriteJpeg(Quadrants(64, 5 * 64), false),
                                                     TExifBlock(false).Directory({TExifBlock::Orientation(6)}).Bytes());
        QTest::newRow("turned jpg cut short") << "h4b.jpg" << turned.left(turned.size() * 3 / 4) << "JPEG error #43";
        QTest::newRow("half a bmp") << "h5.bmp" << bmp.left(bmp.size() / 2) << "Bitmap image is not valid";
        QTest::newRow("bmp header only") << "h6.bmp" << bmp.left(60) << "Bitmap image is not valid";
        QTest::newRow("half an ico") << "h7.ico" << SaveWithQt(q, "ico").left(2000) << "Icon image is not valid";
        QTest::newRow("half a gif") << "h8.gif" << gif.left(gif.size() / 2) << "GIF image is not valid";
        QTest::newRow("gif header only") << "h9.gif" << gif.left(20) << "GIF image is not valid";
        QTest::newRow("half a wmf") << "ha.wmf" << wmf.left(wmf.size() - 10) << "Metafile is not valid";
        QTest::newRow("half an emf") << "hb.emf" << emf.left(emf.size() - 30) << "Metafile is not valid";
        QByteArray badRecord = emf;
        qToLittleEndian<quint32>(0x7FFFFFF0, badRecord.data() + 88 + 4); // a record larger than the file
        QTest::newRow("emf record past the end") << "hc.emf" << badRecord << "Metafile is not valid";
        QByteArray hugeRecordWmf = wmf;
        qToLittleEndian<quint32>(0x57525507, hugeRecordWmf.data() + 22 + 12); // largest record: 2.9 GB
        QTest::newRow("wmf declaring a record larger than the file") << "he.wmf" << hugeRecordWmf << "Metafile is not valid";
        QByteArray strayDescription = emf;
        qToLittleEndian<quint32>(quint32(emf.size()), strayDescription.data() + 64); // offset past the header, length 0
        QTest::newRow("emf description outside its header") << "hf.emf" << strayDescription << "Metafile is not valid";
        // Qt takes time in proportion to how far a stroke runs off the
        // picture (times its height): half a minute for such a line on a
        // large picture. Refused before rendering.
        QTest::newRow("emf line running millions of pixels off the picture")
            << "hg.emf" << WriteEmfWithLine(40, 2622748) << "Metafile is not valid";
        QTest::newRow("text named wmf") << "hd.wmf" << QByteArray("hello, world\n") << "Metafile is not valid";

        // Declared sizes beyond 2^28 pixels are refused before decoding.
        QTest::newRow("huge jpg") << "z1.jpg" << PatchJpegSize(SaveWithQt(q, "jpg"), 65000, 65000)
                                  << QStringLiteral("Picture is too large (65000 × 65000 pixels)");
        QByteArray hugeBmp = bmp;
        qToLittleEndian<qint32>(100000, hugeBmp.data() + 18);
        qToLittleEndian<qint32>(100000, hugeBmp.data() + 22);
        QTest::newRow("huge bmp") << "z2.bmp" << hugeBmp << QStringLiteral("Picture is too large (100000 × 100000 pixels)");
        QByteArray lowestHeight = bmp;
        qToLittleEndian<qint32>(INT_MIN, lowestHeight.data() + 22);
        QTest::newRow("bmp height of -2^31") << "z2b.bmp" << lowestHeight
                                             << QStringLiteral("Picture is too large (64 × 2147483648 pixels)");
        QTest::newRow("ico whose png is larger than its directory says")
            << "z6.ico" << IconWithPng(PngClaiming(16384, 16400))
            << QStringLiteral("Picture is too large (16384 × 16400 pixels)");
        QTest::newRow("ico whose png header is cut off")
            << "z7.ico" << IconWithPng(PngClaiming(8, 8).left(20)) << "Icon image is not valid";

        // RLE bitmaps: the stream is walked before decoding.
        const QByteArray rle = QuadrantsRle(false);
        const QByteArray endOfBitmap("\0\1", 2);
        QTest::newRow("rle8 claiming 16384 x 16384") << "r1.bmp" << WriteRleBmp(16384, 16384, 8, 1, rle)
                                                   << "Bitmap image is not valid";
        QTest::newRow("rle4 claiming 16384 x 16384")
            << "r2.bmp" << WriteRleBmp(16384, 16384, 4, 2, QByteArray(60, '\0') + endOfBitmap)
            << "Bitmap image is not valid";
        QTest::newRow("rle8 cut short") << "r3.bmp" << WriteRleBmp(64, 48, 8, 1, rle.left(rle.size() / 2))
                                        << "Bitmap image is not valid";
        QTest::newRow("rle8 without end of bitmap") << "r4.bmp" << WriteRleBmp(64, 48, 8, 1, rle.chopped(2))
                                                    << "Bitmap image is not valid";
        QTest::newRow("rle8 run past the row") << "r5.bmp" << WriteRleBmp(60, 48, 8, 1, rle)
                                               << "Bitmap image is not valid";
        QTest::newRow("rle8 rows past the top") << "r6.bmp" << WriteRleBmp(64, 40, 8, 1, rle)
                                                << "Bitmap image is not valid";
        QTest::newRow("rle8 literal run past the data")
            << "r7.bmp" << WriteRleBmp(64, 48, 8, 1, QByteArray("\0\x40\1\2", 4)) << "Bitmap image is not valid";
        QTest::newRow("rle8 delta past the picture")
            << "r8.bmp" << WriteRleBmp(64, 48, 8, 1, QByteArray("\0\2\xFF\0", 4) + endOfBitmap)
            << "Bitmap image is not valid";
        QTest::newRow("rle8 drawing under half of its pixels")
            << "r9.bmp" << WriteRleBmp(64, 48, 8, 1, rle.left(6 * 23) + endOfBitmap)
            << "Bitmap image is not valid";
        QTest::newRow("huge gif") << "z3.gif" << WriteGif(q, 65535, 65535)
                                  << QStringLiteral("Picture is too large (65535 × 65535 pixels)");
        QByteArray hugeWmf = WriteWmf(48, 32);
        qToLittleEndian<qint16>(30000, hugeWmf.data() + 10); // placeable bounds: right, bottom
        qToLittleEndian<qint16>(30000, hugeWmf.data() + 12);
        qToLittleEndian<quint16>(1, hugeWmf.data() + 14);    // one unit per inch
        QTest::newRow("huge wmf") << "z5.wmf" << hugeWmf << QStringLiteral("Picture is too large (2880000 × 2880000 pixels)");
        QTest::newRow("huge emf") << "z4.emf" << WriteEmf(48, 32, 2000000000, 2000000000)
                                  << QStringLiteral("Picture is too large (75590551 × 75590551 pixels)");
    }
    void errors()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString path = Write(name, bytes);
        QCOMPARE(ErrorOf([&] { TPhotoLoader::Load(path); }), message);
    }

    // Screens up to the pixel limit load at their size: the largest Qt's GIF
    // reader takes, and one of exactly 2^28 pixels, which it refuses.
    void largestGifScreensLoad_data()
    {
        QTest::addColumn<int>("height");
        QTest::newRow("16384 x 16383") << 16383;
        QTest::newRow("16384 x 16384") << 16384;
    }
    void largestGifScreensLoad()
    {
        QFETCH(int, height);
        const QImage photo = TPhotoLoader::Load(Write("big.gif", WriteGif(Quadrants(64, 48), 16384, height))).Pixels();
        QCOMPARE(photo.size(), QSize(16384, height));
        QCOMPARE(photo.pixel(8, 8), qRgb(255, 0, 0));
        QCOMPARE(photo.pixel(40, 30), Quadrants(64, 48).pixel(40, 30));
        QCOMPARE(photo.pixel(16000, height - 1), qRgb(255, 0, 0)); // the background entry, the first colour
    }

    // A 64 x 48 photo of quadrants (red, green / blue, yellow) with each tag
    // comes out upright: its size, the colours of its corners (top left, top
    // right, bottom left, bottom right) and the tag it carried.
    void jpegTurnsUpright_data()
    {
        using TestSupport::TExifBlock;
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("corners");
        QTest::addColumn<int>("orientation");

        const QByteArray jpeg = WriteJpeg(Quadrants(64, 48), false);
        const auto tagged = [](const QByteArray &file, int tag, bool big = false) {
            return TExifBlock::InJpeg(file, TExifBlock(big).Directory({TExifBlock::Orientation(tag)}).Bytes());
        };
        const char *const corners[] = {"", "RGBY", "GRYB", "YBGR", "BYRG", "RBGY", "BRYG", "YGBR", "GYRB"};
        for (int tag = 1; tag <= 8; ++tag)
            QTest::addRow("tag %d", tag) << tagged(jpeg, tag) << (tag >= 5 ? QSize(48, 64) : QSize(64, 48))
                                         << corners[tag] << tag;
        QTest::newRow("tag 6, big-endian block") << tagged(jpeg, 6, true) << QSize(48, 64) << corners[6] << 6;
        QTest::newRow("tag 8, progressive") << tagged(WriteJpeg(Quadrants(64, 48), true), 8) << QSize(48, 64)
                                            << corners[8] << 8;
        QTest::newRow("tag 7, CMYK") << tagged(WriteJpeg(Quadrants(64, 48), false, true), 7) << QSize(48, 64)
                                     << corners[7] << 7;
        QTest::newRow("tag 3, CMYK") << tagged(WriteJpeg(Quadrants(64, 48), false, true), 3) << QSize(64, 48)
                                     << corners[3] << 3;
        const QByteArray xmp("http://ns.adobe.com/xap/1.0/\0<x:xmpmeta/>", 41);
        QTest::newRow("XMP segment before the EXIF block")
            << TExifBlock::InJpeg(tagged(jpeg, 6), xmp) << QSize(48, 64) << corners[6] << 6;
        // Damaged blocks: the photo loads as stored.
        QTest::newRow("value 9") << tagged(jpeg, 9) << QSize(64, 48) << corners[1] << 1;
        QTest::newRow("directory outside the block")
            << TExifBlock::InJpeg(jpeg, TExifBlock(false, 42, 4000).Directory({TExifBlock::Orientation(6)}).Bytes())
            << QSize(64, 48) << corners[1] << 1;
        QTest::newRow("block cut short")
            << TExifBlock::InJpeg(jpeg, TExifBlock(true).Directory({TExifBlock::Orientation(6)}).Bytes().left(24))
            << QSize(64, 48) << corners[1] << 1;
        QTest::newRow("only the identifier") << TExifBlock::InJpeg(jpeg, QByteArray("Exif\0\0", 6)) << QSize(64, 48)
                                             << corners[1] << 1;
        QTest::newRow("no block") << jpeg << QSize(64, 48) << corners[1] << 1;
    }
    void jpegTurnsUpright()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        QFETCH(QString, corners);
        QFETCH(int, orientation);
        const TPhoto photo = TPhotoLoader::Load(Write(QStringLiteral("turned.jpg"), bytes));
        QCOMPARE(photo.PixelSize(), size);
        QCOMPARE(photo.Orientation(), orientation);
        const QImage &pixels = photo.Pixels();
        const int w = size.width(), h = size.height();
        const QPoint at[] = {{4, 4}, {w - 5, 4}, {4, h - 5}, {w - 5, h - 5}};
        for (int i = 0; i < 4; ++i) {
            const QRgb expected = QuadrantColour(corners[i]);
            QVERIFY2(Near(pixels.pixel(at[i]), expected, 16),
                     qPrintable(QStringLiteral("corner %1: %2").arg(i).arg(pixels.pixel(at[i]), 8, 16)));
        }
    }

    void corruptJpegNeverCrashes()
    {
        // Damaged picture data: an error, or a picture of the declared size.
        const QByteArray good = WriteJpeg(Quadrants(64, 48), false);
        for (int at = 200; at < good.size() - 2; at += 37) {
            QByteArray bad = good;
            bad[at] = char(bad[at] ^ 0x5A);
            bad[at + 1] = char(0xFF);
            try {
                QCOMPARE(TPhotoLoader::Load(Write(QStringLiteral("x.jpg"), bad)).PixelSize(), QSize(64, 48));
            } catch (const EOrvessaError &e) {
                QVERIFY(e.message().startsWith(QStringLiteral("JPEG error #")));
            }
        }
    }

    void cannotOpen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing file") << "missing.jpg" << "No such file or directory";
        QTest::newRow("folder named like a picture") << "folder.jpg" << "Is a directory";
        QTest::newRow("missing folder") << "nowhere/x.bmp" << "No such file or directory";
    }
    void cannotOpen()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QDir(FDir.path()).mkpath(QStringLiteral("folder.jpg"));
        const QString path = FDir.filePath(name);
        QCOMPARE(ErrorOf([&] { TPhotoLoader::Load(path); }), QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason));
    }

    void unreadableFile()
    {
        if (geteuid() == 0)
            QSKIP("root reads every file");
        const QString path = Write(QStringLiteral("locked.jpg"), WriteJpeg(Quadrants(8, 8), false));
        QFile::setPermissions(path, QFileDevice::WriteOwner);
        QCOMPARE(ErrorOf([&] { TPhotoLoader::Load(path); }),
                 QStringLiteral("Cannot open file \"%1\". Permission denied").arg(path));
    }

    void pipeNamedLikeAPictureDoesNotBlock()
    {
        const QString path = FDir.filePath(QStringLiteral("fifo.jpg"));
        QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        QCOMPARE(ErrorOf([&] { TPhotoLoader::Load(path); }),
                 QStringLiteral("Cannot open file \"%1\". Not a regular file").arg(path));
    }

    // A failed load leaves the view's photo, scale and scroll position alone.
    void viewKeepsItsPhotoOnFailure()
    {
        TImgView32 view;
        view.resize(200, 150);
        view.show();
        view.SetPhoto(TPhotoLoader::Load(Write(QStringLiteral("good.bmp"), SaveWithQt(Quadrants(400, 300), "bmp"))));
        view.SetScale(1.4f);
        view.ScrollBy(13, 17);
        const qint64 key = view.Photo().Pixels().cacheKey();
        const QPointF scroll = view.ScrollPos();

        const QStringList bad = {Write(QStringLiteral("bad.png"), "x"), FDir.filePath(QStringLiteral("gone.jpg")),
                                 Write(QStringLiteral("bad.bmp"), "BM"), Write(QStringLiteral("bad.jpg"), "\xFF\xD8\xFF"),
                                 Write(QStringLiteral("bad.gif"), "GIF89a"), Write(QStringLiteral("bad.wmf"), ""),
                                 Write(QStringLiteral("huge.jpg"), PatchJpegSize(SaveWithQt(Quadrants(8, 8), "jpg"), 60000, 60000))};
        for (const QString &path : bad) {
            QVERIFY(ErrorOf([&] { view.SetPhoto(TPhotoLoader::Load(path)); }) != QStringLiteral("<no error>"));
            QCOMPARE(view.Photo().Pixels().cacheKey(), key);
            QCOMPARE(view.Scale(), 1.4f);
            QCOMPARE(view.ScrollPos(), scroll);
        }
    }

    void loadKeepsScaleAndRecentresOnNewSize()
    {
        TImgView32 view;
        view.resize(200, 150);
        view.show();
        const QString first = Write(QStringLiteral("one.bmp"), SaveWithQt(Quadrants(400, 300), "bmp"));
        view.SetPhoto(TPhotoLoader::Load(first));
        view.SetScale(2.0f);
        view.SetScrollPos(QPointF(10, 20));
        view.SetPhoto(TPhotoLoader::Load(Write(QStringLiteral("same.jpg"), WriteJpeg(Quadrants(400, 300), false))));
        QCOMPARE(view.ScrollPos(), QPointF(10, 20)); // same pixel size: scroll kept
        QCOMPARE(view.Scale(), 2.0f);

        view.SetPhoto(TPhotoLoader::Load(Write(QStringLiteral("other.gif"), WriteGif(Quadrants(300, 200)))));
        const QSize v = view.ViewportRect().size();
        QCOMPARE(view.ScrollPos(), QPointF(150 * 2 - v.width() / 2.0, 100 * 2 - v.height() / 2.0));
        QCOMPARE(view.Scale(), 2.0f);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestPhotoLoader test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_photoloader.moc"
