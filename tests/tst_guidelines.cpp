// Picking measurements and handling their guide lines through the real main
// window, with real mouse events on the photo view.
#include "TestSupport.h"

#include "app/TMainForm.h"
#include "app/TOrvessaApplication.h"
#include "app/TfrmErrorMsg.h"
#include "measure/TGuideLine.h"
#include "measure/TGuideLines.h"
#include "measure/TImgView32.h"
#include "measure/TSelectionFrame.h"
#include "widgets/TAdvToolPanel.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>

Q_DECLARE_METATYPE(TFloatRect)

namespace {

TFloatRect centredLine(QPoint q, float w, float h)
{
    return {q.x() - w / 2, q.y() - h / 2, q.x() + w / 2, q.y() + h / 2};
}

} // namespace

class TestGuideLines : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void noPhotoRefusesThePick();
    void missingSamplePictureChangesNothing();
    void missingLinePictureLeavesNoLayer();
    void glyphSequences_data();
    void glyphSequences();
    void newLineIsCentredInPhotoPixels_data();
    void newLineIsCentredInPhotoPixels();
    void newLineCentreUsesExclusiveEdges_data();
    void newLineCentreUsesExclusiveEdges();
    void releaseStoresTheDraggedLine_data();
    void releaseStoresTheDraggedLine();
    void moveKeepsTheSize();
    void hiddenLinesTakeNoPresses();
    void restartingAMeasurementSelectsItsLine();
    void pickingSwitchesTheHandToolOff();
    void handToolPansOverTheLines();

private:
    void loadPhoto(int width, int height);
    void pick(int n);
    QPoint toView(float x, float y) const;
    void press(QPoint at, Qt::KeyboardModifiers modifiers = {});
    void move(QPoint to, Qt::KeyboardModifiers modifiers = {});
    void release(QPoint at, Qt::KeyboardModifiers modifiers = {});
    TFloatRect entry(int n) const { return FForm->MeasureStore().at(n); }

    TestSupport::TProgramFolderCopy *FFolder = nullptr;
    TestSupport::TMessageRecorder *FMessages = nullptr;
    TMainForm *FForm = nullptr;
    TImgView32 *FView = nullptr;
    TAdvToolPanel *FPanel = nullptr;
};

void TestGuideLines::init()
{
    TestSupport::isolateSettings();
    FFolder = new TestSupport::TProgramFolderCopy;
    FMessages = new TestSupport::TMessageRecorder;
    FForm = new TMainForm;
    FForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(FForm));
    FView = FForm->findChild<TImgView32 *>(QStringLiteral("Image"));
    FPanel = FForm->findChild<TAdvToolPanel *>(QStringLiteral("ToolPanelMeasure"));
    QVERIFY(FView && FPanel);
}

void TestGuideLines::cleanup()
{
    delete FForm;
    delete FMessages;
    delete FFolder;
}

void TestGuideLines::loadPhoto(int width, int height)
{
    QImage photo(width, height, QImage::Format_RGB32);
    photo.fill(QColor(0xE8, 0xC4, 0xA8));
    const QString path = FFolder->path() + QStringLiteral("photo.bmp");
    QVERIFY(photo.save(path));
    FForm->acFileOpenAccept(path);
    QCOMPARE(FView->Photo().PixelSize(), QSize(width, height));
}

void TestGuideLines::pick(int n)
{
    emit FPanel->itemClicked(1, n - 1);
}

QPoint TestGuideLines::toView(float x, float y) const
{
    return FView->MapToViewF(QPointF(x, y)).toPoint();
}

void TestGuideLines::press(QPoint at, Qt::KeyboardModifiers modifiers)
{
    QTest::mousePress(FView->viewport(), Qt::LeftButton, modifiers, at);
}

void TestGuideLines::move(QPoint to, Qt::KeyboardModifiers modifiers)
{
    QMouseEvent event(QEvent::MouseMove, QPointF(to), FView->viewport()->mapToGlobal(QPointF(to)), Qt::NoButton,
                      Qt::LeftButton, modifiers);
    QApplication::sendEvent(FView->viewport(), &event);
}

void TestGuideLines::release(QPoint at, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseRelease(FView->viewport(), Qt::LeftButton, modifiers, at);
}

void TestGuideLines::noPhotoRefusesThePick()
{
    QAction *hand = FForm->findChild<QAction *>(QStringLiteral("acHandTool"));
    hand->setChecked(true);
    pick(3);
    TfrmErrorMsg *dialog = FForm->findChild<TfrmErrorMsg *>(QStringLiteral("frmErrorMsg"));
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->message(), FForm->LangText(QStringLiteral("errorFileNotOpen")));
    QVERIFY(dialog->message() != QStringLiteral("<UNTRANSLATED>"));
    QCOMPARE(FForm->GuideLines()->CurrentMeasure(), 0);
    QCOMPARE(FPanel->itemImageIndex(1, 2), 0);
    QCOMPARE(FView->LayerCount(), 0);
    QVERIFY(!hand->isChecked());
}

void TestGuideLines::missingSamplePictureChangesNothing()
{
    loadPhoto(400, 300);
    pick(2);
    const QPixmap preview = FForm->findChild<QLabel *>(QStringLiteral("ImgPreview"))->pixmap();
    QVERIFY(QFile::remove(FFolder->path() + QStringLiteral("pic/11.jpg")));
    QVERIFY_THROWS_EXCEPTION(std::exception, pick(11));
    QCOMPARE(FForm->GuideLines()->CurrentMeasure(), 2);
    QCOMPARE(FPanel->itemImageIndex(1, 10), 0);
    QCOMPARE(FPanel->itemImageIndex(1, 1), 1);
    QCOMPARE(FForm->findChild<QLabel *>(QStringLiteral("ImgPreview"))->pixmap().cacheKey(), preview.cacheKey());
    QCOMPARE(entry(11), TFloatRect());
}

void TestGuideLines::missingLinePictureLeavesNoLayer()
{
    loadPhoto(400, 300);
    pick(1);
    QCOMPARE(FView->LayerCount(), 2); // the line and the frame
    QVERIFY(QFile::remove(FFolder->path() + QStringLiteral("pic/vline.jpg")));
    QVERIFY_THROWS_EXCEPTION(std::exception, pick(6));
    QCOMPARE(FView->LayerCount(), 2);
    QCOMPARE(FForm->GuideLines()->CurrentMeasure(), 6);
    QCOMPARE(entry(6), TFloatRect());
    // The previous line is hidden and no longer selected: a release cannot
    // write it anywhere.
    QVERIFY(!FForm->GuideLines()->Selection());
    const TFloatRect first = entry(1);
    press(toView(0, 0));
    release(toView(0, 0));
    QCOMPARE(entry(1), first);
    QCOMPARE(entry(6), TFloatRect());
}

void TestGuideLines::glyphSequences_data()
{
    QTest::addColumn<QList<int>>("picks");
    QTest::addColumn<QList<int>>("glyphs"); // of items 0 to 10
    QTest::newRow("3 then 7") << QList<int>{3, 7} << QList<int>{0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 0};
    QTest::newRow("7 twice") << QList<int>{7, 7} << QList<int>{0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0};
    QTest::newRow("1, 11, 5") << QList<int>{1, 11, 5} << QList<int>{2, 0, 0, 0, 1, 0, 0, 0, 0, 0, 2};
}

void TestGuideLines::glyphSequences()
{
    QFETCH(QList<int>, picks);
    QFETCH(QList<int>, glyphs);
    loadPhoto(400, 300);
    for (int n : picks)
        pick(n);
    for (int i = 0; i < 11; ++i)
        QCOMPARE(FPanel->itemImageIndex(1, i), glyphs.at(i));
    QCOMPARE(FForm->GuideLines()->CurrentMeasure(), picks.last());
    for (int n = 1; n <= 11; ++n)
        QCOMPARE(entry(n) != TFloatRect(), picks.contains(n));
}

void TestGuideLines::newLineIsCentredInPhotoPixels_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<int>("measure");
    QTest::addColumn<float>("w");
    QTest::addColumn<float>("h");
    QTest::newRow("horizontal at 1") << 1.0f << 1 << 120.f << 3.f;
    QTest::newRow("horizontal at 2") << 2.0f << 2 << 120.f << 3.f;
    QTest::newRow("vertical at 2") << 2.0f << 9 << 3.f << 120.f;
}

void TestGuideLines::newLineIsCentredInPhotoPixels()
{
    QFETCH(float, scale);
    QFETCH(int, measure);
    QFETCH(float, w);
    QFETCH(float, h);
    loadPhoto(900, 700);
    FView->SetScale(scale);
    const QRect viewport = FView->ViewportRect();
    // Right and bottom are the exclusive edges, not QRect's last pixels.
    const QPoint q = FView->MapToImage(QPoint((viewport.left() + viewport.left() + viewport.width()) / 2,
                                              (viewport.top() + viewport.top() + viewport.height()) / 2));
    pick(measure);

    // Stored at once, before the user touches the line.
    QCOMPARE(entry(measure), centredLine(q, w, h));
    TGuideLine *line = FForm->GuideLines()->Selection();
    QCOMPARE(line->Location(), entry(measure));
    QCOMPARE(line->Tag(), measure);
    QCOMPARE(line->Opacity(), 70);
    // Fixed in photo pixels: drawn scale times as long on screen.
    const QRectF onScreen = line->ViewRect(*FView);
    QCOMPARE(qRound(std::max(onScreen.width(), onScreen.height())), qRound(120 * scale));
}

void TestGuideLines::newLineCentreUsesExclusiveEdges_data()
{
    QTest::addColumn<QSize>("viewport");
    QTest::addColumn<float>("scale");
    // At scale 1 every view pixel is a photo pixel: an even width or height
    // tells the exclusive edge (150) from the inclusive one (149).
    QTest::newRow("even x even at 1") << QSize(300, 200) << 1.0f;
    QTest::newRow("odd x odd at 1") << QSize(301, 201) << 1.0f;
    QTest::newRow("even x odd at 1") << QSize(300, 201) << 1.0f;
    QTest::newRow("odd x even at 3") << QSize(301, 200) << 3.0f;
}

void TestGuideLines::newLineCentreUsesExclusiveEdges()
{
    QFETCH(QSize, viewport);
    QFETCH(float, scale);
    TImgView32 view;
    QImage photo(2000, 1500, QImage::Format_RGB32);
    photo.fill(Qt::gray);
    view.SetPhoto(TPhoto(photo));
    view.SetScale(scale);
    view.show();
    view.resize(viewport);
    // The photo overflows: the scroll bars take their share of the client.
    view.resize(viewport * 2 - view.ViewportRect().size());
    QCOMPARE(view.ViewportRect(), QRect(QPoint(0, 0), viewport));
    view.SetScrollPos(QPointF(37, 23));

    TMeasureStore store(StoreLength);
    TGuideLines lines(view, store, FFolder->path() + QStringLiteral("pic/"), [] {});
    lines.StartMeasure(1);
    // P = ((0 + W) div 2, (0 + H) div 2).
    const QPoint q = view.MapToImage(QPoint(viewport.width() / 2, viewport.height() / 2));
    QCOMPARE(store.at(1), centredLine(q, 120, 3));
}

void TestGuideLines::releaseStoresTheDraggedLine_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<TFloatRect>("expected");
    // The right end of a 3-pixel line is its bottom-right corner. Dragged at
    // mid-height to x = 230: the right side follows, the bottom goes to the
    // pointer's y (51). With Ctrl the line is resized about the centre it had
    // at the press (150, 51.5): half width 80, half height raised to 2.
    QTest::newRow("plain") << 0 << TFloatRect{100, 50, 230, 51};
    QTest::newRow("ctrl") << int(Qt::ControlModifier) << TFloatRect{70, 49.5f, 230, 53.5f};
}

void TestGuideLines::releaseStoresTheDraggedLine()
{
    QFETCH(int, modifiers);
    QFETCH(TFloatRect, expected);
    loadPhoto(400, 300);
    pick(1);
    TGuideLine *line = FForm->GuideLines()->Selection();
    const TFloatRect start{100, 50, 200, 53};
    line->SetLocation(start);
    // At scale 1 a photo point sits at a whole view pixel.
    QCOMPARE(FView->MapToViewF(QPointF(100, 50)), QPointF(toView(100, 50)));

    const auto mods = Qt::KeyboardModifiers(modifiers);
    press(toView(199, 51), mods);
    QCOMPARE(FForm->GuideLines()->Frame()->DragState(), TFrameGeometry::dsBottomRight);
    move(toView(230, 51), mods);
    QCOMPARE(line->Location(), expected);
    QVERIFY(entry(1) != expected); // dragging alone does not store
    release(toView(230, 51), mods);
    QCOMPARE(entry(1), expected);
}

void TestGuideLines::moveKeepsTheSize()
{
    loadPhoto(400, 300);
    pick(6);
    TGuideLine *line = FForm->GuideLines()->Selection();
    line->SetLocation({100, 50, 103, 170});
    // Between the middle and the ends of the line lies its move zone.
    press(toView(101, 80));
    QCOMPARE(FForm->GuideLines()->Frame()->DragState(), TFrameGeometry::dsMove);
    move(toView(-399, 30));
    release(toView(-399, 30));
    QCOMPARE(entry(6), (TFloatRect{-400, 0, -397, 120}));
}

void TestGuideLines::hiddenLinesTakeNoPresses()
{
    loadPhoto(400, 300);
    pick(1);
    FForm->GuideLines()->Selection()->SetLocation({100, 50, 220, 53});
    release(toView(0, 0));
    const TFloatRect first = entry(1);
    pick(6);
    TGuideLine *second = FForm->GuideLines()->Selection();
    second->SetLocation({300, 100, 303, 220});
    release(toView(0, 0));
    const TFloatRect sixth = entry(6);

    // A press where the hidden line of measurement 1 lies.
    press(toView(130, 51));
    release(toView(130, 51));
    QCOMPARE(FForm->GuideLines()->Selection(), second);
    QCOMPARE(entry(1), first);
    QCOMPARE(entry(6), sixth);
}

void TestGuideLines::restartingAMeasurementSelectsItsLine()
{
    loadPhoto(400, 300);
    pick(1);
    TGuideLine *first = FForm->GuideLines()->Selection();
    pick(6);
    const TFloatRect sixth = entry(6);
    pick(1);
    QCOMPARE(FForm->GuideLines()->Selection(), first);
    QVERIFY(first->Visible());
    QCOMPARE(FView->LayerCount(), 3); // no second line for measurement 1

    first->SetLocation({10, 10, 130, 13});
    press(toView(0, 0));
    release(toView(0, 0));
    QCOMPARE(entry(1), (TFloatRect{10, 10, 130, 13}));
    QCOMPARE(entry(6), sixth);
}

void TestGuideLines::pickingSwitchesTheHandToolOff()
{
    loadPhoto(400, 300);
    QAction *hand = FForm->findChild<QAction *>(QStringLiteral("acHandTool"));
    hand->trigger();
    QVERIFY(hand->isChecked());
    pick(4);
    QVERIFY(!hand->isChecked());
    // Clicking outside the Measure section switches it off too.
    hand->trigger();
    emit FPanel->itemClicked(0, 0);
    QVERIFY(!hand->isChecked());
}

// The hand tool, while on, gets the presses before the lines: dragging over
// the selected line pans the photo and leaves the line where it was.
void TestGuideLines::handToolPansOverTheLines()
{
    loadPhoto(2000, 1500);
    pick(1);
    TGuideLine *line = FForm->GuideLines()->Selection();
    const TFloatRect placed = line->Location();
    QAction *hand = FForm->findChild<QAction *>(QStringLiteral("acHandTool"));
    hand->trigger();
    QVERIFY(hand->isChecked());
    const QPointF scroll = FView->ScrollPos();
    const QPoint on = toView((placed.Left + placed.Right) / 2, (placed.Top + placed.Bottom) / 2);
    press(on);
    move(on - QPoint(20, 10));
    release(on - QPoint(20, 10));
    QCOMPARE(FView->ScrollPos(), scroll + QPointF(20, 10));
    QCOMPARE(line->Location(), placed);
    QCOMPARE(entry(1), placed);
    QVERIFY(hand->isChecked());

    // Switched off with its button, the same drag no longer pans.
    hand->trigger();
    const QPointF after = FView->ScrollPos();
    press(toView(0, 0));
    move(toView(0, 0) - QPoint(20, 10));
    release(toView(0, 0) - QPoint(20, 10));
    QCOMPARE(FView->ScrollPos(), after);
}

int main(int argc, char *argv[])
{
    TOrvessaApplication app(argc, argv);
    TestGuideLines test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_guidelines.moc"
