#include "input/TOpenDialog.h"
#include "report/TReportPage.h"
#include "report/TReportPlace.h"
#include "report/TfrmOrvessaView.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

namespace {

constexpr int LoadTimeout = 60000;

QByteArray page(const QByteArray &title)
{
    return "<html><head><title>" + title + "</title></head>\n"
           "<body><img id=\"dot\" src=\"pic/dot.png\"></body></html>\n";
}

} // namespace

class TstReportView : public QObject
{
    Q_OBJECT

private slots:
    void showsPagesInLazyBrowser();
    void pageAwayFromItsPicturesReachesThemThroughBase();
    void contextMenuOffersTheReportsCommands_data();
    void contextMenuOffersTheReportsCommands();
    void selectAllAndCopyTakeTheReport();
    void saveAsPdfWritesTheChosenFile_data();
    void saveAsPdfWritesTheChosenFile();
    void printShowsTheSystemPrintDialog();

private:
    // A report window over owner showing a page with the text "Index 100.28".
    TfrmOrvessaView *showReport(QWidget &owner, const QTemporaryDir &folder);
};

namespace {

// The natural width of the page's picture "dot", waiting until it is the
// expected one or the load time is over.
int pictureWidth(QWebEngineView *browser, int expected)
{
    int width = -1;
    return QTest::qWaitFor(
        [&] {
            browser->page()->runJavaScript(QStringLiteral("document.getElementById('dot').naturalWidth"),
                                           [&](const QVariant &loaded) { width = loaded.toInt(); });
            QTest::qWait(50);
            return width == expected;
        },
        LoadTimeout) ? expected : width;
}

} // namespace

void TstReportView::showsPagesInLazyBrowser()
{
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("pic")));
    QVERIFY(QImage(3, 2, QImage::Format_RGB32).save(folder.filePath(QStringLiteral("pic/dot.png"))));

    QWidget owner;
    owner.setGeometry(100, 100, 900, 700);
    owner.show();
    QPointer<TfrmOrvessaView> view = new TfrmOrvessaView(&owner);
    QCOMPARE(view->objectName(), QStringLiteral("frmOrvessaView"));
    QCOMPARE(view->windowTitle(), QStringLiteral("Orvessa"));
    QVERIFY(view->isWindow());
    QCOMPARE(view->size(), QSize(652, 578));
    QVERIFY(!view->isVisible());
    // No web engine until there is something to show.
    QVERIFY(!view->Browser());
    QVERIFY(!view->findChild<QWebEngineView *>());

    view->ShowPage(TReportPage::Write(folder.path(), page("First")));
    auto *browser = qobject_cast<QWebEngineView *>(view->Browser());
    QVERIFY(browser);
    QCOMPARE(browser->objectName(), QStringLiteral("Browser"));
    QCOMPARE(view->findChild<QWebEngineView *>(QStringLiteral("Browser")), browser);
    QVERIFY(view->isVisible());
    QVERIFY(!view->isModal());
    QVERIFY((view->geometry().center() - owner.frameGeometry().center()).manhattanLength() <= 2);
    QTRY_COMPARE_WITH_TIMEOUT(browser->title(), QStringLiteral("First"), LoadTimeout);
    QTRY_COMPARE(browser->geometry(), view->rect());

    // The page's relative picture path resolves against the page's folder.
    QCOMPARE(pictureWidth(browser, 3), 3);

    // A second result replaces the page in the same browser.
    view->ShowPage(TReportPage::Write(folder.path(), page("Second")));
    QCOMPARE(view->Browser(), browser);
    QTRY_COMPARE_WITH_TIMEOUT(browser->title(), QStringLiteral("Second"), LoadTimeout);

    // Closing only hides the window.
    view->close();
    QVERIFY(view);
    QVERIFY(!view->isVisible());
    view->ShowPage(TReportPage::PathIn(folder.path()));
    QVERIFY(view->isVisible());
}

// A read-only program writes its page into the cache folder; the <base>
// element makes the page's relative paths reach the program's pictures.
void TstReportView::pageAwayFromItsPicturesReachesThemThroughBase()
{
    QTemporaryDir program;
    QTemporaryDir cache;
    QVERIFY(QDir(program.path()).mkdir(QStringLiteral("pic")));
    QVERIFY(QImage(5, 4, QImage::Format_RGB32).save(program.filePath(QStringLiteral("pic/dot.png"))));

    QWidget owner;
    owner.show();
    auto *view = new TfrmOrvessaView(&owner);
    view->ShowPage(TReportPage::Write(cache.path(), TReportPlace::WithBase(page("Away"), program.path())));
    auto *browser = qobject_cast<QWebEngineView *>(view->Browser());
    QVERIFY(browser);
    QTRY_COMPARE_WITH_TIMEOUT(browser->title(), QStringLiteral("Away"), LoadTimeout);
    QCOMPARE(pictureWidth(browser, 5), 5);
}

TfrmOrvessaView *TstReportView::showReport(QWidget &owner, const QTemporaryDir &folder)
{
    owner.show();
    auto *view = new TfrmOrvessaView(&owner);
    view->ShowPage(TReportPage::Write(folder.path(), "<html><head><title>Report</title></head>"
                                                     "<body><p>Index 100.28</p></body></html>"));
    auto *browser = qobject_cast<QWebEngineView *>(view->Browser());
    if (!browser || !QTest::qWaitFor([browser] { return browser->title() == QLatin1String("Report"); }, LoadTimeout))
        return nullptr;
    return view;
}

void TstReportView::contextMenuOffersTheReportsCommands_data()
{
    QTest::addColumn<bool>("translated");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("no language") << false << QStringList{"Copy", "Select All", "", "Print...", "Save as PDF..."};
    QTest::newRow("the language in force")
        << true
        << QStringList{"<frmOrvessaView.Copy>", "<frmOrvessaView.SelectAll>", "", "<frmOrvessaView.Print>",
                       "<frmOrvessaView.SaveAsPdf>"};
}

// A right click on the page opens the report's own menu, not the browser's
// (Back, Reload, View Source, ...), in the language in force when it opens.
void TstReportView::contextMenuOffersTheReportsCommands()
{
    QFETCH(bool, translated);
    QFETCH(QStringList, captions);
    QTemporaryDir folder;
    QWidget owner;
    TfrmOrvessaView *view = showReport(owner, folder);
    QVERIFY(view);
    if (translated)
        view->SetLookup([](const QString &key) { return QLatin1Char('<') + key + QLatin1Char('>'); });
    QWidget *browser = view->Browser();
    QCOMPARE(browser->contextMenuPolicy(), Qt::CustomContextMenu);
    emit browser->customContextMenuRequested(QPoint(20, 20));
    auto *menu = view->findChild<QMenu *>(QStringLiteral("BrowserMenu"));
    QVERIFY(menu);
    QTRY_VERIFY(menu->isVisible());
    QStringList shown;
    for (const QAction *action : menu->actions())
        shown << action->text();
    QCOMPARE(shown, captions);
    menu->hide();
}

void TstReportView::selectAllAndCopyTakeTheReport()
{
    QTemporaryDir folder;
    QWidget owner;
    TfrmOrvessaView *view = showReport(owner, folder);
    QVERIFY(view);
    QGuiApplication::clipboard()->clear();
    view->findChild<QAction *>(QStringLiteral("acSelectAll"))->trigger();
    view->findChild<QAction *>(QStringLiteral("acCopy"))->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::clipboard()->text().trimmed(), QStringLiteral("Index 100.28"), LoadTimeout);
}

void TstReportView::saveAsPdfWritesTheChosenFile_data()
{
    QTest::addColumn<QString>("answer"); // the file the save dialog answers with, in the folder
    QTest::newRow("a file") << "report.pdf";
    QTest::newRow("cancelled") << "";
}

void TstReportView::saveAsPdfWritesTheChosenFile()
{
    QFETCH(QString, answer);
    QTemporaryDir folder;
    QWidget owner;
    TfrmOrvessaView *view = showReport(owner, folder);
    QVERIFY(view);
    QStringList asked;
    const QString path = answer.isEmpty() ? QString() : folder.filePath(answer);
    TOpenDialog::setHook([&](const QStringList &filters, const QString &selected) {
        asked << filters << selected;
        return path;
    });
    view->findChild<QAction *>(QStringLiteral("acSaveAsPdf"))->trigger();
    TOpenDialog::setHook({});
    QCOMPARE(asked, (QStringList{"PDF documents (*.pdf)", "PDF documents (*.pdf)"}));
    if (path.isEmpty()) {
        QTest::qWait(200); // nothing is on its way
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{TReportPage::FileName()});
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path), LoadTimeout);
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    // Written whole under a temporary name, then renamed: nothing else is left.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 2);
}

// Print asks the system's print dialog first; cancelling it prints nothing.
void TstReportView::printShowsTheSystemPrintDialog()
{
    QTemporaryDir folder;
    QWidget owner;
    TfrmOrvessaView *view = showReport(owner, folder);
    QVERIFY(view);
    QString seen;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            seen = QString::fromLatin1(dialog->metaObject()->className());
            dialog->reject();
        }
    });
    closer.start(50);
    view->findChild<QAction *>(QStringLiteral("acPrint"))->trigger();
    QCOMPARE(seen, QStringLiteral("QPrintDialog"));
}

QTEST_MAIN(TstReportView)
#include "tst_reportview.moc"
