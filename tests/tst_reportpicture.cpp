// The report's face picture and the tags that name it and the ratios.
#include "core/EOrvessaError.h"
#include "core/TMeasureCatalogue.h"
#include "report/TReportPicture.h"
#include "report/TReportTags.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestReportPicture : public QObject
{
    Q_OBJECT

private slots:
    void tags_data();
    void tags();
    void faceRegion_data();
    void faceRegion();
    void drawsTheLinesOnTheRegion();
    void writesUnderANameOfItsBytes();
};

void TestReportPicture::tags_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("params");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("photo") << QByteArray("photo") << QByteArray() << QByteArray("file:///tmp/~orvessa-1.png");
    QTest::newRow("photo width") << QByteArray("photowidth") << QByteArray() << QByteArray("321");
    QTest::newRow("ratio 1") << QByteArray("ratio1") << QByteArray() << QByteArray("1.61");
    QTest::newRow("ratio 4, truncated") << QByteArray("ratio4") << QByteArray() << QByteArray("2.09");
    QTest::newRow("distance below") << QByteArray("ratio1") << QByteArray("distance") << QByteArray("0");
    QTest::newRow("distance above") << QByteArray("ratio2") << QByteArray("distance") << QByteArray("0.08");
    QTest::newRow("negative ratio") << QByteArray("ratio3") << QByteArray() << QByteArray("-1.5");
    QTest::newRow("the figures still") << QByteArray("result") << QByteArray() << QByteArray("100.27"); // 100.28f is 100.279...
    QTest::newRow("no ratio 5") << QByteArray("ratio5") << QByteArray() << QByteArray();
    QTest::newRow("no ratio 0") << QByteArray("ratio0") << QByteArray() << QByteArray();
    QTest::newRow("names compare exactly") << QByteArray("Ratio1") << QByteArray() << QByteArray();
    QTest::newRow("unknown tag") << QByteArray("face") << QByteArray() << QByteArray();
}

void TestReportPicture::tags()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, params);
    QFETCH(QByteArray, text);
    const TReportTags::TContent content{{100.28f, 0.9f, TBeautyStatus::Complete},
                                        {1.6179f, 1.7f, -1.5f, 2.0999f},
                                        "file:///tmp/~orvessa-1.png",
                                        321};
    QCOMPARE(TReportTags::Text(content, name, params, QLocale::c()), text);
}

void TestReportPicture::faceRegion_data()
{
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<QRect>("region");
    QTest::addColumn<float>("shift"); // moves every line by this many pixels
    // The lines span x 100..200 and y 100..300: a fifth (+1) of margin.
    QTest::newRow("inside") << QSize(1000, 1000) << QRect(QPoint(79, 59), QPoint(220, 340)) << 0.0f;
    QTest::newRow("clipped by the photo") << QSize(210, 1000) << QRect(QPoint(79, 59), QPoint(209, 340)) << 0.0f;
    QTest::newRow("off the photo: all of it") << QSize(50, 50) << QRect(0, 0, 50, 50) << 2000.0f;
}

void TestReportPicture::faceRegion()
{
    QFETCH(QSize, photo);
    QFETCH(QRect, region);
    QFETCH(float, shift);
    TMeasureStore store(StoreLength);
    for (int n = 1; n <= MeasureCount; ++n)
        store[n] = IsVerticalFaceValue(n) ? TFloatRect{150 + shift, 100 + shift, 152 + shift, 300 + shift}
                                          : TFloatRect{100 + shift, 200 + shift, 200 + shift, 202 + shift};
    QCOMPARE(TReportPicture::FaceRegion(photo, store), region);
}

void TestReportPicture::drawsTheLinesOnTheRegion()
{
    QImage photo(2000, 1200, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    TMeasureStore store(StoreLength);
    store[1] = {100, 500, 1900, 500}; // horizontal across the photo
    store[6] = {1000, 100, 1000, 1100}; // vertical
    const QImage picture = TReportPicture::Draw(photo, store);
    // The region is the whole photo (the margins reach past it), scaled to 480.
    QCOMPARE(picture.size(), QSize(480, 288));
    // Photo (1000, 300) on the vertical line lands at (240, 72).
    const QColor onLine = picture.pixelColor(240, 72);
    QVERIFY2(onLine.red() > 150 && onLine.blue() > 150, qPrintable(onLine.name()));
    QCOMPARE(picture.pixelColor(50, 50), QColor(Qt::darkGreen));
}

void TestReportPicture::writesUnderANameOfItsBytes()
{
    QTemporaryDir folder;
    QImage small(4, 4, QImage::Format_RGB32);
    small.fill(Qt::red);
    const QByteArray png = TReportPicture::Png(small);
    QVERIFY(png.startsWith("\x89PNG"));
    bool isNew = false;
    const QString path = TReportPicture::Write(folder.path(), png, isNew);
    QVERIFY(isNew);
    QCOMPARE(QFileInfo(path).fileName(), TReportPicture::FileName(png));
    QVERIFY(QFileInfo(path).fileName().contains(QRegularExpression(QStringLiteral("^~orvessa-[0-9a-f]{16}\\.png$"))));
    QCOMPARE(TReportPicture::Write(folder.path(), png, isNew), path);
    QVERIFY(!isNew);

    small.fill(Qt::blue);
    const QString other = TReportPicture::Write(folder.path(), TReportPicture::Png(small), isNew);
    QVERIFY(other != path);
    TReportPicture::RemoveOthers(folder.path(), other);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(other).fileName()});

    QVERIFY_THROWS_EXCEPTION(EOrvessaError, TReportPicture::Write(folder.filePath(QStringLiteral("none")), png, isNew));
}

QTEST_MAIN(TestReportPicture)
#include "tst_reportpicture.moc"
