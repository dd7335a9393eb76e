#include "app/THelpTarget.h"
#include "widgets/TNpsUrl.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestHelpTarget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void isSafe_data();
    void isSafe();
    void linkOpensOnlySafeTargets_data();
    void linkOpensOnlySafeTargets();

private:
    void writeFile(const QString &path);
    QString programFolder() const; // with a trailing separator, as the program keeps it

    QTemporaryDir FRoot;
};

void TestHelpTarget::writeFile(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<html></html>");
}

QString TestHelpTarget::programFolder() const
{
    return FRoot.path() + QStringLiteral("/program/");
}

void TestHelpTarget::initTestCase()
{
    const QString program = programFolder();
    for (const char *name : {"help/english.html", "help/old.htm", "help/manual.pdf", "help/notes.txt", "help/SHOUT.HTML",
                             "help/with space.html", "help/run.sh", "help/launcher.desktop", "readme.html"})
        writeFile(program + QString::fromLatin1(name));
    QVERIFY(QDir().mkpath(program + QStringLiteral("help/folder.html")));
    writeFile(FRoot.path() + QStringLiteral("/outside/secret.html"));
    // A sibling folder whose name starts like the program folder's.
    writeFile(FRoot.path() + QStringLiteral("/program2/help.html"));

    QVERIFY(QFile::link(FRoot.path() + QStringLiteral("/outside/secret.html"), program + QStringLiteral("help/escape.html")));
    QVERIFY(QFile::link(program + QStringLiteral("help/english.html"), program + QStringLiteral("help/alias.html")));
    QVERIFY(QFile::link(program + QStringLiteral("help/english.html"), program + QStringLiteral("help/alias.desktop")));
    QVERIFY(QFile::link(program + QStringLiteral("help/launcher.desktop"), program + QStringLiteral("help/disguise.html")));
    // The program folder itself reached through a link still counts.
    QVERIFY(QFile::link(program, FRoot.path() + QStringLiteral("/program-link")));
}

void TestHelpTarget::isSafe_data()
{
    QTest::addColumn<QString>("target"); // "<P>" stands for the program folder
    QTest::addColumn<bool>("safe");

    QTest::newRow("html inside") << "file:<P>help/english.html" << true;
    QTest::newRow("htm inside") << "file:<P>help/old.htm" << true;
    QTest::newRow("pdf inside") << "file:<P>help/manual.pdf" << true;
    QTest::newRow("txt inside") << "file:<P>help/notes.txt" << true;
    QTest::newRow("capital extension") << "file:<P>help/SHOUT.HTML" << true;
    QTest::newRow("space in name") << "file:<P>help/with space.html" << true;
    QTest::newRow("top of the folder") << "file:<P>readme.html" << true;
    QTest::newRow("plain path") << "<P>help/english.html" << true;
    QTest::newRow("file:// address") << "file://<P>help/english.html" << true;
    QTest::newRow(".. staying inside") << "file:<P>help/../help/english.html" << true;
    QTest::newRow("link to a document inside") << "file:<P>help/alias.html" << true;

    QTest::newRow("untranslated") << "file:<P><UNTRANSLATED>" << false;
    QTest::newRow("missing file") << "file:<P>help/missing.html" << false;
    QTest::newRow("the folder itself") << "file:<P>" << false;
    QTest::newRow("folder named like a document") << "file:<P>help/folder.html" << false;
    QTest::newRow("script") << "file:<P>help/run.sh" << false;
    QTest::newRow("desktop launcher") << "file:<P>help/launcher.desktop" << false;
    QTest::newRow(".. leaving the folder") << "file:<P>help/../../outside/secret.html" << false;
    QTest::newRow("encoded .. leaving") << "file:<P>help/%2E%2E/%2E%2E/outside/secret.html" << false;
    QTest::newRow("sibling with the same start") << "file:<P>../program2/help.html" << false;
    QTest::newRow("link leading outside") << "file:<P>help/escape.html" << false;
    QTest::newRow("document behind a launcher name") << "file:<P>help/alias.desktop" << false;
    QTest::newRow("launcher behind a document name") << "file:<P>help/disguise.html" << false;
    QTest::newRow("relative path") << "file:help/english.html" << false;
    QTest::newRow("web address") << "http://www.tallowmere.example/help.html" << false;
    QTest::newRow("empty") << QString() << false;
}

void TestHelpTarget::isSafe()
{
    QFETCH(QString, target);
    QFETCH(bool, safe);
    target.replace(QStringLiteral("<P>"), programFolder());
    QCOMPARE(THelpTarget::IsSafe(programFolder(), target), safe);
    // The same through a linked program folder.
    const QString linked = FRoot.path() + QStringLiteral("/program-link/");
    QCOMPARE(THelpTarget::IsSafe(linked, QString(target).replace(programFolder(), linked)), safe);
}

void TestHelpTarget::linkOpensOnlySafeTargets_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<bool>("opened");
    QTest::newRow("help document") << "help/english.html" << true;
    QTest::newRow("missing key") << "<UNTRANSLATED>" << false;
    QTest::newRow("outside") << "../outside/secret.html" << false;
}

void TestHelpTarget::linkOpensOnlySafeTargets()
{
    QFETCH(QString, relative);
    QFETCH(bool, opened);
    TestSupport::TShellRecorder shell;
    TNpsUrl link;
    link.setProtocol(TNpsUrl::ptFILE);
    link.setUrl(programFolder() + relative);
    link.setOpenGuard(THelpTarget::Guard(programFolder()));
    QSignalSpy clicked(&link, &TNpsUrl::clicked);
    link.click();
    QCOMPARE(clicked.size(), 1); // the click notice runs either way
    QCOMPARE(shell.addresses(), opened ? QStringList{"file:" + programFolder() + relative} : QStringList());
}

QTEST_MAIN(TestHelpTarget)
#include "tst_helptarget.moc"
