#include "report/TReportPage.h"
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
};

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
    QWebEngineView *browser = view->Browser();
    QVERIFY(browser);
    QCOMPARE(browser->objectName(), QStringLiteral("Browser"));
    QCOMPARE(view->findChild<QWebEngineView *>(QStringLiteral("Browser")), browser);
    QVERIFY(view->isVisible());
    QVERIFY(!view->isModal());
    QVERIFY((view->geometry().center() - owner.frameGeometry().center()).manhattanLength() <= 2);
    QTRY_COMPARE_WITH_TIMEOUT(browser->title(), QStringLiteral("First"), LoadTimeout);
    QTRY_COMPARE(browser->geometry(), view->rect());

    // The page's relative picture path resolves against the page's folder.
    int pictureWidth = -1;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            browser->page()->runJavaScript(QStringLiteral("document.getElementById('dot').naturalWidth"),
                                           [&](const QVariant &width) { pictureWidth = width.toInt(); });
            QTest::qWait(50);
            return pictureWidth == 3;
        }(),
        LoadTimeout);

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

QTEST_MAIN(TstReportView)
#include "tst_reportview.moc"
