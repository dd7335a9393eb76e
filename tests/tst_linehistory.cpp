// The keyboard, Re-centre Line and the undo history of the guide lines,
// through the real main window with real key and mouse events.
#include "TestSupport.h"

#include "app/TMainForm.h"
#include "app/TOrvessaApplication.h"
#include "measure/TGuideLine.h"
#include "measure/TGuideLines.h"
#include "measure/TImgView32.h"
#include "measure/TSelectionFrame.h"
#include "widgets/TAdvToolPanel.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QRandomGenerator>
#include <QTest>

#include <optional>

Q_DECLARE_METATYPE(TFloatRect)

namespace {

constexpr int Measures = 11;

// Everything a step may change, as the user sees it.
struct TWorld
{
    int current = 0;
    QList<int> glyphs;
    qint64 preview = 0;
    QList<std::optional<TFloatRect>> lines; // of measurements 1 to 11
    QList<TFloatRect> entries;              // store entries 1 to 11

    friend bool operator==(const TWorld &, const TWorld &) = default;
};

QString describe(const std::optional<TFloatRect> &r)
{
    return r ? QStringLiteral("(%1 %2 %3 %4)").arg(r->Left).arg(r->Top).arg(r->Right).arg(r->Bottom)
             : QStringLiteral("-");
}

QString describe(const TWorld &w)
{
    QStringList parts{QStringLiteral("current %1").arg(w.current)};
    for (int i = 0; i < Measures; ++i)
        parts << QStringLiteral("%1:%2 line %3 entry %4")
                     .arg(i + 1)
                     .arg(w.glyphs.value(i))
                     .arg(describe(w.lines.at(i)), describe(w.entries.at(i)));
    return parts.join(QStringLiteral("; "));
}

// One step as the model of the history sees it.
struct TModelStep
{
    QString caption; // "Move Line 4"
    bool key;        // a key step, which merges
    TWorld before;
    TWorld after;
};

} // namespace

class TestLineHistory : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void arrowKeysStepTheLine_data();
    void arrowKeysStepTheLine();
    void tabPicksLikeAClick_data();
    void tabPicksLikeAClick();
    void tabWithoutAPhotoPicksNothing();
    void undoAndRedoEachKindOfStep_data();
    void undoAndRedoEachKindOfStep();
    void keyStepsOfALineMerge();
    void recentreBringsBackALostLine();
    void undoWaitsForTheDragToEnd();
    void captionsFollowTheLanguage();
    void randomSequencesKeepTheStoreConsistent_data();
    void randomSequencesKeepTheStoreConsistent();

private:
    void loadPhoto(int width, int height);
    void pick(int n);
    void focusView();
    void key(int key, Qt::KeyboardModifiers modifiers = {});
    QPoint toView(float x, float y) const;
    // Returns the frame's drag state at the press.
    int drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {});
    QPoint movePoint(const TGuideLine *line) const;
    QPoint endPoint(const TGuideLine *line) const;
    TGuideLine *selection() const { return FForm->GuideLines()->Selection(); }
    TFloatRect entry(int n) const { return FForm->MeasureStore().at(n); }
    QAction *action(const char *name) const
    {
        return FForm->findChild<QAction *>(QString::fromLatin1(name));
    }
    TWorld world() const;
    void verifyConsistent() const;

    TestSupport::TProgramFolderCopy *FFolder = nullptr;
    TestSupport::TMessageRecorder *FMessages = nullptr;
    TMainForm *FForm = nullptr;
    TImgView32 *FView = nullptr;
    TAdvToolPanel *FPanel = nullptr;
};

void TestLineHistory::init()
{
    TestSupport::isolateSettings();
    FFolder = new TestSupport::TProgramFolderCopy;
    FMessages = new TestSupport::TMessageRecorder;
    FForm = new TMainForm;
    FForm->show();
    // The keyboard focus lives in the active window only.
    FForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FForm));
    FView = FForm->findChild<TImgView32 *>(QStringLiteral("Image"));
    FPanel = FForm->findChild<TAdvToolPanel *>(QStringLiteral("ToolPanelMeasure"));
    QVERIFY(FView && FPanel);
}

void TestLineHistory::cleanup()
{
    delete FForm;
    delete FMessages;
    delete FFolder;
}

void TestLineHistory::loadPhoto(int width, int height)
{
    QImage photo(width, height, QImage::Format_RGB32);
    photo.fill(QColor(0xE8, 0xC4, 0xA8));
    const QString path = FFolder->path() + QStringLiteral("photo.bmp");
    QVERIFY(photo.save(path));
    FForm->acFileOpenAccept(path);
}

void TestLineHistory::pick(int n)
{
    emit FPanel->itemClicked(1, n - 1);
}

// A click on the photo away from the line gives the view the focus.
void TestLineHistory::focusView()
{
    const QPoint corner(5, 5);
    QTest::mouseClick(FView->viewport(), Qt::LeftButton, {}, corner);
    QTRY_VERIFY(FView->hasFocus());
}

void TestLineHistory::key(int key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(FView, Qt::Key(key), modifiers);
}

QPoint TestLineHistory::toView(float x, float y) const
{
    return FView->MapToViewF(QPointF(x, y)).toPoint();
}

int TestLineHistory::drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers)
{
    QTest::mousePress(FView->viewport(), Qt::LeftButton, modifiers, from);
    const int state = FForm->GuideLines()->Frame()->DragState();
    QMouseEvent move(QEvent::MouseMove, QPointF(to), FView->viewport()->mapToGlobal(QPointF(to)), Qt::NoButton,
                     Qt::LeftButton, modifiers);
    QApplication::sendEvent(FView->viewport(), &move);
    QTest::mouseRelease(FView->viewport(), Qt::LeftButton, modifiers, to);
    return state;
}

// A quarter along the line: between its middle and its end, where a press
// moves it.
QPoint TestLineHistory::movePoint(const TGuideLine *line) const
{
    const QRectF r = line->ViewRect(*FView);
    return r.width() > r.height() ? QPoint(int(r.left() + r.width() / 4), int(r.center().y()))
                                  : QPoint(int(r.center().x()), int(r.top() + r.height() / 4));
}

// The right or bottom end, where a press resizes it.
QPoint TestLineHistory::endPoint(const TGuideLine *line) const
{
    const QRectF r = line->ViewRect(*FView);
    return r.width() > r.height() ? QPoint(int(r.right()) - 1, int(r.center().y()))
                                  : QPoint(int(r.center().x()), int(r.bottom()) - 1);
}

TWorld TestLineHistory::world() const
{
    TWorld w;
    w.current = FForm->GuideLines()->CurrentMeasure();
    w.preview = FForm->findChild<QLabel *>(QStringLiteral("ImgPreview"))->pixmap().cacheKey();
    for (int n = 1; n <= Measures; ++n) {
        w.glyphs << FPanel->itemImageIndex(1, n - 1);
        const TGuideLine *line = FForm->GuideLines()->LineOf(n);
        w.lines << (line ? std::optional<TFloatRect>(line->Location()) : std::nullopt);
        w.entries << entry(n);
    }
    return w;
}

// Each entry equals its own line; a measurement without a line has the
// empty entry. Only the current measurement's line shows, and it is the
// selection.
void TestLineHistory::verifyConsistent() const
{
    for (int n = 1; n <= Measures; ++n) {
        const TGuideLine *line = FForm->GuideLines()->LineOf(n);
        QVERIFY2(line ? entry(n) == line->Location() : entry(n) == TFloatRect(), qPrintable(QString::number(n)));
        if (line)
            QCOMPARE(line->Visible(), n == FForm->GuideLines()->CurrentMeasure());
    }
    QCOMPARE(selection(), FForm->GuideLines()->LineOf(FForm->GuideLines()->CurrentMeasure()));
}

void TestLineHistory::arrowKeysStepTheLine_data()
{
    QTest::addColumn<int>("measure");
    QTest::addColumn<float>("scale");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QPointF>("shift");   // of the line's top left, photo pixels
    QTest::addColumn<float>("growth");    // of its length, photo pixels
    const int ctrl = int(Qt::ControlModifier);
    const int shift = int(Qt::ShiftModifier);
    QTest::newRow("right at 1") << 1 << 1.0f << int(Qt::Key_Right) << 0 << QPointF(1, 0) << 0.0f;
    QTest::newRow("up at 2") << 1 << 2.0f << int(Qt::Key_Up) << 0 << QPointF(0, -1) << 0.0f;
    QTest::newRow("shift down at 0.5") << 7 << 0.5f << int(Qt::Key_Down) << shift << QPointF(0, 10) << 0.0f;
    QTest::newRow("ctrl shift left shortens") << 2 << 2.0f << int(Qt::Key_Left) << (ctrl | shift) << QPointF(10, 0)
                                              << -20.0f;
    QTest::newRow("ctrl up shortens a vertical") << 9 << 2.0f << int(Qt::Key_Up) << ctrl << QPointF(0, 1) << -2.0f;
    QTest::newRow("ctrl up on a horizontal") << 3 << 1.0f << int(Qt::Key_Up) << ctrl << QPointF(0, 0) << 0.0f;
}

void TestLineHistory::arrowKeysStepTheLine()
{
    QFETCH(int, measure);
    QFETCH(float, scale);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QPointF, shift);
    QFETCH(float, growth);
    loadPhoto(1600, 1200);
    FView->SetScale(scale);
    pick(measure);
    focusView();
    const TFloatRect start = selection()->Location();
    const QPointF scroll = FView->ScrollPos();
    const QRectF onScreen = selection()->ViewRect(*FView);

    this->key(key, Qt::KeyboardModifiers(modifiers));
    const TFloatRect now = selection()->Location();
    const bool vertical = measure >= 6;
    QCOMPARE(QPointF(now.Left, now.Top), QPointF(start.Left, start.Top) + shift);
    const float length = vertical ? now.Bottom - now.Top : now.Right - now.Left;
    const float startLength = vertical ? start.Bottom - start.Top : start.Right - start.Left;
    QCOMPARE(length, startLength + growth);
    QCOMPARE(entry(measure), now); // stored as a release stores
    // One photo pixel is `scale` view pixels on screen; the view does not scroll.
    QCOMPARE(selection()->ViewRect(*FView).topLeft(), onScreen.topLeft() + shift * scale);
    QCOMPARE(FView->ScrollPos(), scroll);
}

void TestLineHistory::tabPicksLikeAClick_data()
{
    QTest::addColumn<QList<int>>("picks");   // panel clicks first
    QTest::addColumn<QList<int>>("keys");    // then Tab (1) or Shift+Tab (-1)
    QTest::addColumn<int>("current");
    QTest::addColumn<QList<int>>("glyphs");
    QTest::newRow("3, tab") << QList<int>{3} << QList<int>{1} << 4 << QList<int>{0, 0, 2, 1, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("3, tab, shift tab") << QList<int>{3} << QList<int>{1, -1} << 3
                                       << QList<int>{0, 0, 1, 2, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("11, tab goes round") << QList<int>{11} << QList<int>{1} << 1
                                        << QList<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2};
    QTest::newRow("1, shift tab goes round") << QList<int>{1} << QList<int>{-1} << 11
                                             << QList<int>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    QTest::newRow("nothing picked, tab") << QList<int>{} << QList<int>{1} << 1
                                         << QList<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
}

void TestLineHistory::tabPicksLikeAClick()
{
    QFETCH(QList<int>, picks);
    QFETCH(QList<int>, keys);
    QFETCH(int, current);
    QFETCH(QList<int>, glyphs);
    loadPhoto(800, 600);
    for (int n : picks)
        pick(n);
    focusView();
    const qint64 preview = world().preview;
    for (int k : keys)
        key(k > 0 ? Qt::Key_Tab : Qt::Key_Backtab, k > 0 ? Qt::NoModifier : Qt::ShiftModifier);
    const TWorld w = world();
    QCOMPARE(w.current, current);
    QCOMPARE(w.glyphs, glyphs);
    QVERIFY(w.preview != preview);
    QVERIFY(entry(current) != TFloatRect()); // the line was made and stored
    QVERIFY(FView->hasFocus());               // the focus did not move on
    verifyConsistent();
}

void TestLineHistory::tabWithoutAPhotoPicksNothing()
{
    focusView();
    key(Qt::Key_Tab);
    QCOMPARE(FForm->GuideLines()->CurrentMeasure(), 0);
    QVERIFY(FMessages->messages().isEmpty());
}

enum TStepKind { DragMove, DragResize, KeyMove, KeyResize, Create, Recentre };

void TestLineHistory::undoAndRedoEachKindOfStep_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::newRow("drag move") << int(DragMove) << "Move Line 4";
    QTest::newRow("ctrl drag resize") << int(DragResize) << "Resize Line 4";
    QTest::newRow("arrow") << int(KeyMove) << "Move Line 4";
    QTest::newRow("ctrl arrow") << int(KeyResize) << "Resize Line 4";
    QTest::newRow("new line") << int(Create) << "Create Line 8";
    QTest::newRow("re-centre") << int(Recentre) << "Re-centre Line 4";
}

void TestLineHistory::undoAndRedoEachKindOfStep()
{
    QFETCH(int, kind);
    QFETCH(QString, name);
    loadPhoto(1600, 1200);
    pick(2);
    pick(4);
    focusView();
    // Off its centre, so that re-centring changes it; a drag, so that the
    // key steps below do not merge with it.
    drag(movePoint(selection()), movePoint(selection()) + QPoint(40, 0));
    key(Qt::Key_Z, Qt::ControlModifier);
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(action("acEditUndo")->text(), QStringLiteral("Undo Move Line 4"));
    QVERIFY(!action("acEditRedo")->isEnabled());
    const TWorld before = world();

    switch (kind) {
    case DragMove: drag(movePoint(selection()), movePoint(selection()) + QPoint(-25, 17)); break;
    case DragResize: drag(endPoint(selection()), endPoint(selection()) + QPoint(30, 0), Qt::ControlModifier); break;
    case KeyMove: key(Qt::Key_Down); break;
    case KeyResize: key(Qt::Key_Left, Qt::ControlModifier); break;
    case Create: pick(8); break;
    case Recentre: action("acRecentreLine")->trigger(); break;
    }
    const TWorld after = world();
    QVERIFY(after != before);
    verifyConsistent();
    QCOMPARE(action("acEditUndo")->text(), QStringLiteral("Undo ") + name);

    key(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY2(world() == before, qPrintable(describe(world())));
    verifyConsistent();
    QCOMPARE(action("acEditRedo")->text(), QStringLiteral("Redo ") + name);
    QVERIFY(action("acEditRedo")->isEnabled());

    key(Qt::Key_Y, Qt::ControlModifier);
    QVERIFY2(world() == after, qPrintable(describe(world())));
    verifyConsistent();
    QVERIFY(!action("acEditRedo")->isEnabled());
    QCOMPARE(action("acEditRedo")->text(), QStringLiteral("Redo"));
}

void TestLineHistory::keyStepsOfALineMerge()
{
    loadPhoto(800, 600);
    pick(1);
    focusView();
    const TFloatRect start = selection()->Location();
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Right);
    key(Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(selection()->Location().Left, start.Left + 13);
    key(Qt::Key_Right, Qt::ControlModifier); // a resize is a step of its own
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(selection()->Location().Left, start.Left + 13);
    QCOMPARE(action("acEditUndo")->text(), QStringLiteral("Undo Move Line 1"));
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(selection()->Location(), start);
    QCOMPARE(entry(1), start);
    QCOMPARE(action("acEditUndo")->text(), QStringLiteral("Undo Create Line 1"));

    // Steps that bring the line back where the run began leave none.
    key(Qt::Key_Left);
    key(Qt::Key_Right);
    QCOMPARE(action("acEditUndo")->text(), QStringLiteral("Undo Create Line 1"));
    // Nor does a key that changes nothing: a line at its shortest.
    selection()->SetLocation({100, 100, 101, 103});
    QTest::mouseClick(FView->viewport(), Qt::LeftButton, {}, QPoint(5, 5)); // stores it
    key(Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(selection()->Location(), (TFloatRect{100, 100, 101, 103}));
    QCOMPARE(action("acEditUndo")->text(), QStringLiteral("Undo Create Line 1"));
}

void TestLineHistory::recentreBringsBackALostLine()
{
    loadPhoto(3000, 2000);
    pick(6);
    const TFloatRect centred = selection()->Location();
    focusView();
    for (int i = 0; i < 200; ++i)
        key(Qt::Key_Right, Qt::ShiftModifier);
    QVERIFY(!selection()->ViewRect(*FView).intersects(QRectF(FView->ViewportRect())));
    // Scrolled elsewhere: the line comes to the centre of what is shown.
    FView->ScrollBy(-150, 90);
    const QPoint q = FView->MapToImage(QPoint(FView->ViewportRect().width() / 2, FView->ViewportRect().height() / 2));
    const TFloatRect lost = selection()->Location();
    action("acRecentreLine")->trigger();
    const TFloatRect back{q.x() - 1.5f, q.y() - 60.0f, q.x() + 1.5f, q.y() + 60.0f};
    QCOMPARE(selection()->Location(), back);
    QCOMPARE(entry(6), back);
    QVERIFY(back != centred);
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(selection()->Location(), lost);
    QCOMPARE(entry(6), lost);
}

void TestLineHistory::undoWaitsForTheDragToEnd()
{
    loadPhoto(800, 600);
    pick(1);
    pick(2);
    const TFloatRect start = selection()->Location();
    const QPoint from = movePoint(selection());
    const QPoint to = from + QPoint(20, 20);
    QTest::mousePress(FView->viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), FView->viewport()->mapToGlobal(QPointF(to)), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(FView->viewport(), &move);
    const TFloatRect dragged = selection()->Location();
    key(Qt::Key_Z, Qt::ControlModifier);
    key(Qt::Key_Right);
    QCOMPARE(selection()->Location(), dragged);
    QCOMPARE(FForm->GuideLines()->CurrentMeasure(), 2);
    QTest::mouseRelease(FView->viewport(), Qt::LeftButton, {}, to);
    QCOMPARE(entry(2), dragged);
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(selection()->Location(), start);
    QCOMPARE(entry(2), start);
}

void TestLineHistory::captionsFollowTheLanguage()
{
    loadPhoto(800, 600);
    pick(5);
    focusView();
    key(Qt::Key_Down);
    QCOMPARE(action("acEditUndo")->text(), QStringLiteral("Undo Move Line 5"));
    QMenu *edit = FForm->findChild<QMenu *>(QStringLiteral("Edit1"));
    QVERIFY(edit);
    QCOMPARE(edit->title(), QStringLiteral("&Edit"));
    QCOMPARE(action("acRecentreLine")->text(), QStringLiteral("Re-centre Line"));

    QMenu *languages = FForm->findChild<QMenu *>(QStringLiteral("ItLanguage"));
    QAction *russian = nullptr;
    for (QAction *item : languages->actions())
        if (item->text() == QStringLiteral("russian.lng"))
            russian = item;
    QVERIFY(russian);
    russian->trigger();
    QCOMPARE(edit->title(), QString::fromUtf8("&Правка"));
    QCOMPARE(action("acEditUndo")->text(), QString::fromUtf8("Отменить перемещение линии 5"));
    QCOMPARE(action("acEditRedo")->text(), QString::fromUtf8("Повторить"));
    QCOMPARE(action("acRecentreLine")->text(), QString::fromUtf8("Вернуть линию в центр"));
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(action("acEditUndo")->text(), QString::fromUtf8("Отменить создание линии 5"));
    QCOMPARE(action("acEditRedo")->text(), QString::fromUtf8("Повторить перемещение линии 5"));
    QCOMPARE(action("acEditUndo")->statusTip(), QString::fromUtf8("Отменяет последнее изменение направляющих линий"));
}

void TestLineHistory::randomSequencesKeepTheStoreConsistent_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 7u, 2026u})
        QTest::addRow("seed %u", seed) << seed;
}

// Random picks, drags, keys, re-centrings, undos and redos, checked against
// a model of the history: an undo brings back the world as it was before
// the step, a redo as it was after; key steps of one line and kind merge.
void TestLineHistory::randomSequencesKeepTheStoreConsistent()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    loadPhoto(1600, 1200);
    focusView();
    QList<TModelStep> steps;
    qsizetype index = 0; // steps before it are done

    const auto record = [&](const QString &caption, bool isKey, const TWorld &before) {
        const TWorld after = world();
        steps.resize(index);
        if (isKey && index > 0 && steps.at(index - 1).key && steps.at(index - 1).caption == caption) {
            steps[index - 1].after = after;
            if (steps.at(index - 1).before == after)
                steps.resize(--index);
            return;
        }
        steps.append({caption, isKey, before, after});
        ++index;
    };

    for (int op = 0; op < 160; ++op) {
        const TWorld before = world();
        const int current = before.current;
        TGuideLine *line = selection();
        const QString n = QString::number(current);
        switch (random.bounded(9)) {
        case 0: { // a pick on the panel
            const int m = int(random.bounded(Measures)) + 1;
            const bool creates = !FForm->GuideLines()->LineOf(m);
            pick(m);
            if (creates)
                record(QStringLiteral("Create Line %1").arg(m), false, before);
            break;
        }
        case 1: { // Tab or Shift+Tab
            const bool forward = random.bounded(2) == 0;
            key(forward ? Qt::Key_Tab : Qt::Key_Backtab, forward ? Qt::NoModifier : Qt::ShiftModifier);
            const int m = world().current;
            if (!before.lines.at(m - 1))
                record(QStringLiteral("Create Line %1").arg(m), false, before);
            break;
        }
        case 2:
        case 3: { // an arrow
            if (!line)
                break;
            const int keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
            const bool ctrl = random.bounded(3) == 0;
            Qt::KeyboardModifiers modifiers = ctrl ? Qt::ControlModifier : Qt::NoModifier;
            if (random.bounded(4) == 0)
                modifiers |= Qt::ShiftModifier;
            key(keys[random.bounded(4)], modifiers);
            if (world() != before)
                record((ctrl ? QStringLiteral("Resize Line ") : QStringLiteral("Move Line ")) + n, true, before);
            break;
        }
        case 4: { // a drag at an end or along the line
            if (!line)
                break;
            const QPoint from = random.bounded(2) ? endPoint(line) : movePoint(line);
            const QPoint to = from + QPoint(int(random.bounded(61)) - 30, int(random.bounded(61)) - 30);
            if (!FView->ViewportRect().contains(from) || !FView->ViewportRect().contains(to))
                break;
            const int state = drag(from, to, random.bounded(2) ? Qt::ControlModifier : Qt::NoModifier);
            if (world() != before)
                record((state == TFrameGeometry::dsMove ? QStringLiteral("Move Line ") : QStringLiteral("Resize Line "))
                           + n,
                       false, before);
            break;
        }
        case 5: // re-centre
            action("acRecentreLine")->trigger();
            if (world() != before)
                record(QStringLiteral("Re-centre Line ") + n, false, before);
            break;
        case 6:
        case 7: // undo
            key(Qt::Key_Z, Qt::ControlModifier);
            if (index > 0) {
                --index;
                QVERIFY2(world() == steps.at(index).before, qPrintable(describe(world())));
            } else {
                QVERIFY(world() == before);
            }
            break;
        case 8: // redo, by either shortcut
            if (random.bounded(2))
                key(Qt::Key_Y, Qt::ControlModifier);
            else
                key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            if (index < steps.size()) {
                QVERIFY2(world() == steps.at(index).after, qPrintable(describe(world())));
                ++index;
            }
            break;
        }
        verifyConsistent();
        QCOMPARE(action("acEditUndo")->isEnabled(), index > 0);
        QCOMPARE(action("acEditRedo")->isEnabled(), index < steps.size());
        if (index > 0)
            QCOMPARE(action("acEditUndo")->text(), QStringLiteral("Undo ") + steps.at(index - 1).caption);
    }
    // Everything undone: back to the start, no line and an empty store.
    while (action("acEditUndo")->isEnabled())
        key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(index > 0 ? steps.first().before : world(), world());
    for (int m = 1; m <= Measures; ++m)
        QCOMPARE(entry(m), TFloatRect());
}

int main(int argc, char *argv[])
{
    TOrvessaApplication app(argc, argv);
    TestLineHistory test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_linehistory.moc"
