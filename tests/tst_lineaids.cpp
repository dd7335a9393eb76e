// The aids for placing the guide lines, through the real main window with
// real mouse and key events on the photo view: the loupe, the end marks of
// the selected line, View > Show All Lines and the status-bar reading.
#include "TestSupport.h"

#include "app/TMainForm.h"
#include "measure/TGuideLine.h"
#include "measure/TGuideLines.h"
#include "measure/TImgView32.h"
#include "measure/TLineAids.h"
#include "measure/TLineMarks.h"
#include "measure/TLineReading.h"
#include "measure/TLoupe.h"
#include "measure/TLoupeGeometry.h"
#include "measure/TSelectionFrame.h"
#include "widgets/TAdvToolPanel.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>

#include <cmath>

namespace {

const QRgb Skin = qRgb(0xE8, 0xC4, 0xA8);

// Red = x, green = y (mod 256): each pixel tells its place.
QImage placePhoto(int width, int height)
{
    QImage photo(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            photo.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, 0x80));
    return photo;
}

bool isMarkRed(QRgb c)
{
    return qRed(c) > 0xC0 && qGreen(c) < 0x60 && qBlue(c) < 0x60;
}

} // namespace

class TestLineAids : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showAllLinesIsACheckableViewItem();
    void showAllLinesDrawsTheOthersFaint_data();
    void showAllLinesDrawsTheOthersFaint();
    void faintLinesTakeNoPresses();
    void endMarksStandAtTheSelectedLinesEnds_data();
    void endMarksStandAtTheSelectedLinesEnds();
    void statusReadsTheSelectedLine_data();
    void statusReadsTheSelectedLine();
    void loupeWhileDragging_data();
    void loupeWhileDragging();
    void loupeWhileTheKeyIsHeld();
    void loupeShowsThePhotoMagnified_data();
    void loupeShowsThePhotoMagnified();

private:
    void loadPhoto(const QImage &photo);
    void pick(int n) { emit FPanel->itemClicked(1, n - 1); }
    QPoint toView(float x, float y) const { return FView->MapToViewF(QPointF(x, y)).toPoint(); }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons);
    void hover(QPoint to) { mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::NoButton); }
    void leaveView();
    QImage shot() const { return FView->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QAction *showAll() const { return FForm->findChild<QAction *>(QStringLiteral("acShowAllLines")); }
    QString status() const { return FForm->statusBar()->currentMessage(); }
    const TLoupe &loupe() const { return FForm->LineAids().Loupe(); }
    // Lines 1, 6 and 3 apart from each other; 3 is current and selected.
    void placeThreeLines();

    TestSupport::TProgramFolderCopy *FFolder = nullptr;
    TestSupport::TMessageRecorder *FMessages = nullptr;
    TMainForm *FForm = nullptr;
    TImgView32 *FView = nullptr;
    TAdvToolPanel *FPanel = nullptr;
    TGuideLine *FLine1 = nullptr;
    TGuideLine *FLine6 = nullptr;
    TGuideLine *FLine3 = nullptr;
};

void TestLineAids::init()
{
    TestSupport::isolateSettings();
    FFolder = new TestSupport::TProgramFolderCopy;
    FMessages = new TestSupport::TMessageRecorder;
    FForm = new TMainForm;
    FForm->resize(900, 700);
    FForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(FForm));
    FForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FForm));
    FView = FForm->findChild<TImgView32 *>(QStringLiteral("Image"));
    FPanel = FForm->findChild<TAdvToolPanel *>(QStringLiteral("ToolPanelMeasure"));
    QVERIFY(FView && FPanel && showAll());
}

void TestLineAids::cleanup()
{
    delete FForm;
    delete FMessages;
    delete FFolder;
}

void TestLineAids::loadPhoto(const QImage &photo)
{
    const QString path = FFolder->path() + QStringLiteral("photo.bmp");
    QVERIFY(photo.save(path));
    FForm->acFileOpenAccept(path);
    QCOMPARE(FView->Photo().PixelSize(), photo.size());
}

void TestLineAids::mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(at), FView->viewport()->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(FView->viewport(), &event);
}

void TestLineAids::leaveView()
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(FView->viewport(), &leave);
}

void TestLineAids::placeThreeLines()
{
    QImage photo(600, 400, QImage::Format_RGB32);
    photo.fill(Skin);
    loadPhoto(photo);
    pick(1);
    FLine1 = FForm->GuideLines()->Selection();
    FLine1->SetLocation({40, 40, 160, 43});
    mouse(QEvent::MouseButtonRelease, toView(0, 0), Qt::LeftButton, Qt::NoButton); // stores it
    pick(6);
    FLine6 = FForm->GuideLines()->Selection();
    FLine6->SetLocation({500, 100, 503, 220});
    mouse(QEvent::MouseButtonRelease, toView(0, 0), Qt::LeftButton, Qt::NoButton);
    pick(3);
    FLine3 = FForm->GuideLines()->Selection();
    FLine3->SetLocation({200, 300, 320, 303});
    mouse(QEvent::MouseButtonRelease, toView(0, 0), Qt::LeftButton, Qt::NoButton);
    QVERIFY(FLine1 && FLine6 && FLine3);
}

void TestLineAids::showAllLinesIsACheckableViewItem()
{
    QAction *action = showAll();
    QVERIFY(action->isCheckable());
    QVERIFY(!action->isChecked());
    QCOMPARE(action->text(), QStringLiteral("Show All Lines"));
    QMenu *view = FForm->findChild<QMenu *>(QStringLiteral("View1"));
    QVERIFY(view->actions().contains(action));
    QCOMPARE(action->property("menuItem").toString(), QStringLiteral("ShowAllLines1"));
    // The later automatic placement switches it on through the window.
    FForm->SetShowAllLines(true);
    QVERIFY(action->isChecked());
    QVERIFY(FForm->LineAids().ShowAllLines());
    FForm->SetShowAllLines(false);
    QVERIFY(!FForm->LineAids().ShowAllLines());
}

void TestLineAids::showAllLinesDrawsTheOthersFaint_data()
{
    QTest::addColumn<QString>("how"); // "", "key", "menu"
    QTest::newRow("off") << QString();
    QTest::newRow("on by Ctrl+Shift+A") << QStringLiteral("key");
    QTest::newRow("on from the View menu") << QStringLiteral("menu");
}

void TestLineAids::showAllLinesDrawsTheOthersFaint()
{
    QFETCH(QString, how);
    placeThreeLines();
    if (how == QLatin1String("key"))
        QTest::keyClick(FForm, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    else if (how == QLatin1String("menu"))
        showAll()->trigger();
    const bool on = !how.isEmpty();
    QCOMPARE(showAll()->isChecked(), on);

    // The hiding rules hold: only the current line is a shown layer.
    QVERIFY(!FLine1->Visible());
    QVERIFY(!FLine6->Visible());
    QVERIFY(FLine3->Visible());
    const TLineMarks &marks = FForm->LineAids().Marks();
    QCOMPARE(marks.FaintLines(), on ? (QList<const TGuideLine *>{FLine1, FLine6}) : QList<const TGuideLine *>{});
    QCOMPARE(marks.LabelledLines().size(), on ? 3 : 0);

    const QImage image = shot();
    // On the faint lines the photo shows through, changed a little; the
    // current line changes it more.
    const auto change = [&](float x, float y) {
        const QRgb c = image.pixel(toView(x, y));
        return std::abs(qRed(c) - qRed(Skin)) + std::abs(qGreen(c) - qGreen(Skin)) + std::abs(qBlue(c) - qBlue(Skin));
    };
    const int faint1 = change(100, 41.5f), faint6 = change(501.5f, 160), shown = change(260, 301.5f);
    QVERIFY(shown > 0);
    if (on) {
        QVERIFY2(faint1 > 0 && faint1 < shown, qPrintable(QStringLiteral("%1 / %2").arg(faint1).arg(shown)));
        QVERIFY(faint6 > 0 && faint6 < shown);
    } else {
        QCOMPARE(faint1, 0);
        QCOMPARE(faint6, 0);
    }
    // Each line's number stands before its start: left of the horizontal
    // lines, above the vertical one. The label box is light.
    const QPoint start = toView(40, 41.5f);
    int labelPixels = 0;
    for (int y = start.y() - 4; y <= start.y() + 4; ++y)
        for (int x = start.x() - 14; x < start.x() - 2; ++x)
            labelPixels += image.pixel(x, y) != Skin;
    QCOMPARE(labelPixels > 0, on);
}

void TestLineAids::faintLinesTakeNoPresses()
{
    placeThreeLines();
    showAll()->trigger();
    const TFloatRect first = FForm->MeasureStore().at(1);
    const TFloatRect third = FForm->MeasureStore().at(3);
    QCOMPARE(FLine1->Location(), first);
    const QPoint onLine1 = toView(100, 41);
    mouse(QEvent::MouseButtonPress, onLine1, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, onLine1 + QPoint(30, 30), Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, onLine1 + QPoint(30, 30), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(FForm->GuideLines()->Selection(), FLine3);
    QCOMPARE(FForm->GuideLines()->CurrentMeasure(), 3);
    QCOMPARE(FLine1->Location(), first);
    QCOMPARE(FForm->MeasureStore().at(1), first);
    QCOMPARE(FForm->MeasureStore().at(3), third);
}

void TestLineAids::endMarksStandAtTheSelectedLinesEnds_data()
{
    QTest::addColumn<int>("measure");
    QTest::addColumn<TFloatRect>("rect");
    QTest::addColumn<float>("scale");
    QTest::newRow("horizontal") << 2 << TFloatRect{100, 80, 220, 83} << 1.0f;
    QTest::newRow("vertical, zoomed") << 8 << TFloatRect{150, 60, 153, 180} << 2.0f;
}

void TestLineAids::endMarksStandAtTheSelectedLinesEnds()
{
    QFETCH(int, measure);
    QFETCH(TFloatRect, rect);
    QFETCH(float, scale);
    QImage photo(400, 300, QImage::Format_RGB32);
    photo.fill(Skin);
    loadPhoto(photo);
    FView->SetScale(scale);
    FView->SetScrollPos(QPointF(0, 0));
    pick(measure);
    TGuideLine *line = FForm->GuideLines()->Selection();
    line->SetLocation(rect);

    const QImage image = shot();
    const QRectF r = line->ViewRect(*FView);
    const std::array<QLineF, 2> marks = TLineReading::EndMarks(r, measure >= 6);
    // Beyond the line's sides, on each mark, some pixel next to it is red.
    for (const QLineF &mark : marks) {
        const QPointF outside = measure >= 6 ? QPointF(mark.x1() + 2, mark.y1()) : QPointF(mark.x1(), mark.y1() + 2);
        bool red = false;
        for (int d = -1; d <= 1; ++d)
            for (int e = -1; e <= 1; ++e)
                red = red || isMarkRed(image.pixel(outside.toPoint() + QPoint(d, e)));
        QVERIFY2(red, qPrintable(QStringLiteral("mark at %1, %2").arg(outside.x()).arg(outside.y())));
    }
    // Away from the ends the line has none.
    const QPoint middleOutside = measure >= 6 ? QPoint(int(r.left()) - 3, int(r.center().y()))
                                              : QPoint(int(r.center().x()), int(r.top()) - 3);
    QVERIFY(!isMarkRed(image.pixel(middleOutside)));
}

void TestLineAids::statusReadsTheSelectedLine_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("during");
    QTest::newRow("english") << QStringLiteral("english.lng") << QStringLiteral("1 · Mouth width · 120.0 px")
                             << QStringLiteral("1 · Mouth width · 150.0 px");
    QTest::newRow("russian") << QStringLiteral("russian.lng") << QStringLiteral("1 · Ширина рта · 120.0 пикс.")
                             << QStringLiteral("1 · Ширина рта · 150.0 пикс.");
}

void TestLineAids::statusReadsTheSelectedLine()
{
    QFETCH(QString, language);
    QFETCH(QString, before);
    QFETCH(QString, during);
    QMenu *languages = FForm->findChild<QMenu *>(QStringLiteral("ItLanguage"));
    const QList<QAction *> items = languages->actions();
    for (QAction *item : items)
        if (item->text() == language)
            item->trigger();
    QImage photo(400, 300, QImage::Format_RGB32);
    photo.fill(Skin);
    loadPhoto(photo);
    pick(1);
    FForm->GuideLines()->Selection()->SetLocation({100, 50, 220, 53});

    hover(toView(30, 200));
    QTRY_COMPARE(status(), before);
    // Dragging the right end: the reading follows before the release.
    mouse(QEvent::MouseButtonPress, toView(219, 51), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, toView(250, 51), Qt::NoButton, Qt::LeftButton);
    QTRY_COMPARE(status(), during);
    mouse(QEvent::MouseButtonRelease, toView(250, 51), Qt::LeftButton, Qt::NoButton);
    // Leaving the view gives the status bar back to the hints.
    leaveView();
    QCOMPARE(status(), QString());
}

void TestLineAids::loupeWhileDragging_data()
{
    QTest::addColumn<QPoint>("grab"); // photo pixels on the line {100, 50, 220, 53}
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("shown");
    QTest::newRow("right end") << QPoint(219, 51) << int(TFrameGeometry::dsBottomRight) << true;
    QTest::newRow("left end") << QPoint(100, 51) << int(TFrameGeometry::dsBottomLeft) << true;
    QTest::newRow("middle edge") << QPoint(160, 51) << int(TFrameGeometry::dsBottom) << true;
    QTest::newRow("moving the whole line") << QPoint(130, 51) << int(TFrameGeometry::dsMove) << false;
}

void TestLineAids::loupeWhileDragging()
{
    QFETCH(QPoint, grab);
    QFETCH(int, state);
    QFETCH(bool, shown);
    QImage photo(400, 300, QImage::Format_RGB32);
    photo.fill(Skin);
    loadPhoto(photo);
    FView->SetScale(2.0f);
    pick(1);
    FForm->GuideLines()->Selection()->SetLocation({100, 50, 220, 53});

    hover(toView(grab.x(), grab.y()));
    QVERIFY(!loupe().Shown());
    const QPoint at = toView(grab.x(), grab.y());
    mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(int(FForm->GuideLines()->Frame()->DragState()), state);
    QCOMPARE(loupe().Shown(), shown);
    const QPoint to = at + QPoint(14, 0);
    mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(loupe().Shown(), shown);
    if (shown) {
        const QRect place = loupe().Placement();
        QVERIFY(!place.isEmpty());
        QVERIFY(FView->ViewportRect().contains(place));
        QVERIFY(!place.contains(to));
        QCOMPARE(loupe().Magnification(), 8.0 * FView->viewport()->devicePixelRatioF());
    }
    mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    QVERIFY(!loupe().Shown());
}

void TestLineAids::loupeWhileTheKeyIsHeld()
{
    QImage photo(400, 300, QImage::Format_RGB32);
    photo.fill(Skin);
    loadPhoto(photo);
    FView->setFocus();
    hover(QPoint(150, 150));
    QTest::keyPress(FView, Qt::Key_Z);
    QVERIFY(loupe().Shown());
    QVERIFY(!loupe().Placement().contains(QPoint(150, 150)));
    // It follows the pointer.
    hover(QPoint(300, 200));
    QVERIFY(!loupe().Placement().contains(QPoint(300, 200)));
    QCOMPARE(loupe().Placement(), TLoupeGeometry::Placement(FView->ViewportRect(), QPoint(300, 200)));
    QTest::keyRelease(FView, Qt::Key_Z);
    QVERIFY(!loupe().Shown());

    // Ctrl+Z is a command, not the loupe.
    QTest::keyPress(FView, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!loupe().Shown());
    QTest::keyRelease(FView, Qt::Key_Z, Qt::ControlModifier);

    // Held while the pointer is elsewhere: none until it comes back.
    QTest::keyPress(FView, Qt::Key_Z);
    leaveView();
    QVERIFY(!loupe().Shown());
    hover(QPoint(100, 100));
    QVERIFY(loupe().Shown());
    QTest::keyRelease(FView, Qt::Key_Z);
    QVERIFY(!loupe().Shown());
}

void TestLineAids::loupeShowsThePhotoMagnified_data()
{
    QTest::addColumn<float>("scale");
    QTest::newRow("actual pixels: x4") << 1.0f;
    QTest::newRow("zoomed in: x8") << 2.0f;
    QTest::newRow("zoomed out: four pixels per photo pixel") << 0.5f;
}

void TestLineAids::loupeShowsThePhotoMagnified()
{
    QFETCH(float, scale);
    const QImage photo = placePhoto(500, 400);
    loadPhoto(photo);
    FView->SetScale(scale);
    const QPoint pointer = toView(200, 150);
    hover(pointer);
    QTest::keyPress(FView, Qt::Key_Z);
    QVERIFY(loupe().Shown());
    const double m = loupe().Magnification() / FView->viewport()->devicePixelRatioF(); // view pixels per photo pixel
    QCOMPARE(m, std::max(4.0 * scale, 4.0 / FView->viewport()->devicePixelRatioF()));

    const QImage image = shot();
    const QRect place = loupe().Placement();
    const QPointF c = TLoupeGeometry::ViewToPhoto(FView->Geometry(), QPointF(pointer));
    const QPointF cross = QPointF(place.topLeft()) + QPointF(place.width() / 2.0, place.height() / 2.0);
    int checked = 0;
    for (int j = -3; j <= 3; ++j)
        for (int k = -3; k <= 3; ++k) {
            // The middle of the block of photo pixel (floor(c) + (k, j)).
            const QPointF p(std::floor(c.x()) + k + 0.5, std::floor(c.y()) + j + 0.5);
            const QPoint v = (cross + (p - c) * m).toPoint();
            if (std::abs(v.x() - cross.x()) < 2 || std::abs(v.y() - cross.y()) < 2)
                continue; // the crosshair
            QCOMPARE(image.pixel(v), photo.pixel(int(std::floor(p.x())), int(std::floor(p.y()))));
            ++checked;
        }
    QVERIFY(checked >= 30);
    // The pixels under the pointer are the view's own, not the loupe's.
    QCOMPARE(image.pixel(pointer + QPoint(2, 2)), photo.pixel(FView->MapToImage(pointer + QPoint(2, 2))));
    QTest::keyRelease(FView, Qt::Key_Z);
}

QTEST_MAIN(TestLineAids)
#include "tst_lineaids.moc"
