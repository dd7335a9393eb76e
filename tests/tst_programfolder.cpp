// The program folder rule (data beside the executable, else the installed
// data folder) and where the report page goes when that folder is read-only.
#include "core/TProgramFolder.h"
#include "core/EOrvessaError.h"
#include "report/TReportPage.h"
#include "report/TReportPlace.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

void makeFolders(const QString &root, const QStringList &folders)
{
    for (const QString &folder : folders)
        QVERIFY(QDir().mkpath(QDir(root).filePath(folder)));
}

QString withSeparator(const QString &path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(path)) + QDir::separator();
}

const QStringList DataFolders{"lng", "pic", "res", "help"};

QStringList under(const QString &prefix, const QStringList &folders)
{
    QStringList paths;
    for (const QString &folder : folders)
        paths << prefix + folder;
    return paths;
}

} // namespace

class TestProgramFolder : public QObject
{
    Q_OBJECT

private slots:
    void findsDataAndPlugins_data();
    void findsDataAndPlugins();

    void pageStaysInWritableProgramFolder();
    void pageGoesToCacheWhenProgramFolderIsReadOnly_data();
    void pageGoesToCacheWhenProgramFolderIsReadOnly();
    void unwritableCacheEndsInCannotCreate();
    void baseGoesIntoTheHead_data();
    void baseGoesIntoTheHead();
};

void TestProgramFolder::findsDataAndPlugins_data()
{
    QTest::addColumn<QStringList>("folders"); // made under a temporary root
    QTest::addColumn<QString>("data");        // expected, relative to the root
    QTest::addColumn<QString>("plugins");
    QTest::newRow("beside the executable") << under("bin/", DataFolders) + under("share/orvessa/", DataFolders)
                                           << "bin" << "bin";
    QTest::newRow("installed") << QStringList{"bin"} + under("share/orvessa/", DataFolders) << "share/orvessa"
                               << "lib/orvessa";
    QTest::newRow("part beside, installed whole") << QStringList{"bin/lng", "bin/pic"} + under("share/orvessa/", DataFolders)
                                                  << "share/orvessa" << "lib/orvessa";
    QTest::newRow("installed data incomplete") << QStringList{"bin", "share/orvessa/lng"} << "bin" << "lib/orvessa";
    QTest::newRow("nowhere") << QStringList{"bin"} << "bin" << "lib/orvessa";
}

void TestProgramFolder::findsDataAndPlugins()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, data);
    QFETCH(QString, plugins);
    QTemporaryDir root;
    makeFolders(root.path(), folders);
    const QString executable = root.filePath(QStringLiteral("bin"));
    QCOMPARE(TProgramFolder::ForExecutableIn(executable), withSeparator(root.filePath(data)));
    QCOMPARE(TProgramFolder::PluginFolderForExecutableIn(executable), withSeparator(root.filePath(plugins)));
}

void TestProgramFolder::pageStaysInWritableProgramFolder()
{
    QTemporaryDir folder;
    const TReportPlace place(folder.path());
    QCOMPARE(place.Folder(), folder.path());
    QCOMPARE(place.Page("<html><head></head></html>"), QByteArray("<html><head></head></html>"));
    // The probe leaves nothing behind.
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

void TestProgramFolder::pageGoesToCacheWhenProgramFolderIsReadOnly_data()
{
    QTest::addColumn<bool>("underPlainFile"); // else a folder without write permission
    QTest::newRow("folder under a plain file") << true;
    QTest::newRow("read-only folder") << false;
}

void TestProgramFolder::pageGoesToCacheWhenProgramFolderIsReadOnly()
{
    QFETCH(bool, underPlainFile);
    QTemporaryDir root;
    QString program;
    if (underPlainFile) {
        // Nobody, not even root, creates a file below a plain file.
        QFile plain(root.filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        program = root.filePath(QStringLiteral("plain/orvessa/"));
    } else {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        program = root.filePath(QStringLiteral("orvessa/"));
        QVERIFY(QDir().mkpath(program));
        QVERIFY(QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    const TReportPlace place(program);
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QVERIFY(!cache.isEmpty());
    QCOMPARE(place.Folder(), cache);
    QVERIFY(QFileInfo(cache).isDir());
    QVERIFY(TReportPlace::IsWritable(cache));
    QCOMPARE(place.Page("<head><title>T</title></head>"),
             "<head><base href=\"" + QUrl::fromLocalFile(program).toEncoded() + "\"><title>T</title></head>");
    QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestProgramFolder::unwritableCacheEndsInCannotCreate()
{
    QTemporaryDir root;
    QFile plain(root.filePath(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    const QByteArray savedCache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(root.filePath(QStringLiteral("plain/cache"))));
    const TReportPlace place(root.filePath(QStringLiteral("plain/orvessa")));
    qputenv("XDG_CACHE_HOME", savedCache);

    QVERIFY(place.Folder().startsWith(root.filePath(QStringLiteral("plain/cache/"))));
    try {
        TReportPage::Write(place.Folder(), "<html></html>");
        QFAIL("the page was written");
    } catch (const EOrvessaError &failure) {
        const QString expected = QStringLiteral("Cannot create file \"%1\". ").arg(TReportPage::PathIn(place.Folder()));
        QVERIFY2(failure.message().startsWith(expected), qPrintable(failure.message()));
    }
}

void TestProgramFolder::baseGoesIntoTheHead_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray base = "<base href=\"file:///usr/share/orvessa/\">";
    QTest::newRow("head") << QByteArray("<html>\r\n<head>\r\n<meta charset=\"utf-8\">") << "/usr/share/orvessa/"
                          << "<html>\r\n<head>" + base + "\r\n<meta charset=\"utf-8\">";
    QTest::newRow("head with attributes, any case") << QByteArray("<HTML><HEAD lang=\"ru\"><TITLE>")
                                                    << "/usr/share/orvessa" << "<HTML><HEAD lang=\"ru\">" + base + "<TITLE>";
    QTest::newRow("header is no head") << QByteArray("<header>x</header>") << "/usr/share/orvessa/"
                                       << base + "<header>x</header>";
    QTest::newRow("no head") << QByteArray("<p>\xe0\xff</p>") << "/usr/share/orvessa/" << base + "<p>\xe0\xff</p>";
    QTest::newRow("odd folder name") << QByteArray("<head>") << "/opt/a b\"&c/"
                                     << QByteArray("<head><base href=\"file:///opt/a%20b%22&amp;c/\">");
    QTest::newRow("bytes after head kept") << QByteArray("<head>\xc3\xa9\xd0\x96") << "/usr/share/orvessa/"
                                           << "<head>" + base + "\xc3\xa9\xd0\x96";
}

void TestProgramFolder::baseGoesIntoTheHead()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, folder);
    QFETCH(QByteArray, expected);
    QCOMPARE(TReportPlace::WithBase(content, folder), expected);
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
