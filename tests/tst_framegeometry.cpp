// Grab zones, drag arithmetic and the Ctrl resize of the selection frame.
#include "measure/TFrameGeometry.h"

#include <QTest>

using namespace TFrameGeometry;

Q_DECLARE_METATYPE(TFloatRect)

class TestFrameGeometry : public QObject
{
    Q_OBJECT

private slots:
    void grabZones_data();
    void grabZones();
    void cursors();
    void drag_data();
    void drag();
    void ctrlResize_data();
    void ctrlResize();
    void proportionalMapping();
};

void TestFrameGeometry::grabZones_data()
{
    QTest::addColumn<QRectF>("view");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("state");

    // A 120 × 3 horizontal line: every point is near both long edges.
    const QRectF hline(100, 100, 120, 3);
    QTest::newRow("hline middle") << hline << QPoint(160, 101) << int(dsBottom);
    QTest::newRow("hline right end") << hline << QPoint(219, 101) << int(dsBottomRight);
    QTest::newRow("hline left end") << hline << QPoint(100, 101) << int(dsBottomLeft);
    QTest::newRow("hline stretch moves") << hline << QPoint(130, 101) << int(dsMove);
    QTest::newRow("hline just outside tolerance") << hline << QPoint(160, 107) << int(dsNone);
    QTest::newRow("hline within tolerance below") << hline << QPoint(160, 106) << int(dsBottom);

    // A 3 × 120 vertical line.
    const QRectF vline(100, 100, 3, 120);
    QTest::newRow("vline middle") << vline << QPoint(101, 160) << int(dsRight);
    QTest::newRow("vline top") << vline << QPoint(101, 100) << int(dsTopRight);
    QTest::newRow("vline bottom") << vline << QPoint(101, 219) << int(dsBottomRight);
    QTest::newRow("vline stretch moves") << vline << QPoint(101, 130) << int(dsMove);

    // A large frame shows every zone on its own.
    const QRectF box(0, 0, 101, 101);
    QTest::newRow("top-left") << box << QPoint(2, 2) << int(dsTopLeft);
    QTest::newRow("top-right") << box << QPoint(98, 1) << int(dsTopRight);
    QTest::newRow("bottom-left") << box << QPoint(0, 100) << int(dsBottomLeft);
    QTest::newRow("bottom-right") << box << QPoint(104, 104) << int(dsBottomRight);
    QTest::newRow("left") << box << QPoint(-4, 50) << int(dsLeft);
    QTest::newRow("right") << box << QPoint(100, 46) << int(dsRight);
    QTest::newRow("top") << box << QPoint(50, 0) << int(dsTop);
    QTest::newRow("bottom") << box << QPoint(54, 100) << int(dsBottom);
    QTest::newRow("inside") << box << QPoint(20, 70) << int(dsMove);
    QTest::newRow("left edge away from middle") << box << QPoint(0, 20) << int(dsMove);
    QTest::newRow("outside") << box << QPoint(-5, 20) << int(dsNone);
    QTest::newRow("fractional rect rounds") << QRectF(0.4, 0.4, 100.2, 100.2) << QPoint(104, 104) << int(dsBottomRight);
}

void TestFrameGeometry::grabZones()
{
    QFETCH(QRectF, view);
    QFETCH(QPoint, point);
    QFETCH(int, state);
    QCOMPARE(int(handleAt(view, point)), state);
}

void TestFrameGeometry::cursors()
{
    QCOMPARE(cursorFor(dsLeft), Qt::SizeHorCursor);
    QCOMPARE(cursorFor(dsRight), Qt::SizeHorCursor);
    QCOMPARE(cursorFor(dsTop), Qt::SizeVerCursor);
    QCOMPARE(cursorFor(dsBottom), Qt::SizeVerCursor);
    QCOMPARE(cursorFor(dsTopLeft), Qt::SizeFDiagCursor);
    QCOMPARE(cursorFor(dsBottomRight), Qt::SizeFDiagCursor);
    QCOMPARE(cursorFor(dsTopRight), Qt::SizeBDiagCursor);
    QCOMPARE(cursorFor(dsBottomLeft), Qt::SizeBDiagCursor);
    QCOMPARE(cursorFor(dsMove), Qt::ArrowCursor);
    QCOMPARE(cursorFor(dsNone), Qt::ArrowCursor);
}

void TestFrameGeometry::drag_data()
{
    QTest::addColumn<TFloatRect>("old");
    QTest::addColumn<int>("state");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<TFloatRect>("expected");

    const TFloatRect r{100, 50, 200, 53};
    QTest::newRow("right side") << r << int(dsRight) << 230.f << 0.f << TFloatRect{100, 50, 230, 53};
    QTest::newRow("left past right stops short") << r << int(dsLeft) << 250.f << 0.f << TFloatRect{199, 50, 200, 53};
    QTest::newRow("right past left stops short") << r << int(dsRight) << 10.f << 0.f << TFloatRect{100, 50, 101, 53};
    QTest::newRow("top past bottom") << r << int(dsTop) << 0.f << 90.f << TFloatRect{100, 52, 200, 53};
    QTest::newRow("bottom past top") << r << int(dsBottom) << 0.f << 0.f << TFloatRect{100, 50, 200, 51};
    QTest::newRow("corner sets both") << r << int(dsTopLeft) << 90.f << 40.f << TFloatRect{90, 40, 200, 53};
    QTest::newRow("bottom-left") << r << int(dsBottomLeft) << 90.f << 60.f << TFloatRect{90, 50, 200, 60};
    QTest::newRow("move keeps size") << r << int(dsMove) << -500.f << 7.5f << TFloatRect{-500, 7.5f, -400, 10.5f};
}

void TestFrameGeometry::drag()
{
    QFETCH(TFloatRect, old);
    QFETCH(int, state);
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(TFloatRect, expected);
    QCOMPARE(dragTo(old, TDragState(state), x, y), expected);
}

void TestFrameGeometry::ctrlResize_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<TFloatRect>("expected");

    const int ctrl = int(Qt::ControlModifier);
    QTest::newRow("ctrl right") << int(dsRight) << 230.f << 0.f << ctrl << TFloatRect{70, 49.5f, 230, 53.5f};
    QTest::newRow("plain right") << int(dsRight) << 230.f << 0.f << 0 << TFloatRect{100, 50, 230, 53};
    QTest::newRow("shift is not ctrl") << int(dsRight) << 230.f << 0.f << int(Qt::ShiftModifier) << TFloatRect{100, 50, 230, 53};
    QTest::newRow("ctrl left") << int(dsLeft) << 120.f << 0.f << ctrl << TFloatRect{120, 49.5f, 180, 53.5f};
    QTest::newRow("ctrl left past centre keeps 4") << int(dsLeft) << 199.f << 0.f << ctrl << TFloatRect{148, 49.5f, 152, 53.5f};
    QTest::newRow("ctrl bottom corner") << int(dsBottomRight) << 210.f << 61.5f << ctrl << TFloatRect{90, 41.5f, 210, 61.5f};
    QTest::newRow("ctrl move is a move") << int(dsMove) << 0.f << 0.f << ctrl << TFloatRect{0, 0, 100, 3};
}

void TestFrameGeometry::ctrlResize()
{
    QFETCH(int, state);
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(int, modifiers);
    QFETCH(TFloatRect, expected);
    const TFloatRect old{100, 50, 200, 53};
    TFloatRect dragged = dragTo(old, TDragState(state), x, y);
    RBResizing(old, dragged, TDragState(state), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(dragged, expected);
}

void TestFrameGeometry::proportionalMapping()
{
    // A frame of 100 photo pixels drawn 200 view pixels wide at view x 50.
    const TFloatRect frame{10, 20, 110, 23};
    const QRectF view(50, 80, 200, 6);
    QCOMPARE(viewToFrame(frame, view, QPointF(150, 83)), QPointF(60, 21.5));
    QCOMPARE(viewToFrame(frame, view, QPointF(50, 80)), QPointF(10, 20));
}

QTEST_GUILESS_MAIN(TestFrameGeometry)
#include "tst_framegeometry.moc"
