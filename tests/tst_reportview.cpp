#include "report/TReportPage.h"
#include "report/TReportPlace.h"
#include "report/TfrmOrvessaView.h"

#include <QImage>
#include <QPointer>
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

QTEST_MAIN(TstReportView)
#include "tst_reportview.moc"
