// orvessa --measure: the lines placed without a window, the text and JSON
// forms, the measurements files --save writes, and the exit statuses.
#include "app/TCommandLine.h"
#include "app/TMeasureCommand.h"
#include "core/TMeasurementsFile.h"
#include "measure/TFaceFinder.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString dataFile(const QString &name)
{
    return QStringLiteral(ORVESSA_TEST_DATA "/") + name;
}

} // namespace

class TstMeasureCommand : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void statuses_data();
    void statuses();
    void jsonLineAndSave();
    void saveNeedsMeasure();

private:
    QTemporaryDir FDir;
};

void TstMeasureCommand::init()
{
    if (!TFaceFinder::ModelInstalled())
        QSKIP("The landmarks' model is not installed");
}

void TstMeasureCommand::statuses_data()
{
    QTest::addColumn<QStringList>("photos");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("blocks"); // text blocks printed
    QImage blank(300, 200, QImage::Format_RGB32);
    blank.fill(Qt::darkCyan);
    const QString noFace = FDir.filePath(QStringLiteral("wall.bmp"));
    blank.save(noFace);
    const QString portrait = dataFile(QStringLiteral("astronaut.jpg"));
    const QString missing = FDir.filePath(QStringLiteral("missing.jpg"));
    QTest::newRow("a face") << QStringList{portrait} << 0 << 1;
    QTest::newRow("a face and none") << QStringList{portrait, noFace} << 1 << 1;
    QTest::newRow("unreadable beats no face") << QStringList{noFace, missing, portrait} << 2 << 1;
}

void TstMeasureCommand::statuses()
{
    QFETCH(QStringList, photos);
    QFETCH(int, status);
    QFETCH(int, blocks);
    QString out;
    QString err;
    QCOMPARE(TMeasureCommand::Run(photos, false, false, out, err), status);
    QCOMPARE(int(out.count(QStringLiteral("photo "))), blocks);
    QCOMPARE(int(out.count(QStringLiteral("\nmeasurement "))), 11 * blocks);
    QCOMPARE(err.isEmpty(), status == 0);
    if (blocks > 0)
        QVERIFY(out.contains(QRegularExpression(QStringLiteral("\nindex \\d+\\.\\d+\ndispersion \\d+\\.\\d+\nerror \\d+\\.\\d+\n"))));
}

void TstMeasureCommand::jsonLineAndSave()
{
    const QString photo = FDir.filePath(QStringLiteral("portrait.jpg"));
    QVERIFY(QFile::copy(dataFile(QStringLiteral("astronaut.jpg")), photo));
    QString out;
    QString err;
    QCOMPARE(TMeasureCommand::Run({photo}, true, true, out, err), 0);
    QCOMPARE(int(out.count(QLatin1Char('\n'))), 1);
    const QJsonObject line = QJsonDocument::fromJson(out.toUtf8()).object();
    QCOMPARE(line.value(QStringLiteral("face")).toBool(), true);
    QCOMPARE(line.value(QStringLiteral("format")).toString(), QStringLiteral("orvessa-measurements"));
    QVERIFY(line.value(QStringLiteral("result")).toObject().contains(QStringLiteral("index")));

    // The file beside the photo reads back: eleven lines, all placed
    // automatically, on this photo.
    TMeasurementsFault fault;
    const std::optional<TMeasurements> saved = TMeasurementsFile::Read(FDir.filePath(QStringLiteral("portrait.orvessa.json")), fault);
    QVERIFY(saved);
    QCOMPARE(saved->Entries.size(), 11);
    QVERIFY(std::all_of(saved->Entries.begin(), saved->Entries.end(), [](const TMeasurementEntry &e) { return e.Auto; }));
    QCOMPARE(saved->PhotoFile, QStringLiteral("portrait.jpg"));
    QCOMPARE(saved->PhotoSize, QSize(384, 384));
}

void TstMeasureCommand::saveNeedsMeasure()
{
    const TCommandLine alone({QStringLiteral("orvessa"), QStringLiteral("--save"), QStringLiteral("a.jpg")});
    QCOMPARE(alone.ExitStatus(), 2);
    const TCommandLine empty({QStringLiteral("orvessa"), QStringLiteral("--measure")});
    QCOMPARE(empty.ExitStatus(), 2);
    const TCommandLine measure({QStringLiteral("orvessa"), QStringLiteral("--measure"), QStringLiteral("--json"),
                                QStringLiteral("--save"), QStringLiteral("a.jpg")});
    QVERIFY(!measure.StartsProgram());
    QCOMPARE(measure.ExitStatus(), 0);
}

QTEST_GUILESS_MAIN(TstMeasureCommand)
#include "tst_measurecommand.moc"
