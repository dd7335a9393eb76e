// The viewer's everyday conventions through the real main window: Fit to
// Window, the desktop's usual keys beside the program's own shortcuts, the
// zoom field of the status bar, and photos dropped on the window.
#include "TestSupport.h"

#include "app/TMainForm.h"
#include "app/TOrvessaApplication.h"
#include "input/TOpenDialog.h"
#include "lang/TLanguageSetting.h"
#include "measure/TImgView32.h"
#include "measure/TZoomText.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QScopeGuard>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <cmath>
#include <memory>

class TestViewerConventions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fitToWindowShowsTheWholePhoto_data();
    void fitToWindowShowsTheWholePhoto();
    void fitToWindowWithoutPhotoKeepsTheScale();
    void fitToWindowIsOnTheToolbarAfterZoomOut();

    void keysReachTheirActions_data();
    void keysReachTheirActions();
    void fixedShortcutsComeFirst_data();
    void fixedShortcutsComeFirst();

    void zoomFieldFollowsEveryChange();
    void zoomFieldLeavesTheHintAlone();

    void dropOpensAsFileOpen_data();
    void dropOpensAsFileOpen();
    void dropOfUnreadableFileReportsAndKeepsPhoto();

    void messageBoxClearsTheStaleHint();

private:
    QString writePhoto(QSize size);
    TImgView32 *view() const { return FForm->findChild<TImgView32 *>(QStringLiteral("Image")); }
    QAction *action(const QString &name) const { return FForm->findChild<QAction *>(name); }
    QLabel *zoomField() const { return FForm->findChild<QLabel *>(QStringLiteral("LabZoom")); }
    bool barsShown() const;

    std::unique_ptr<TestSupport::TProgramFolderCopy> FFolder;
    std::unique_ptr<TestSupport::TMessageRecorder> FMessages;
    std::unique_ptr<QTemporaryDir> FFiles;
    std::unique_ptr<TMainForm> FForm;
};

void TestViewerConventions::init()
{
    TestSupport::isolateSettings();
    QLocale::setDefault(QLocale::c()); // the zoom field's decimal point
    FFolder = std::make_unique<TestSupport::TProgramFolderCopy>();
    QVERIFY(TLanguageSetting::WriteLanguageSetting(TLanguageSetting::KeyPath, FFolder->path() + "lng/english.lng"));
    FMessages = std::make_unique<TestSupport::TMessageRecorder>();
    FFiles = std::make_unique<QTemporaryDir>();
    FForm = std::make_unique<TMainForm>();
    FForm->show();
    QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
    view()->setFocus();
}

void TestViewerConventions::cleanup()
{
    FForm.reset();
    FFiles.reset();
    FMessages.reset();
    FFolder.reset();
}

QString TestViewerConventions::writePhoto(QSize size)
{
    const QString path = FFiles->filePath(QStringLiteral("photo%1x%2.bmp").arg(size.width()).arg(size.height()));
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    if (!picture.save(path, "BMP"))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

bool TestViewerConventions::barsShown() const
{
    return view()->horizontalScrollBar()->isVisible() || view()->verticalScrollBar()->isVisible();
}

// ---------------------------------------------------------------------------
// Fit to Window

void TestViewerConventions::fitToWindowShowsTheWholePhoto_data()
{
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<float>("startScale");
    QTest::newRow("wider than the view") << QSize(2400, 300) << 1.0f;
    QTest::newRow("taller than the view") << QSize(300, 1900) << 1.0f;
    QTest::newRow("larger both ways") << QSize(1601, 1203) << 3.0f;
    QTest::newRow("smaller, grows") << QSize(57, 43) << 1.0f;
    QTest::newRow("one pixel") << QSize(1, 1) << 0.2f;
    QTest::newRow("odd shape, zoomed out") << QSize(333, 777) << 0.001f;
}

void TestViewerConventions::fitToWindowShowsTheWholePhoto()
{
    QFETCH(QSize, photo);
    QFETCH(float, startScale);
    FForm->acFileOpenAccept(writePhoto(photo));
    view()->SetScale(startScale);
    const QSize client = view()->contentsRect().size();

    QTest::keyClick(view(), Qt::Key_0, Qt::ControlModifier);
    const float fit = view()->Scale();
    QVERIFY(!barsShown());
    QVERIFY(view()->ViewportRect().contains(view()->PhotoRect()));
    // The photo fills the view on at least one axis.
    const QSize shown = view()->PhotoRect().size();
    QVERIFY2(shown.width() == client.width() || shown.height() == client.height(),
             qPrintable(QStringLiteral("%1x%2 in %3x%4").arg(shown.width()).arg(shown.height()).arg(client.width())
                            .arg(client.height())));
    QCOMPARE(zoomField()->text(), TZoomText::Text(fit));

    // The smallest step larger needs the bars.
    view()->SetScale(std::nextafter(fit, 1e9f));
    QVERIFY(barsShown());
    // Fitting again from there comes back to the same scale.
    action(QStringLiteral("acFitToWindow"))->trigger();
    QCOMPARE(view()->Scale(), fit);
    QVERIFY(!barsShown());
}

void TestViewerConventions::fitToWindowWithoutPhotoKeepsTheScale()
{
    view()->SetScale(1.4f);
    QTest::keyClick(view(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(view()->Scale(), 1.4f);
}

void TestViewerConventions::fitToWindowIsOnTheToolbarAfterZoomOut()
{
    auto *toolBar = FForm->findChild<QToolBar *>(QStringLiteral("MainToolBar"));
    const QList<QAction *> items = toolBar->actions();
    const qsizetype at = items.indexOf(action(QStringLiteral("acZoomOut")));
    QCOMPARE(items.value(at + 1), action(QStringLiteral("acFitToWindow")));
    // Its own picture, not another action's.
    const QImage picture = action(QStringLiteral("acFitToWindow"))->icon().pixmap(32, 32).toImage();
    QVERIFY(!picture.isNull());
    for (const char *other : {"acActualPixels", "acZoomIn", "acZoomOut"})
        QVERIFY(picture != action(QString::fromLatin1(other))->icon().pixmap(32, 32).toImage());

    // A click on the button fits the photo as the menu item does.
    FForm->acFileOpenAccept(writePhoto(QSize(1500, 1500)));
    QTest::mouseClick(toolBar->widgetForAction(action(QStringLiteral("acFitToWindow"))), Qt::LeftButton);
    QVERIFY(view()->Scale() < 1.0f);
    QVERIFY(!barsShown());
}

// ---------------------------------------------------------------------------
// Keys

void TestViewerConventions::keysReachTheirActions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QKeySequence>("key");
    QTest::newRow("zoom in, Ctrl++") << "acZoomIn" << QKeySequence(Qt::CTRL | Qt::Key_Plus);
    QTest::newRow("zoom in, Ctrl+=") << "acZoomIn" << QKeySequence(Qt::CTRL | Qt::Key_Equal);
    QTest::newRow("zoom out, Ctrl+-") << "acZoomOut" << QKeySequence(Qt::CTRL | Qt::Key_Minus);
    QTest::newRow("actual pixels, Ctrl+1") << "acActualPixels" << QKeySequence(Qt::CTRL | Qt::Key_1);
    QTest::newRow("fit, Ctrl+0") << "acFitToWindow" << QKeySequence(Qt::CTRL | Qt::Key_0);
    QTest::newRow("help, F1") << "AcHelp" << QKeySequence(Qt::Key_F1);
    // The platform's quit key, where it has one.
    for (const QKeySequence &quit : QKeySequence::keyBindings(QKeySequence::Quit))
        QTest::newRow(qPrintable("exit, " + quit.toString())) << "acExit" << quit;
    // The program's own shortcuts still work.
    QTest::newRow("open, Ctrl+O") << "acFileOpen" << QKeySequence(Qt::CTRL | Qt::Key_O);
    QTest::newRow("index, Ctrl+F9") << "AcGetBeautyIndex" << QKeySequence(Qt::CTRL | Qt::Key_F9);
}

void TestViewerConventions::keysReachTheirActions()
{
    QFETCH(QString, name);
    QFETCH(QKeySequence, key);
    TestSupport::TShellRecorder shell; // Help opens the help document
    TOpenDialog::setHook([](const QStringList &, const QString &) { return QString(); });
    const auto noDialog = qScopeGuard([] { TOpenDialog::setHook({}); });
    QList<QSignalSpy *> spies;
    const QStringList names{"acZoomIn", "acZoomOut", "acActualPixels", "acFitToWindow", "AcHelp", "acExit",
                            "acFileOpen", "AcGetBeautyIndex"};
    for (const QString &each : names)
        spies << new QSignalSpy(action(each), &QAction::triggered);
    const auto cleanUp = qScopeGuard([&spies] { qDeleteAll(spies); });

    QTest::keySequence(view(), key);
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(spies.at(i)->count(), names.at(i) == name ? 1 : 0);
}

void TestViewerConventions::fixedShortcutsComeFirst_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<QKeySequence>>("keys");
    QTest::newRow("open") << "acFileOpen" << QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_O)};
    QTest::newRow("index") << "AcGetBeautyIndex" << QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_F9)};
    QTest::newRow("copy") << "acEditCopy" << QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_C)};
    QTest::newRow("paste") << "acEditPaste" << QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_V)};
    QTest::newRow("fit") << "acFitToWindow" << QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_0)};
    QTest::newRow("zoom in") << "acZoomIn"
                             << (QKeySequence::keyBindings(QKeySequence::ZoomIn)
                                 << QKeySequence(Qt::CTRL | Qt::Key_Equal));
    QTest::newRow("zoom out") << "acZoomOut" << QKeySequence::keyBindings(QKeySequence::ZoomOut);
    QTest::newRow("actual") << "acActualPixels" << QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_1)};
    QTest::newRow("exit") << "acExit" << QKeySequence::keyBindings(QKeySequence::Quit);
    QTest::newRow("help") << "AcHelp" << QKeySequence::keyBindings(QKeySequence::HelpContents);
    QTest::newRow("import") << "acImportFoto" << QList<QKeySequence>{};
    QTest::newRow("hand") << "acHandTool" << QList<QKeySequence>{};
}

void TestViewerConventions::fixedShortcutsComeFirst()
{
    QFETCH(QString, name);
    QFETCH(QList<QKeySequence>, keys);
    QCOMPARE(action(name)->shortcuts(), keys);
    // The menu item shows the first one.
    QCOMPARE(action(name)->shortcut(), keys.value(0));
}

// ---------------------------------------------------------------------------
// Zoom field

void TestViewerConventions::zoomFieldFollowsEveryChange()
{
    QLabel *field = zoomField();
    QVERIFY(field);
    QCOMPARE(field->text(), QStringLiteral("100 %"));
    QTest::keyClick(view(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(field->text(), QStringLiteral("120 %"));
    QTest::keyClick(view(), Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(field->text(), QStringLiteral("100 %"));
    for (int i = 0; i < 5; ++i)
        action(QStringLiteral("acZoomOut"))->trigger();
    QCOMPARE(field->text(), QStringLiteral("0.10 %"));
    // A wheel notch away from the user lifts it to the wheel's floor.
    QWheelEvent notch(QPointF(50, 50), view()->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view()->viewport(), &notch);
    QCOMPARE(field->text(), QStringLiteral("20 %"));
    view()->SetScale(0.5743f);
    QCOMPARE(field->text(), QStringLiteral("57 %"));
}

void TestViewerConventions::zoomFieldLeavesTheHintAlone()
{
    QStatusBar *bar = FForm->statusBar();
    QLabel *field = zoomField();
    QCOMPARE(field->parentWidget(), bar);
    // At the right end of the bar.
    QVERIFY(field->geometry().right() >= bar->width() - 12);
    bar->showMessage(QStringLiteral("Enlarges the photo"));
    QTest::keyClick(view(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(bar->currentMessage(), QStringLiteral("Enlarges the photo"));
    QCOMPARE(field->text(), QStringLiteral("120 %"));
}

// ---------------------------------------------------------------------------
// Drag and drop

void TestViewerConventions::dropOpensAsFileOpen_data()
{
    QTest::addColumn<QStringList>("addresses"); // "photo:WxH" names a photo written for the row
    QTest::addColumn<QSize>("opened");          // empty: the photo in the view stays
    QTest::newRow("one photo") << QStringList{"photo:120x80"} << QSize(120, 80);
    QTest::newRow("several: the first") << QStringList{"photo:64x48", "photo:30x30", "photo:10x90"} << QSize(64, 48);
    QTest::newRow("web address") << QStringList{"https://example.org/face.jpg"} << QSize();
    QTest::newRow("web address first") << QStringList{"https://example.org/face.jpg", "photo:64x48"} << QSize();
    QTest::newRow("folder") << QStringList{"folder"} << QSize();
    QTest::newRow("file that is gone") << QStringList{"gone.bmp"} << QSize();
    QTest::newRow("nothing") << QStringList{} << QSize();
}

void TestViewerConventions::dropOpensAsFileOpen()
{
    QFETCH(QStringList, addresses);
    QFETCH(QSize, opened);
    FForm->acFileOpenAccept(writePhoto(QSize(7, 5)));
    QList<QUrl> urls;
    for (const QString &address : std::as_const(addresses)) {
        if (address.startsWith(QLatin1String("photo:"))) {
            const QStringList wh = address.mid(6).split(QLatin1Char('x'));
            urls << QUrl::fromLocalFile(writePhoto(QSize(wh.at(0).toInt(), wh.at(1).toInt())));
        } else if (address.contains(QLatin1String("://"))) {
            urls << QUrl(address);
        } else {
            urls << QUrl::fromLocalFile(address == QLatin1String("folder") ? FFiles->path() : FFiles->filePath(address));
        }
    }
    // Dropped on the photo view, the drop reaches the window.
    QCOMPARE(TestSupport::dropUrls(view()->viewport(), urls), opened.isValid());
    if (opened.isValid()) {
        QTRY_COMPARE(view()->Photo().PixelSize(), opened);
    } else {
        QCoreApplication::processEvents();
        QCOMPARE(view()->Photo().PixelSize(), QSize(7, 5));
    }
    QVERIFY(FMessages->messages().isEmpty());
}

void TestViewerConventions::dropOfUnreadableFileReportsAndKeepsPhoto()
{
    FForm->acFileOpenAccept(writePhoto(QSize(7, 5)));
    const QString broken = FFiles->filePath(QStringLiteral("broken.bmp"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("BM not a bitmap");
    file.close();
    QVERIFY(TestSupport::dropUrls(FForm->centralWidget(), {QUrl::fromLocalFile(broken)}));
    // Reported as a failed File > Open is, once the drop is over.
    QTRY_COMPARE(FMessages->messages().size(), 1);
    QCOMPARE(FMessages->messages().first().text, QStringLiteral("Bitmap image is not valid."));
    QCOMPARE(view()->Photo().PixelSize(), QSize(7, 5));
}

// ---------------------------------------------------------------------------
// Status bar

// The pointer rests on the toolbar's Open button, whose hint is shown; Ctrl+O
// picks a file that cannot be read, and its box comes and goes.
void TestViewerConventions::messageBoxClearsTheStaleHint()
{
    const QString broken = FFiles->filePath(QStringLiteral("broken.bmp"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("BM not a bitmap");
    file.close();
    TOpenDialog::setHook([broken](const QStringList &, const QString &) { return broken; });
    const auto noDialog = qScopeGuard([] { TOpenDialog::setHook({}); });

    auto *toolBar = FForm->findChild<QToolBar *>(QStringLiteral("MainToolBar"));
    QWidget *open = toolBar->widgetForAction(action(QStringLiteral("acFileOpen")));
    QTest::mouseMove(open);
    QTRY_COMPARE(FForm->statusBar()->currentMessage(), action(QStringLiteral("acFileOpen"))->statusTip());
    QVERIFY(!FForm->statusBar()->currentMessage().isEmpty());

    QTest::keyClick(view(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(FMessages->messages().size(), 1);
    QCOMPARE(FForm->statusBar()->currentMessage(), QString());
    // The zoom field is no hint and stays.
    QCOMPARE(zoomField()->text(), QStringLiteral("100 %"));
}

// The program's own application object: it reports a failed command in the
// default error box.
int main(int argc, char *argv[])
{
    TOrvessaApplication app(argc, argv);
    TestViewerConventions test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_viewerconventions.moc"
