// orvessa --score: real starts of the built program on measurements files,
// without a display, and the exit statuses.

#include "core/TMeasureCatalogue.h"
#include "core/TMeasurementsFile.h"
#include "evaluate/TBeautyResult.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The store of the evaluation's worked example: L1 62, L2 160, L6 162,
// L9 100, D 62.
TMeasureStore completeStore()
{
    TMeasureStore store(StoreLength);
    for (int n = 1; n <= MeasureCount; ++n)
        store[n] = IsVerticalFaceValue(n) ? TFloatRect{5, 0, 5, 10} : TFloatRect{0, 5, 10, 5};
    store[1] = {0, 5, 62, 5};
    store[2] = {0, 5, 160, 5};
    store[6] = {5, 0, 5, 162};
    store[8] = {5, 0, 5, 142};
    store[9] = {5, 0, 5, 100};
    store[11] = {5, 100, 5, 140};
    return store;
}

struct TRun
{
    int status = -1;
    QString out;
    QString err;
};

} // namespace

class TestScore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void scoresFiles_data();
    void scoresFiles();

private:
    QString write(const QString &name, const TMeasureStore &store, const QList<int> &numbers);
    TRun run(const QStringList &arguments);

    QTemporaryDir FFolder;
    QString FComplete, FIncomplete, FDegenerate, FBroken, FMissing;
    QString FBlock, FJson;
};

QString TestScore::write(const QString &name, const TMeasureStore &store, const QList<int> &numbers)
{
    const QString path = FFolder.filePath(name);
    // The photo does not exist: scoring never opens it.
    const TMeasurements m{QStringLiteral("absent.jpg"), QSize(400, 400), QByteArray(64, '0'),
                          TMeasurementsFile::Entries(store, [&numbers](int n) { return numbers.contains(n); })};
    QString reason;
    if (!TMeasurementsFile::Write(path, m, reason))
        qFatal("%s", qPrintable(reason));
    return path;
}

void TestScore::initTestCase()
{
    QList<int> all;
    for (int n = 1; n <= MeasureCount; ++n)
        all.append(n);
    TMeasureStore store = completeStore();
    FComplete = write(QStringLiteral("complete.orvessa.json"), store, all);
    FIncomplete = write(QStringLiteral("incomplete.orvessa.json"), store, QList<int>(all.begin(), all.end() - 1));
    TMeasureStore degenerate = store;
    degenerate[11] = {5, 180, 5, 170}; // Y lands on B8 + L6: R2 divides by zero
    degenerate[8] = {5, 0, 5, 23};
    degenerate[6] = {5, 0, 5, 162};
    FDegenerate = write(QStringLiteral("degenerate.orvessa.json"), degenerate, all);
    FBroken = FFolder.filePath(QStringLiteral("broken.orvessa.json"));
    QFile broken(FBroken);
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("{\"format\": \"orvessa-measurements\", \"version\": 7}");
    broken.close();
    FMissing = FFolder.filePath(QStringLiteral("missing.orvessa.json"));

    TFaceProportions proportions;
    const TBeautyResult result = GetBeautyResult(store, proportions);
    QCOMPARE(result.Status, TBeautyStatus::Complete);
    const QLocale c = QLocale::c();
    const QString index = *GetTextBeautyResult(result.Index, c);
    const QString dispersion = *GetTextBeautyResult(result.Dispersion, c);
    const QString error = *GetTextBeautyResult(result.ErrorPercent(), c);
    QVERIFY(index.contains(QLatin1Char('.')));
    FBlock = QStringLiteral("index %1\ndispersion %2\nerror %3\n").arg(index, dispersion, error);
    FJson = QStringLiteral("{\"index\": \"%1\", \"dispersion\": \"%2\", \"error\": \"%3\"}\n").arg(index, dispersion, error);

    // The degenerate file really is degenerate, not incomplete.
    QCOMPARE(GetBeautyResult(degenerate, proportions).Status, TBeautyStatus::Degenerate);
}

TRun TestScore::run(const QStringList &arguments)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // No display of any kind, and a locale whose decimal separator is a comma.
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("ru_RU.UTF-8"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("ru_RU.UTF-8"));
    program.setProcessEnvironment(environment);
    program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/orvessa"), arguments);
    if (!program.waitForFinished(30000)) {
        program.kill();
        program.waitForFinished();
        return {};
    }
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromLocal8Bit(program.readAllStandardOutput()),
            QString::fromLocal8Bit(program.readAllStandardError())};
}

void TestScore::scoresFiles_data()
{
    QTest::addColumn<QStringList>("files"); // names of the members, or paths
    QTest::addColumn<bool>("json");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // "B" a block, "J" a JSON line, per scored file
    QTest::addColumn<QStringList>("err"); // pieces of standard error, in order

    QTest::newRow("one") << QStringList{"complete"} << false << 0 << "B" << QStringList{};
    QTest::newRow("two, as JSON") << QStringList{"complete", "complete"} << true << 0 << "JJ" << QStringList{};
    QTest::newRow("incomplete") << QStringList{"complete", "incomplete", "complete"} << false << 1 << "BB"
                                << QStringList{"incomplete.orvessa.json: not every measurement has a guide line."};
    QTest::newRow("degenerate") << QStringList{"degenerate"} << true << 1 << ""
                                << QStringList{"degenerate.orvessa.json: the guide lines give no valid result."};
    QTest::newRow("unreadable wins") << QStringList{"broken", "incomplete", "complete"} << false << 2 << "B"
                                     << QStringList{"The measurements file", "broken.orvessa.json",
                                                    "its version 7 is not one this program reads.",
                                                    "not every measurement"};
    QTest::newRow("missing") << QStringList{"missing"} << false << 2 << ""
                             << QStringList{"missing.orvessa.json cannot be opened: it cannot be read ("};
}

void TestScore::scoresFiles()
{
    QFETCH(QStringList, files);
    QFETCH(bool, json);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QStringList, err);
    const QHash<QString, QString> paths{{"complete", FComplete}, {"incomplete", FIncomplete},
                                        {"degenerate", FDegenerate}, {"broken", FBroken}, {"missing", FMissing}};
    QStringList arguments{QStringLiteral("--score")};
    if (json)
        arguments.append(QStringLiteral("--json"));
    for (const QString &file : std::as_const(files))
        arguments.append(paths.value(file));

    QElapsedTimer clock;
    clock.start();
    const TRun result = run(arguments);
    qInfo("%d file(s) scored in %lld ms", int(files.size()), clock.elapsed());
    QCOMPARE(result.status, status);
    QString expected;
    for (const QChar kind : out)
        expected += kind == QLatin1Char('B') ? FBlock : FJson;
    QCOMPARE(result.out, expected);
    qsizetype at = 0;
    for (const QString &piece : std::as_const(err)) {
        at = result.err.indexOf(piece, at);
        QVERIFY2(at >= 0, qPrintable(QStringLiteral("\"%1\" missing in:\n%2").arg(piece, result.err)));
    }
    QCOMPARE(result.err.isEmpty(), err.isEmpty());
}

QTEST_GUILESS_MAIN(TestScore)
#include "tst_score.moc"
