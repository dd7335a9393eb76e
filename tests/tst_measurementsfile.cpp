#include "core/TMeasureCatalogue.h"
#include "core/TMeasurementsFile.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

Q_DECLARE_METATYPE(TFloatRect)

namespace {

const QByteArray Sha = QByteArray(64, 'a');

// A valid file with `entries` as its measurement list (JSON text) on a
// 512 x 400 photo.
QByteArray fileWith(const QByteArray &entries)
{
    return "{\"format\": \"orvessa-measurements\", \"version\": 1, \"photo\": {\"file\": \"p.jpg\", \"width\": 512, "
           "\"height\": 400, \"sha256\": \"" + Sha + "\"}, \"measurements\": [" + entries + "]}";
}

QByteArray entry(const QByteArray &fields)
{
    return "{\"number\": 3, \"left\": 1, \"top\": 2, \"right\": 3, \"bottom\": 4, \"placed\": \"manual\"" + fields + "}";
}

// A random float of any magnitude the reader accepts along a side of
// `side` pixels: uniform in range, or a power-of-two scale for tiny values
// and denormals, or a value near the photo's edges.
float randomValue(QRandomGenerator &random, int side)
{
    switch (random.bounded(4)) {
    case 0:
        return float(-10.0 * side + random.bounded(21.0 * side));
    case 1:
        return std::ldexp(float(random.bounded(1.0)), -random.bounded(150)) * (random.bounded(2) ? 1.0f : -1.0f);
    case 2: {
        quint32 bits = 0; // a random float below 2^-100, denormals included
        bits = random.bounded(0x0D800000u);
        float v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    default:
        return std::nextafter(float(side), random.bounded(2) ? 0.0f : 1e9f);
    }
}

bool sameBits(const TMeasureStore &a, const TMeasureStore &b)
{
    return a.size() == b.size() && std::memcmp(a.constData(), b.constData(), size_t(a.size()) * sizeof(TFloatRect)) == 0;
}

QString english(const QString &key)
{
    return key + QStringLiteral(" %1 %2");
}

} // namespace

class TestMeasurementsFile : public QObject
{
    Q_OBJECT

private slots:
    void textHasTheFixedShape();
    void floatText_data();
    void floatText();
    void randomStoresRoundTrip();
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void tooLargeFileIsRefusedUnread();
    void writeAndRead();
    void photoReference_data();
    void photoReference();
    void sha256OfTheBytes();
    void faultTextFillsItsValues();
};

void TestMeasurementsFile::textHasTheFixedShape()
{
    TMeasurements m{QStringLiteral("dir/\"q\"\\é.jpg"), QSize(512, 512), Sha,
                    {{1, {200.5f, 390, 262.5f, 393}, false}, {7, {0.1f, -3, 1e-7f, 5}, true}}};
    const QByteArray expected = "{\n"
                                "  \"format\": \"orvessa-measurements\",\n"
                                "  \"version\": 1,\n"
                                "  \"photo\": { \"file\": \"dir/\\\"q\\\"\\\\\xc3\xa9.jpg\", \"width\": 512, "
                                "\"height\": 512, \"sha256\": \"" + Sha + "\" },\n"
                                "  \"measurements\": [\n"
                                "    { \"number\": 1, \"left\": 200.5, \"top\": 390, \"right\": 262.5, \"bottom\": 393, "
                                "\"placed\": \"manual\" },\n"
                                "    { \"number\": 7, \"left\": 0.1, \"top\": -3, \"right\": 1e-07, \"bottom\": 5, "
                                "\"placed\": \"auto\" }\n"
                                "  ]\n"
                                "}\n";
    QCOMPARE(TMeasurementsFile::Text(m), expected);
    TMeasurementsFault fault;
    QCOMPARE(TMeasurementsFile::Parse(expected, fault), m);
}

void TestMeasurementsFile::floatText_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("half") << 200.5f << QByteArray("200.5");
    QTest::newRow("whole") << 390.0f << QByteArray("390");
    QTest::newRow("tenth, not its binary expansion") << 0.1f << QByteArray("0.1");
    QTest::newRow("third") << 1.0f / 3.0f << QByteArray("0.33333334");
    QTest::newRow("smallest denormal") << std::numeric_limits<float>::denorm_min() << QByteArray("1e-45");
    QTest::newRow("negative zero is zero") << -0.0f << QByteArray("0");
    QTest::newRow("2^24 + 2") << 16777218.0f << QByteArray("16777218");
}

void TestMeasurementsFile::floatText()
{
    QFETCH(float, value);
    QFETCH(QByteArray, text);
    QCOMPARE(TMeasurementsFile::FloatText(value), text);
}

void TestMeasurementsFile::randomStoresRoundTrip()
{
    QRandomGenerator random(16);
    for (int round = 0; round < 2000; ++round) {
        const QSize size(1 + random.bounded(5000), 1 + random.bounded(5000));
        TMeasureStore store(StoreLength);
        const quint32 lines = random.bounded(1u << MeasureCount) << 1;
        for (int n = 1; n <= MeasureCount; ++n)
            if (lines & (1u << n))
                store[n] = {randomValue(random, size.width()), randomValue(random, size.height()),
                            randomValue(random, size.width()), randomValue(random, size.height())};
        // -0 reads back as 0 (the same point); the store holds none.
        for (TFloatRect &r : store)
            for (float *v : {&r.Left, &r.Top, &r.Right, &r.Bottom})
                *v = *v == 0.0f ? 0.0f : *v;
        const TMeasurements m{QStringLiteral("p.jpg"), size, Sha,
                              TMeasurementsFile::Entries(store, [lines](int n) { return (lines & (1u << n)) != 0; })};
        TMeasurementsFault fault;
        const std::optional<TMeasurements> back = TMeasurementsFile::Parse(TMeasurementsFile::Text(m), fault);
        QVERIFY2(back, qPrintable(fault.Text(english)));
        QVERIFY2(sameBits(TMeasurementsFile::Store(back->Entries), store), TMeasurementsFile::Text(m).constData());
        QCOMPARE(back->Entries.size(), qPopulationCount(lines));
    }
}

void TestMeasurementsFile::accepted_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<TFloatRect>("third");
    const TFloatRect plain{1, 2, 3, 4};
    QTest::newRow("no measurements") << fileWith("") << QList<int>{} << TFloatRect{};
    QTest::newRow("unknown keys") << fileWith(entry(", \"note\": [1, {\"x\": 2}]")).replace("\"version\"", "\"more\": null, \"version\"")
                                  << QList<int>{3} << plain;
    QTest::newRow("any order, sorted") << fileWith("{\"number\": 11, \"left\": 0, \"top\": 0, \"right\": 0, \"bottom\": 0, "
                                                   "\"placed\": \"auto\"}, " + entry(""))
                                       << QList<int>{3, 11} << plain;
    QTest::newRow("reversed ends, integral doubles")
        << fileWith("{\"number\": 3.0, \"left\": 9, \"top\": 8, \"right\": 1, \"bottom\": 2, \"placed\": \"manual\"}")
        << QList<int>{3} << TFloatRect{9, 8, 1, 2};
    QTest::newRow("the far limits") << fileWith("{\"number\": 3, \"left\": -5120, \"top\": -4000, \"right\": 5632, "
                                                "\"bottom\": 4400, \"placed\": \"manual\"}")
                                    << QList<int>{3} << TFloatRect{-5120, -4000, 5632, 4400};
    QTest::newRow("upper-case digest") << fileWith(entry("")).replace(Sha, Sha.toUpper()) << QList<int>{3} << plain;
}

void TestMeasurementsFile::accepted()
{
    QFETCH(QByteArray, text);
    QFETCH(QList<int>, numbers);
    QFETCH(TFloatRect, third);
    TMeasurementsFault fault;
    const std::optional<TMeasurements> m = TMeasurementsFile::Parse(text, fault);
    QVERIFY2(m, qPrintable(fault.Text(english)));
    QList<int> found;
    for (const TMeasurementEntry &e : m->Entries)
        found.append(e.Number);
    QCOMPARE(found, numbers);
    QCOMPARE(TMeasurementsFile::Store(m->Entries)[3], third);
    QCOMPARE(m->PhotoSize, QSize(512, 400));
    QCOMPARE(m->PhotoSha256, Sha);
}

void TestMeasurementsFile::refused_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("args");
    using F = TMeasurementsFile;
    const QByteArray good = fileWith(entry(""));
    const auto row = [](const char *name, const QByteArray &text, const char *key, const QStringList &args = {}) {
        QTest::newRow(name) << text << QString::fromLatin1(key) << args;
    };
    row("empty", "", F::FaultJson, {"0"});
    row("cut short", good.left(good.size() - 1), F::FaultJson, {QString::number(good.size() - 1)});
    row("overflowing number", fileWith(entry("").replace("\"left\": 1", "\"left\": 1e999")), F::FaultJson,
        {QString::number(fileWith(entry("")).indexOf("1, \"top") + 5)});
    row("array", "[]", F::FaultFormat);
    row("other format", QByteArray(good).replace("orvessa-measurements", "orvessa"), F::FaultFormat);
    row("format not a string", QByteArray(good).replace("\"orvessa-measurements\"", "1"), F::FaultFormat);
    row("version 2", QByteArray(good).replace("\"version\": 1", "\"version\": 2"), F::FaultVersion, {"2"});
    row("version as text", QByteArray(good).replace("\"version\": 1", "\"version\": \"1\""), F::FaultVersion, {"\"1\""});
    row("no version", QByteArray(good).replace("\"version\": 1,", ""), F::FaultVersion, {"null"});
    row("photo a string", QByteArray(good).replace("\"photo\": {", "\"photo\": \"p\", \"x\": {"), F::FaultPhoto, {"photo"});
    row("empty photo file", QByteArray(good).replace("\"p.jpg\"", "\"\""), F::FaultPhoto, {"file"});
    row("photo file a number", QByteArray(good).replace("\"p.jpg\"", "7"), F::FaultPhoto, {"file"});
    row("zero width", QByteArray(good).replace("\"width\": 512", "\"width\": 0"), F::FaultPhoto, {"width"});
    row("fractional width", QByteArray(good).replace("\"width\": 512", "\"width\": 51.5"), F::FaultPhoto, {"width"});
    row("huge height", QByteArray(good).replace("\"height\": 400", "\"height\": 1e12"), F::FaultPhoto, {"height"});
    row("short digest", QByteArray(good).replace(Sha, Sha.left(63)), F::FaultPhoto, {"sha256"});
    row("digest not hex", QByteArray(good).replace(Sha, QByteArray(64, 'g')), F::FaultPhoto, {"sha256"});
    row("measurements an object", QByteArray(good).replace("[", "{\"a\": [").replace("]}", "]}}"), F::FaultList);
    row("no measurements", QByteArray(good).replace("\"measurements\"", "\"m\""), F::FaultList);
    row("entry a number", fileWith(entry("") + ", 5"), F::FaultEntry, {"2"});
    row("number 0", fileWith(entry("").replace("\"number\": 3", "\"number\": 0")), F::FaultNumber, {"1"});
    row("number 12", fileWith(entry("").replace("\"number\": 3", "\"number\": 12")), F::FaultNumber, {"1"});
    row("number 2.5", fileWith(entry("").replace("\"number\": 3", "\"number\": 2.5")), F::FaultNumber, {"1"});
    row("number as text", fileWith(entry("").replace("\"number\": 3", "\"number\": \"3\"")), F::FaultNumber, {"1"});
    row("repeated number", fileWith(entry("") + "," + entry("")), F::FaultRepeat, {"3"});
    row("no left", fileWith(entry("").replace("\"left\": 1,", "")), F::FaultValue, {"3", "left"});
    row("bottom as text", fileWith(entry("").replace("\"bottom\": 4", "\"bottom\": \"4\"")), F::FaultValue, {"3", "bottom"});
    row("top beyond floats", fileWith(entry("").replace("\"top\": 2", "\"top\": 1e39")), F::FaultValue, {"3", "top"});
    row("left too far out", fileWith(entry("").replace("\"left\": 1", "\"left\": -5121")), F::FaultRange, {"3", "left"});
    row("right too far out", fileWith(entry("").replace("\"right\": 3", "\"right\": 5633")), F::FaultRange, {"3", "right"});
    row("bottom too far out", fileWith(entry("").replace("\"bottom\": 4", "\"bottom\": 4401")), F::FaultRange, {"3", "bottom"});
    row("unknown placing", fileWith(entry("").replace("\"manual\"", "\"guessed\"")), F::FaultPlaced, {"3"});
    row("first fault wins", fileWith(entry("").replace("\"left\": 1", "\"left\": null").replace("\"manual\"", "1")),
        F::FaultValue, {"3", "left"});
}

void TestMeasurementsFile::refused()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, key);
    QFETCH(QStringList, args);
    TMeasurementsFault fault;
    QVERIFY(!TMeasurementsFile::Parse(text, fault));
    QCOMPARE(QString::fromLatin1(fault.Key), key);
    QCOMPARE(fault.Args, args);
    QVERIFY(TMeasurementsFile::FaultKeys.contains(key));
}

void TestMeasurementsFile::tooLargeFileIsRefusedUnread()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("big.orvessa.json"));
    // Valid JSON but for its size: spaces before the closing brace.
    QByteArray text = fileWith(entry(""));
    const QByteArray big = text.insert(text.size() - 1, QByteArray(TMeasurementsFile::MaxSize, ' '));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(big);
    file.close();
    TMeasurementsFault fault;
    QVERIFY(!TMeasurementsFile::Read(path, fault));
    QCOMPARE(fault.Key, TMeasurementsFile::FaultTooLarge);
    QVERIFY(TMeasurementsFile::Parse(big.left(TMeasurementsFile::MaxSize - 1) + "}", fault)); // at the limit
}

void TestMeasurementsFile::writeAndRead()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("face.orvessa.json"));
    TMeasurementsFault fault;
    QVERIFY(!TMeasurementsFile::Read(path, fault));
    QCOMPARE(fault.Key, TMeasurementsFile::FaultRead);
    const TMeasurements m{QStringLiteral("p.jpg"), QSize(20, 30), Sha, {{2, {1, 2, 3, 4}, false}}};
    QString reason;
    QVERIFY(TMeasurementsFile::Write(path, m, reason));
    QCOMPARE(TMeasurementsFile::Read(path, fault), m);
    QVERIFY(!TMeasurementsFile::Write(folder.filePath(QStringLiteral("none/x.orvessa.json")), m, reason));
    QVERIFY(!reason.isEmpty());
}

void TestMeasurementsFile::photoReference_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("photo");
    QTest::addColumn<QString>("reference");
    QTest::newRow("same folder") << "/a/b/f.orvessa.json" << "/a/b/p.jpg" << "p.jpg";
    QTest::newRow("below") << "/a/b/f.orvessa.json" << "/a/b/c/d/p.jpg" << "c/d/p.jpg";
    QTest::newRow("above") << "/a/b/f.orvessa.json" << "/a/p.jpg" << "/a/p.jpg";
    QTest::newRow("a folder that starts alike") << "/a/b/f.orvessa.json" << "/a/bc/p.jpg" << "/a/bc/p.jpg";
    QTest::newRow("dots in the photo path") << "/a/b/f.orvessa.json" << "/a/b/c/../p.jpg" << "p.jpg";
    QTest::newRow("the root folder") << "/f.orvessa.json" << "/x/p.jpg" << "x/p.jpg";
}

void TestMeasurementsFile::photoReference()
{
    QFETCH(QString, file);
    QFETCH(QString, photo);
    QFETCH(QString, reference);
    QCOMPARE(TMeasurementsFile::PhotoReference(file, photo), reference);
    QCOMPARE(TMeasurementsFile::PhotoPath(file, reference), QDir::cleanPath(photo));
}

void TestMeasurementsFile::sha256OfTheBytes()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("abc"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("abc");
    file.close();
    QCOMPARE(TMeasurementsFile::Sha256(path),
             QByteArray("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
    QVERIFY(TMeasurementsFile::Sha256(folder.filePath(QStringLiteral("none"))).isEmpty());
}

void TestMeasurementsFile::faultTextFillsItsValues()
{
    const TMeasurementsFault fault{TMeasurementsFile::FaultValue, {QStringLiteral("4"), QStringLiteral("top")}};
    QCOMPARE(fault.Text([](const QString &key) { return key + QStringLiteral(": %1 / %2"); }),
             QStringLiteral("measurementsFault.Value: 4 / top"));
}

QTEST_GUILESS_MAIN(TestMeasurementsFile)
#include "tst_measurementsfile.moc"
