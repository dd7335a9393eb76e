// The command line: what starts the program, what only prints, and the
// exit statuses.
#include "app/TCommandLine.h"

#include <QDir>
#include <QtTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void readsArguments_data();
    void readsArguments();
};

void TestCommandLine::readsArguments_data()
{
    QTest::addColumn<QStringList>("arguments"); // after the program's name
    QTest::addColumn<bool>("starts");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("photo");
    QTest::addColumn<QStringList>("output"); // pieces the output holds, in order
    const QStringList usage{"Usage:", "[options] [PHOTO]", "--help", "--version", "PHOTO"};

    QTest::newRow("nothing") << QStringList{} << true << -1 << "" << QStringList{};
    QTest::newRow("photo") << QStringList{"/tmp/a b.jpg"} << true << -1 << "/tmp/a b.jpg" << QStringList{};
    QTest::newRow("photo after --") << QStringList{"--", "--odd.jpg"} << true << -1
                                    << QDir::current().absoluteFilePath("--odd.jpg") << QStringList{};
    QTest::newRow("relative photo") << QStringList{"../a.bmp"} << true << -1
                                    << QDir::cleanPath(QDir::current().absoluteFilePath("../a.bmp")) << QStringList{};
    QTest::newRow("version") << QStringList{"--version"} << false << 0 << "" << QStringList{"Orvessa 1."};
    QTest::newRow("version with photo") << QStringList{"x.jpg", "-v"} << false << 0 << "" << QStringList{"Orvessa "};
    QTest::newRow("help") << QStringList{"--help"} << false << 0 << "" << usage;
    QTest::newRow("short help") << QStringList{"-h"} << false << 0 << "" << usage;
    QTest::newRow("help wins over version") << QStringList{"--version", "--help"} << false << 0 << "" << usage;
    QTest::newRow("unknown option") << QStringList{"--bogus", "x.jpg"} << false << 2 << ""
                                    << QStringList{"Unknown option 'bogus'.", "Usage:", "PHOTO"};
    QTest::newRow("no Qt options") << QStringList{"--help-all"} << false << 2 << ""
                                   << QStringList{"Unknown option 'help-all'."};
    QTest::newRow("two photos") << QStringList{"a.jpg", "b.jpg"} << false << 2 << ""
                                << QStringList{"Only one photo can be opened.", "Usage:"};
    QTest::newRow("score") << QStringList{"--score", "a.orvessa.json", "b.orvessa.json"} << false << 0 << ""
                           << QStringList{};
    QTest::newRow("score as JSON") << QStringList{"--json", "--score", "a.orvessa.json"} << false << 0 << ""
                                   << QStringList{};
    QTest::newRow("score without files") << QStringList{"--score"} << false << 2 << ""
                                         << QStringList{"--score needs at least one measurements file.", "Usage:"};
    QTest::newRow("JSON without score") << QStringList{"--json", "a.jpg"} << false << 2 << ""
                                        << QStringList{"--json goes with --score.", "Usage:"};
    QTest::newRow("help names score") << QStringList{"--help"} << false << 0 << "" << QStringList{"--score", "--json"};
}

void TestCommandLine::readsArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, starts);
    QFETCH(int, status);
    QFETCH(QString, photo);
    QFETCH(QStringList, output);

    const TCommandLine line(QStringList{QStringLiteral("orvessa")} + arguments);
    QCOMPARE(line.StartsProgram(), starts);
    QCOMPARE(line.ExitStatus(), status);
    QCOMPARE(line.Photo(), photo);
    const QString text = line.Output();
    QCOMPARE(text.isEmpty(), output.isEmpty());
    qsizetype at = 0;
    for (const QString &piece : std::as_const(output)) {
        at = text.indexOf(piece, at);
        QVERIFY2(at >= 0, qPrintable(QStringLiteral("\"%1\" missing in:\n%2").arg(piece, text)));
    }
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
