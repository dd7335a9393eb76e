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
    void handToolPress_data();
    void handToolPress();
    void frameCursorsShowWithTheHandTool_data();
    void frameCursorsShowWithTheHandTool();

private:
    void loadPhoto(int width, int height);
    void pick(int n);
    QPoint toView(float x, float y) const;
    void press(QPoint at, Qt::KeyboardModifiers modifiers = {});
    void move(QPoint to, Qt::KeyboardModifiers modifiers = {}, Qt::MouseButtons buttons = Qt::LeftButton);
    void release(QPoint at, Qt::KeyboardModifiers modifiers = {});
    void hover(QPoint to);
    void placeTwoLines();
    TFloatRect entry(int n) const { return FForm->MeasureStore().at(n); }

    TestSupport::TProgramFolderCopy *FFolder = nullptr;
    TestSupport::TMessageRecorder *FMessages = nullptr;
    TMainForm *FForm = nullptr;
    TImgView32 *FView = nullptr;
    TAdvToolPanel *FPanel = nullptr;
    // Set by placeTwoLines.
    QPoint FCentre;               // photo pixels under the viewport's centre
    TFloatRect FBox;              // the selected line, a box whose inside moves it
    TFloatRect FThin;             // the other line, shown but not selected
    TGuideLine *FSelected = nullptr;
    TGuideLine *FOther = nullptr;
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

void TestGuideLines::move(QPoint to, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    QMouseEvent event(QEvent::MouseMove, QPointF(to), FView->viewport()->mapToGlobal(QPointF(to)), Qt::NoButton,
                      buttons, modifiers);
    QApplication::sendEvent(FView->viewport(), &event);
}

void TestGuideLines::release(QPoint at, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseRelease(FView->viewport(), Qt::LeftButton, modifiers, at);
}

// A move with no button held.
void TestGuideLines::hover(QPoint to)
{
    move(to, {}, Qt::NoButton);
}

// A large photo at scale 1, so the view can pan every way. Measurement 6 is
// current and its line, selected, is a 120 x 40 box about the photo point
// under the viewport's centre; the line of measurement 1 is shown again,
// unselected, as a thin line 40 photo pixels below the box. The hand tool
// is off.
void TestGuideLines::placeTwoLines()
{
    loadPhoto(2000, 1500);
    pick(1);
    FOther = FForm->GuideLines()->Selection();
    pick(6);
    FSelected = FForm->GuideLines()->Selection();
    FCentre = FView->MapToImage(FView->ViewportRect().center());
    const float cx = float(FCentre.x());
    const float cy = float(FCentre.y());
    FBox = {cx - 60, cy - 20, cx + 60, cy + 20};
    FThin = {cx - 60, cy + 60, cx + 60, cy + 63};
    FSelected->SetLocation(FBox);
    FOther->SetLocation(FThin);
    FOther->SetVisible(true);
    release(toView(cx, cy - 80)); // stores the box
    QCOMPARE(entry(6), FBox);
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

enum TPressTarget { SelectedLine, OtherLine, EmptyPhoto };

// A left drag of (-20, -10) view pixels. The lines take the press first and
// the hand tool, if still on, gets it after them: a press on the selected
// line both drags it and pans; a press on another line selects it, which
// switches the hand tool off before its turn, so that press does not pan.
void TestGuideLines::handToolPress_data()
{
    QTest::addColumn<bool>("handOn");
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("pans");
    QTest::addColumn<bool>("drags");
    QTest::addColumn<bool>("selectsTheOther");
    QTest::addColumn<bool>("handOnAfter");
    QTest::newRow("hand on, selected line: dragged and panned") << true << int(SelectedLine) << true << true << false << true;
    QTest::newRow("hand on, other line: selected, hand off, no pan")
        << true << int(OtherLine) << false << false << true << false;
    QTest::newRow("hand on, empty photo: panned") << true << int(EmptyPhoto) << true << false << false << true;
    QTest::newRow("hand off, selected line: dragged only") << false << int(SelectedLine) << false << true << false << false;
    QTest::newRow("hand off, empty photo: nothing") << false << int(EmptyPhoto) << false << false << false << false;
}

void TestGuideLines::handToolPress()
{
    QFETCH(bool, handOn);
    QFETCH(int, target);
    QFETCH(bool, pans);
    QFETCH(bool, drags);
    QFETCH(bool, selectsTheOther);
    QFETCH(bool, handOnAfter);
    placeTwoLines();
    QAction *hand = FForm->findChild<QAction *>(QStringLiteral("acHandTool"));
    if (handOn)
        hand->trigger();
    QCOMPARE(hand->isChecked(), handOn);

    const float cx = float(FCentre.x());
    const float cy = float(FCentre.y());
    const QPoint at = target == SelectedLine ? toView(cx, cy)              // inside the box: a move
                    : target == OtherLine    ? toView(cx, FThin.Top + 1.5f)
                                             : toView(cx, cy - 80);
    const QPoint to = at + QPoint(-20, -10);
    QVERIFY(FView->ViewportRect().contains(at) && FView->ViewportRect().contains(to));
    const QPointF scroll = FView->ScrollPos();

    press(at);
    move(to);
    // At scale 1 the dragged line follows the pointer by as many photo
    // pixels; the pan, after the line's step, scrolls by the opposite.
    const TFloatRect dragged{FBox.Left - 20, FBox.Top - 10, FBox.Right - 20, FBox.Bottom - 10};
    QCOMPARE(FSelected->Location(), drags ? dragged : FBox);
    QCOMPARE(FView->ScrollPos(), pans ? scroll + QPointF(20, 10) : scroll);
    release(to);

    QCOMPARE(FForm->GuideLines()->Selection(), selectsTheOther ? FOther : FSelected);
    QCOMPARE(hand->isChecked(), handOnAfter);
    QCOMPARE(FOther->Location(), FThin); // selecting a line does not drag it
    QCOMPARE(entry(6), FSelected->Location()); // only the current measurement's line is stored

    // The release ended any pan: a move without buttons scrolls nothing.
    const QPointF after = FView->ScrollPos();
    hover(at);
    QCOMPARE(FView->ScrollPos(), after);
}

// Without a drag, the frame's cursors show over the selected line's grab
// zones, the hand tool on or off; elsewhere the view's own cursor.
void TestGuideLines::frameCursorsShowWithTheHandTool_data()
{
    QTest::addColumn<bool>("handOn");
    QTest::addColumn<QPointF>("point"); // photo pixels from the photo point under the viewport's centre
    QTest::addColumn<int>("shape");
    for (const bool on : {true, false}) {
        const char *tool = on ? "hand on" : "hand off";
        QTest::addRow("%s, right side", tool) << on << QPointF(59, 0) << int(Qt::SizeHorCursor);
        QTest::addRow("%s, top side", tool) << on << QPointF(0, -20) << int(Qt::SizeVerCursor);
        QTest::addRow("%s, bottom right", tool) << on << QPointF(59, 19) << int(Qt::SizeFDiagCursor);
        QTest::addRow("%s, top right", tool) << on << QPointF(59, -20) << int(Qt::SizeBDiagCursor);
        QTest::addRow("%s, inside", tool) << on << QPointF(-30, 0) << int(Qt::ArrowCursor);
        QTest::addRow("%s, off the line", tool) << on << QPointF(0, -80) << int(Qt::ArrowCursor);
    }
}

void TestGuideLines::frameCursorsShowWithTheHandTool()
{
    QFETCH(bool, handOn);
    QFETCH(QPointF, point);
    QFETCH(int, shape);
    placeTwoLines();
    FForm->findChild<QAction *>(QStringLiteral("acHandTool"))->setChecked(handOn);
    // Start from a cursor no zone shows, so that each row sees a change.
    hover(toView(FCentre.x(), FCentre.y() - 80));
    FView->viewport()->setCursor(Qt::CrossCursor);
    hover(toView(float(FCentre.x() + point.x()), float(FCentre.y() + point.y())));
    QCOMPARE(int(FView->viewport()->cursor().shape()), shape);
}

int main(int argc, char *argv[])
{
    TOrvessaApplication app(argc, argv);
    TestGuideLines test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_guidelines.moc"
