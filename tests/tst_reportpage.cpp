#include "core/EOrvessaError.h"
#include "report/TPdfFile.h"
#include "report/TReportPage.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Caps the size of files this process may write, as a full disk would; the
// signal that a write beyond the cap raises is ignored so that the write
// just fails.
class TFileSizeLimit
{
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &FSaved);
        FSavedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = FSaved;
        limit.rlim_cur = bytes;
        FActive = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &FSaved);
        std::signal(SIGXFSZ, FSavedHandler);
    }
    bool isActive() const { return FActive; }

private:
    rlimit FSaved{};
    void (*FSavedHandler)(int) = nullptr;
    bool FActive = false;
};

} // namespace

class TstReportPage : public QObject
{
    Q_OBJECT

private slots:
    void pageBytes_data();
    void pageBytes();
    void replacesPreviousPage();
    void failedCreateNamesPath_data();
    void failedCreateNamesPath();
    void failedWriteKeepsPreviousPage();
    void plantedLinkIsReplaced_data();
    void plantedLinkIsReplaced();
    void pdfFile_data();
    void pdfFile();
};

void TstReportPage::pageBytes_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("empty text, empty file") << QByteArray() << QByteArray();
    QTest::newRow("CR LF kept") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\nb\r\n");
    QTest::newRow("last line gets CR LF") << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n");
    QTest::newRow("lone CR and lone LF") << QByteArray("a\rb\nc") << QByteArray("a\r\nb\r\nc\r\n");
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QByteArray("a\r\n\r\nb\r\n");
    QTest::newRow("empty lines") << QByteArray("\n\n") << QByteArray("\r\n\r\n");
    QTest::newRow("no byte-order mark, bytes as they are")
        << QByteArray("Индекс \xFF\xC8") << QByteArray("Индекс \xFF\xC8\r\n");
    QTest::newRow("zero byte kept") << QByteArray("a\0b", 3) << QByteArray("a\0b\r\n", 5);
}

void TstReportPage::pageBytes()
{
    QFETCH(QByteArray, text);
    QTemporaryDir dir;
    const QString path = TReportPage::Write(dir.path() + QLatin1Char('/'), text);
    QCOMPARE(path, dir.filePath(QStringLiteral("~orvessa.html")));
    QVERIFY(QFileInfo(path).isFile());
    QTEST(readFile(path), "file");
}

void TstReportPage::replacesPreviousPage()
{
    QTemporaryDir dir;
    const QString path = TReportPage::Write(dir.path(), QByteArray(5000, 'x'));
    QCOMPARE(TReportPage::Write(dir.path(), "short"), path);
    QCOMPARE(readFile(path), QByteArray("short\r\n"));
    // No temporary files are left beside the page.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList(TReportPage::FileName()));
}

void TstReportPage::failedCreateNamesPath_data()
{
    QTest::addColumn<QString>("subfolder");
    QTest::addColumn<bool>("pageIsFolder");

    QTest::newRow("folder missing") << "missing" << false;
    QTest::newRow("page name taken by a folder") << "" << true;
}

void TstReportPage::failedCreateNamesPath()
{
    QFETCH(QString, subfolder);
    QFETCH(bool, pageIsFolder);

    QTemporaryDir dir;
    const QString folder = dir.filePath(subfolder);
    const QString path = TReportPage::PathIn(folder);
    if (pageIsFolder)
        QVERIFY(QDir().mkpath(path));
    try {
        TReportPage::Write(folder, "page");
        QFAIL("no error");
    } catch (const EOrvessaError &error) {
        const QString prefix = QStringLiteral("Cannot create file \"%1\". ").arg(path);
        QVERIFY2(error.message().startsWith(prefix), qPrintable(error.message()));
        QVERIFY2(error.message().size() > prefix.size(), "the system's reason is missing");
    }
    QCOMPARE(QFileInfo(path).isDir(), pageIsFolder);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TstReportPage::failedWriteKeepsPreviousPage()
{
    QTemporaryDir dir;
    const QByteArray previous = "<p>previous page</p>\r\n";
    const QString path = TReportPage::Write(dir.path(), previous);
    QString message;
    {
        TFileSizeLimit limit(64);
        if (!limit.isActive())
            QSKIP("cannot limit the file size");
        try {
            TReportPage::Write(dir.path(), QByteArray(4096, 'y'));
        } catch (const EOrvessaError &error) {
            message = error.message();
        }
    }
    QCOMPARE(message, QStringLiteral("Cannot create file \"%1\". File too large").arg(path));
    QCOMPARE(readFile(path), previous);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList(TReportPage::FileName()));
}

void TstReportPage::plantedLinkIsReplaced_data()
{
    QTest::addColumn<bool>("targetExists");
    QTest::newRow("link to another file") << true;
    QTest::newRow("dangling link") << false;
}

// A link planted where the page goes is replaced by the page; the file it
// points to is neither overwritten nor created.
void TstReportPage::plantedLinkIsReplaced()
{
    QFETCH(bool, targetExists);
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("victim.txt"));
    if (targetExists) {
        QFile victim(target);
        QVERIFY(victim.open(QIODevice::WriteOnly));
        victim.write("precious");
    }
    const QString path = TReportPage::PathIn(dir.path());
    QVERIFY(QFile::link(target, path));

    QCOMPARE(TReportPage::Write(dir.path(), "page"), path);
    QVERIFY(!QFileInfo(path).isSymLink());
    QCOMPARE(readFile(path), QByteArray("page\r\n"));
    QCOMPARE(QFileInfo::exists(target), targetExists);
    if (targetExists)
        QCOMPARE(readFile(target), QByteArray("precious"));
}

void TstReportPage::pdfFile_data()
{
    QTest::addColumn<QString>("name");     // in the temporary folder
    QTest::addColumn<QByteArray>("pdf");   // the laid-out document
    QTest::addColumn<QString>("error");    // the message's start; empty for none
    QTest::addColumn<QByteArray>("after"); // the file then; empty for none

    const QByteArray document = "%PDF-1.4\n...\n%%EOF\n";
    QTest::newRow("written") << "report.pdf" << document << "" << document;
    QTest::newRow("replaces an earlier one") << "earlier.pdf" << document << "" << document;
    QTest::newRow("page not laid out") << "earlier.pdf" << QByteArray()
                                       << "Cannot create file \"%1\". The page could not be laid out as PDF."
                                       << QByteArray("earlier");
    QTest::newRow("folder missing") << "missing/report.pdf" << document << "Cannot create file \"%1\". "
                                    << QByteArray();
    QTest::newRow("planted link replaced") << "link.pdf" << document << "" << document;
}

// The PDF goes through the same one-step write as the page: an earlier file
// stays whole on failure, a planted link is replaced and its target kept.
void TstReportPage::pdfFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, pdf);
    QFETCH(QString, error);
    QFETCH(QByteArray, after);

    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const QString target = dir.filePath(QStringLiteral("victim.txt"));
    if (name == QLatin1String("earlier.pdf")) {
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    } else if (name == QLatin1String("link.pdf")) {
        QFile victim(target);
        QVERIFY(victim.open(QIODevice::WriteOnly));
        victim.write("precious");
        victim.close();
        QVERIFY(QFile::link(target, path));
    }
    QString message;
    try {
        TPdfFile::Write(path, pdf);
    } catch (const EOrvessaError &failure) {
        message = failure.message();
    }
    if (error.isEmpty())
        QCOMPARE(message, QString());
    else
        QVERIFY2(message.startsWith(error.arg(path)) && !message.endsWith(QLatin1String(". ")), qPrintable(message));
    QCOMPARE(QFileInfo::exists(path), !after.isEmpty());
    if (!after.isEmpty())
        QCOMPARE(readFile(path), after);
    QVERIFY(!QFileInfo(path).isSymLink());
    if (name == QLatin1String("link.pdf"))
        QCOMPARE(readFile(target), QByteArray("precious"));
}

QTEST_GUILESS_MAIN(TstReportPage)
#include "tst_reportpage.moc"
