// The EXIF orientation tag: read from well-formed blocks in both byte orders,
// ignored in damaged and hostile ones; and the writer that turns decoded rows
// upright, checked pixel for pixel against Qt's own turns of the picture.

#include "input/TExifOrientation.h"
#include "input/TUprightWriter.h"

#include "TExifBlock.h"

#include <QTest>
#include <QTransform>
#include <QtEndian>

#include <cstring>

namespace {

using TestSupport::TExifBlock;
using TEntry = TExifBlock::TEntry;
constexpr quint16 Orientation = TExifBlock::OrientationTag, Short = TExifBlock::Short, Long = TExifBlock::Long;

TEntry Tag(int value) { return TExifBlock::Orientation(value); }
TExifBlock Exif(bool big, quint16 magic = 42, quint32 firstDirectory = 8) { return TExifBlock(big, magic, firstDirectory); }

int Read(const QByteArray &block)
{
    return TExifOrientation::Read(reinterpret_cast<const unsigned char *>(block.constData()), size_t(block.size()));
}

// Every pixel of the stored picture its own value.
QImage Numbered(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, 0xFF000000u | quint32(y * size.width() + x));
    return image;
}

// What the tag asks for, in Qt's terms (QTransform's rotate(90) turns clockwise).
QImage TurnedWithQt(const QImage &image, int tag)
{
    switch (tag) {
    case 2: return image.mirrored(true, false);
    case 3: return image.mirrored(true, true);
    case 4: return image.mirrored(false, true);
    case 5: return image.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6: return image.transformed(QTransform().rotate(90));
    case 7: return image.transformed(QTransform().rotate(270)).mirrored(true, false);
    case 8: return image.transformed(QTransform().rotate(270));
    default: return image;
    }
}

} // namespace

class TestExifOrientation : public QObject
{
    Q_OBJECT

private slots:
    void readsTag_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<int>("expected");
        const TEntry make{0x010F, 2, 6, 100}, width{0x0100, Long, 1, 640};
        for (const bool big : {false, true})
            for (int tag = 1; tag <= 8; ++tag)
                QTest::addRow("tag %d %s", tag, big ? "MM" : "II")
                    << Exif(big).Directory({make, width, Tag(tag)}).Bytes() << tag;
        QTest::newRow("first of two orientation entries")
            << Exif(false).Directory({Tag(6), Tag(3)}).Bytes() << 6;
        QTest::newRow("directory placed further on")
            << Exif(true, 42, 20).U32(0).U32(0).U32(0).Directory({Tag(8)}).Bytes() << 8;
        QTest::newRow("IFD0 pointing to itself") << Exif(false).Directory({Tag(5)}, 8).Bytes() << 5;

        QTest::newRow("empty") << QByteArray() << 1;
        QTest::newRow("no tag") << Exif(false).Directory({make, width}).Bytes() << 1;
        QTest::newRow("XMP packet") << QByteArray("http://ns.adobe.com/xap/1.0/\0<x:xmpmeta/>", 41) << 1;
        QTest::newRow("Exif without its zeros")
            << Exif(false).Directory({Tag(6)}).Bytes().replace(4, 2, "xx") << 1;
        QTest::newRow("value 0") << Exif(false).Directory({Tag(0)}).Bytes() << 1;
        QTest::newRow("value 9") << Exif(true).Directory({Tag(9)}).Bytes() << 1;
        QTest::newRow("value 0x106 (high byte set)") << Exif(false).Directory({Tag(0x106)}).Bytes() << 1;
        QTest::newRow("as a LONG") << Exif(false).Directory({{Orientation, Long, 1, 6}}).Bytes() << 1;
        QTest::newRow("count 2") << Exif(false).Directory({{Orientation, Short, 2, 6}}).Bytes() << 1;
        QTest::newRow("byte order IM") << Exif(false).Directory({Tag(6)}).Bytes().replace(6, 2, "IM") << 1;
        QTest::newRow("byte order XX") << Exif(false).Directory({Tag(6)}).Bytes().replace(6, 2, "XX") << 1;
        QTest::newRow("byte order read wrongly")
            << Exif(true).Directory({Tag(6)}).Bytes().replace(6, 2, "II") << 1;
        QTest::newRow("magic 43") << Exif(false, 43).Directory({Tag(6)}).Bytes() << 1;
        QTest::newRow("directory past the end") << Exif(false, 42, 0xFFFFFFF0).Directory({Tag(6)}).Bytes() << 1;
        QTest::newRow("directory at the very end") << Exif(false, 42, 26).Directory({Tag(6)}).Bytes() << 1;
        QTest::newRow("directory overlapping the end") << Exif(false, 42, 25).Directory({Tag(6)}).Bytes() << 1;
        QTest::newRow("huge entry count") << Exif(false).Directory({Tag(6)}, 0, 0xFFFF).Bytes() << 1;
        QTest::newRow("one entry more than there is") << Exif(true).Directory({Tag(6)}, 0, 2).Bytes().chopped(4) << 1;
        // Only IFD0 describes the main picture; IFD1 is the thumbnail's.
        QTest::newRow("tag in IFD1 only") << Exif(false).Directory({make}, 26).Directory({Tag(6)}).Bytes() << 1;
        QTest::newRow("IFD chain looping, no tag")
            << Exif(false).Directory({make}, 26).Directory({width}, 8).Bytes() << 1;
    }
    void readsTag()
    {
        QFETCH(QByteArray, block);
        QFETCH(int, expected);
        QCOMPARE(Read(block), expected);
    }

    // Every cut of a good block: as stored until the entry is whole.
    void truncatedBlocksReadAsStored()
    {
        for (const bool big : {false, true}) {
            const QByteArray block = Exif(big).Directory({Tag(6)}).Bytes();
            const int entryEnd = 6 + 8 + 2 + 12;
            for (int n = 0; n < block.size(); ++n)
                QCOMPARE(Read(block.left(n)), n < entryEnd ? 1 : 6);
            QVERIFY(!TExifOrientation::IsExifBlock(nullptr, 6));
            QCOMPARE(TExifOrientation::Read(nullptr, 100), 1);
        }
    }

    void uprightSize_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QSize>("expected");
        for (int tag = 1; tag <= 8; ++tag)
            QTest::addRow("tag %d", tag) << tag << (tag >= 5 ? QSize(30, 70) : QSize(70, 30));
        QTest::newRow("no tag (0)") << 0 << QSize(70, 30);
        QTest::newRow("no tag (9)") << 9 << QSize(70, 30);
    }
    void uprightSize()
    {
        QFETCH(int, tag);
        QFETCH(QSize, expected);
        QCOMPARE(TExifOrientation::UprightSize(QSize(70, 30), tag), expected);
    }

    // Rows in bands as the decoder gives them; sizes around the band height
    // (a last band short or alone, single rows and columns) and around the
    // 4 x 4 tiles of the turn (1 to 3 columns or rows left over, or none: an
    // upright width that is a multiple of 4 keeps the tiles' stores aligned).
    void writerTurnsEveryPixel_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QSize>("stored");
        const int band = TUprightWriter::BandRows;
        for (int tag = 1; tag <= 8; ++tag)
            for (const QSize stored : {QSize(37, 2 * band + 6), QSize(29, 9 * band + 5), QSize(50, band),
                                       QSize(1, band + 1), QSize(band + 1, 1), QSize(43, band + 3), QSize(8, 12),
                                       QSize(3, 2), QSize(1, 1)})
                QTest::addRow("tag %d, %d x %d", tag, stored.width(), stored.height()) << tag << stored;
    }
    void writerTurnsEveryPixel()
    {
        QFETCH(int, tag);
        QFETCH(QSize, stored);
        const QImage source = Numbered(stored);
        QImage photo(TExifOrientation::UprightSize(stored, tag), QImage::Format_RGB32);
        photo.fill(Qt::black);
        TUprightWriter writer(photo, stored, tag);
        const int rowBytes = stored.width() * 4;
        for (int first = 0; first < stored.height(); first += TUprightWriter::BandRows) {
            const int count = std::min(TUprightWriter::BandRows, stored.height() - first);
            for (int y = first; y < first + count; ++y)
                std::memcpy(writer.Row(y), source.constScanLine(y), size_t(rowBytes));
            writer.Place(first, count);
        }
        const QImage expected = TurnedWithQt(source, tag);
        QCOMPARE(photo.size(), expected.size());
        for (int v = 0; v < photo.height(); ++v)
            for (int u = 0; u < photo.width(); ++u)
                if (photo.pixel(u, v) != expected.pixel(u, v))
                    QFAIL(qPrintable(QStringLiteral("at %1,%2: %3, expected %4").arg(u).arg(v)
                                         .arg(photo.pixel(u, v) & 0xFFFFFF).arg(expected.pixel(u, v) & 0xFFFFFF)));
    }
};

QTEST_APPLESS_MAIN(TestExifOrientation)
#include "tst_exiforientation.moc"
