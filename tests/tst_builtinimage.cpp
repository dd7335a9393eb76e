// The built-in pictures: every PNG source reaches the program pixel for
// pixel, and bytes that are not a whole picture give a null image.
#include "widgets/TBuiltInImage.h"

#include <QDirIterator>
#include <QGuiApplication>
#include <QTest>

#include <cstring>

class TestBuiltInImage : public QObject
{
    Q_OBJECT

private slots:
    void everySourcePictureIsBuiltIn_data();
    void everySourcePictureIsBuiltIn();
    void iconsCarryTheirDensePicture();
    void malformedBytesGiveNoImage_data();
    void malformedBytesGiveNoImage();
    void missingNamesGiveNullPictures();
};

void TestBuiltInImage::everySourcePictureIsBuiltIn_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("name");
    const QDir root(QStringLiteral(ORVESSA_PICTURE_DIR));
    QDirIterator files(root.path(), {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QString name = root.relativeFilePath(path);
        name.chop(4);
        QTest::newRow(qPrintable(name)) << path << name;
    }
}

void TestBuiltInImage::everySourcePictureIsBuiltIn()
{
    QFETCH(QString, source);
    QFETCH(QString, name);
    QImage expected = QImage(source).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QVERIFY(!expected.isNull());
    expected.setDevicePixelRatio(1); // the reader takes "@2x" in a file name as a ratio
    QCOMPARE(TBuiltInImage::image(name), expected);
}

void TestBuiltInImage::iconsCarryTheirDensePicture()
{
    const QIcon icon = TBuiltInImage::icon(QStringLiteral("action/00"));
    QCOMPARE(icon.availableSizes(), (QList<QSize>{QSize(32, 32), QSize(64, 64)}));
    QCOMPARE(icon.pixmap(QSize(32, 32), 2.0).size(), QSize(64, 64));
    QCOMPARE(TBuiltInImage::icon(QStringLiteral("preview")).availableSizes(), QList<QSize>{QSize(137, 166)});
}

void TestBuiltInImage::malformedBytesGiveNoImage_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QImage picture(3, 2, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::red);
    const QByteArray whole = TBuiltInImage::encode(picture);
    QCOMPARE(TBuiltInImage::decode(whole), picture);

    const auto withHeader = [&whole](quint32 magic, quint32 width, quint32 height) {
        QByteArray bytes = whole;
        const TBuiltInImage::THeader header{magic, width, height};
        std::memcpy(bytes.data(), &header, sizeof header);
        return bytes;
    };
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header cut short") << whole.left(sizeof(TBuiltInImage::THeader) - 1);
    QTest::newRow("last pixel cut short") << whole.chopped(1);
    QTest::newRow("a byte too many") << whole + '\0';
    QTest::newRow("wrong magic") << withHeader(0x474E5089, 3, 2);
    QTest::newRow("no width") << withHeader(TBuiltInImage::Magic, 0, 2);
    QTest::newRow("no height") << withHeader(TBuiltInImage::Magic, 3, 0);
    QTest::newRow("sides swapped") << withHeader(TBuiltInImage::Magic, 2, 4);
    // Sides whose product wraps to the real pixel count in 32 bits.
    QTest::newRow("wrapping sides") << withHeader(TBuiltInImage::Magic, 0x80000003, 2);
    QTest::newRow("side too long") << withHeader(TBuiltInImage::Magic, TBuiltInImage::MaxSide + 1, 1);
}

void TestBuiltInImage::malformedBytesGiveNoImage()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(TBuiltInImage::decode(bytes).isNull());
}

void TestBuiltInImage::missingNamesGiveNullPictures()
{
    QVERIFY(TBuiltInImage::image(QStringLiteral("action/99")).isNull());
    QVERIFY(TBuiltInImage::pixmap(QStringLiteral("")).isNull());
    QVERIFY(TBuiltInImage::icon(QStringLiteral("nothing")).isNull());
}

QTEST_MAIN(TestBuiltInImage)
#include "tst_builtinimage.moc"
