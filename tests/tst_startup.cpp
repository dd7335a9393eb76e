// Real starts of the built program, each in its own process with its own
// settings folder. Message boxes go to a log file instead of the screen
// (ORVESSA_MESSAGE_BOX_LOG) and are answered with OK in their own event
// loop, so nothing waits for a click.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void invalidStoredLanguageFileEndsTheProgram_data();
    void invalidStoredLanguageFileEndsTheProgram();
};

void TestStartup::invalidStoredLanguageFileEndsTheProgram_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("key line above the first section") << QByteArray("Caption=Orvessa\n[MainForm]\nA=1\n");
    QTest::newRow("byte-order mark before the first section") << QByteArray("\xEF\xBB\xBF[MainForm]\nA=1\n");
}

// The fatal box comes first, and after its OK the program ends with code 1
// instead of running on with untranslated texts.
void TestStartup::invalidStoredLanguageFileEndsTheProgram()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString language = dir.filePath(QStringLiteral("bad.lng"));
    QFile file(language);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    const QString config = dir.filePath(QStringLiteral("config"));
    {
        QSettings stored(config + QStringLiteral("/Tallowmere/Orvessa.conf"), QSettings::IniFormat);
        stored.setValue(QStringLiteral("Language"), language);
    }

    const QString log = dir.filePath(QStringLiteral("boxes.log"));
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("ORVESSA_MESSAGE_BOX_LOG"), log);
    program.setProcessEnvironment(environment);
    program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/orvessa"), {});
    QVERIFY(program.waitForStarted());
    const bool ended = program.waitForFinished(60000);
    if (!ended) {
        program.kill();
        program.waitForFinished();
    }
    QVERIFY2(ended, "the program runs on after the invalid language file");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);

    QFile boxes(log);
    QVERIFY(boxes.open(QIODevice::ReadOnly));
    QCOMPARE(boxes.readLine(), QByteArray("FatalTopMost\tFatal error\tInvalid language file\n"));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
