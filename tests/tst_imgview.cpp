// The photo view: zoom arithmetic, layout and scrolling (TViewGeometry), the
// nearest-neighbour drawing, layers and mouse dispatch, and the hand tool.

#include "measure/TBitmapLayer.h"
#include "measure/THandTool.h"
#include "measure/TImgView32.h"
#include "measure/TViewGeometry.h"
#include "measure/TViewTool.h"

#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSizeGrip>
#include <QTest>

#include <bit>
#include <cmath>
#include <functional>

namespace {

using TestSupport::Pattern;

enum TZoomStep { ZoomIn, ZoomOut, WheelDown, WheelUp };

float Step(TZoomStep step, float scale)
{
    switch (step) {
    case ZoomIn: return TViewGeometry::ZoomInScale(scale);
    case ZoomOut: return TViewGeometry::ZoomOutScale(scale);
    case WheelDown: return TViewGeometry::WheelDownScale(scale);
    case WheelUp: return TViewGeometry::WheelUpScale(scale);
    }
    return scale;
}

// A geometry with a client area and no scroll-bar thickness unless given.
TViewGeometry Geometry(QSize photo, QSize client, float scale = 1.0f, int bar = 0)
{
    TViewGeometry g;
    g.SetClientSize(client, bar);
    g.SetScale(scale);
    g.SetPhotoSize(photo);
    return g;
}

QImage Render(TImgView32 &view)
{
    QImage out(view.ViewportRect().size(), QImage::Format_RGB32);
    QPainter p(&out);
    view.PaintView(p, view.ViewportRect());
    return out;
}

void SendMouse(TImgView32 &view, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(pos), view.viewport()->mapToGlobal(QPointF(pos)), button, buttons, modifiers);
    QApplication::sendEvent(view.viewport(), &event);
}

// Counts the events of one type that the watched objects receive.
class TEventCounter : public QObject
{
public:
    TEventCounter(QEvent::Type type, QHash<QObject *, int> &counts) : FType(type), FCounts(counts) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == FType)
            ++FCounts[watched];
        return false;
    }

private:
    QEvent::Type FType;
    QHash<QObject *, int> &FCounts;
};

// A layer covering a rectangle of view pixels that writes what it receives.
class TProbeLayer : public TViewLayer
{
public:
    TProbeLayer(QString name, QRect area, QStringList &log, bool takes = true) : FName(std::move(name)), FArea(area), FLog(log)
    {
        SetTakesMousePresses(takes);
    }
    void Paint(QPainter &, const TImgView32 &) override { FLog << FName + " paint"; }
    bool HitTest(const TImgView32 &, QPoint pos) const override { return FArea.contains(pos); }
    std::optional<QCursor> CursorAt(const TImgView32 &, QPoint) const override { return FCursor; }
    void MouseDown(TImgView32 &, Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint pos) override
    {
        FLog << QStringLiteral("%1 down %2,%3").arg(FName).arg(pos.x()).arg(pos.y());
        if (FOnDown)
            FOnDown();
    }
    void MouseMove(TImgView32 &, Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint pos) override
    {
        FLog << QStringLiteral("%1 move %2,%3").arg(FName).arg(pos.x()).arg(pos.y());
    }
    void MouseUp(TImgView32 &, Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint pos) override
    {
        FLog << QStringLiteral("%1 up %2,%3").arg(FName).arg(pos.x()).arg(pos.y());
    }
    std::optional<QCursor> FCursor;
    std::function<void()> FOnDown;

private:
    QString FName;
    QRect FArea;
    QStringList &FLog;
};

// A tool that writes what it gets, with the layer that took the event.
class TProbeTool : public TViewTool
{
public:
    TProbeTool(QString name, QStringList &log) : FName(std::move(name)), FLog(log) {}
    void MouseDown(TImgView32 &, Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint pos,
                   TViewLayer *layer) override
    {
        Write(QStringLiteral("down"), pos, layer);
    }
    void MouseMove(TImgView32 &, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint pos, TViewLayer *layer) override
    {
        Write(QStringLiteral("move"), pos, layer);
    }
    void MouseUp(TImgView32 &, Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint pos,
                 TViewLayer *layer) override
    {
        Write(QStringLiteral("up"), pos, layer);
    }
    void Paint(QPainter &, const TImgView32 &) override { FLog << FName + QStringLiteral(" paint"); }
    // The name of each layer the tool may be given.
    QHash<const TViewLayer *, QString> FLayerNames;

private:
    void Write(const QString &what, QPoint pos, TViewLayer *layer)
    {
        FLog << QStringLiteral("%1 %2 %3,%4 %5")
                    .arg(FName, what)
                    .arg(pos.x())
                    .arg(pos.y())
                    .arg(layer ? FLayerNames.value(layer) : QStringLiteral("none"));
    }

    QString FName;
    QStringList &FLog;
};

} // namespace

class TestImgView : public QObject
{
    Q_OBJECT

private slots:
    // --- Zoom arithmetic -------------------------------------------------------

    void zoomSequences_data()
    {
        QTest::addColumn<float>("start");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("count");
        QTest::addColumn<float>("expected"); // compared bit for bit

        QTest::newRow("zoom out 1") << 1.0f << int(ZoomOut) << 1 << 0.8000000119f;
        QTest::newRow("zoom out 2") << 1.0f << int(ZoomOut) << 2 << 0.6000000238f;
        QTest::newRow("zoom out 3") << 1.0f << int(ZoomOut) << 3 << 0.4000000358f;
        QTest::newRow("zoom out 4") << 1.0f << int(ZoomOut) << 4 << 0.2000000328f;
        QTest::newRow("zoom out 5 floors") << 1.0f << int(ZoomOut) << 5 << 0.001f;
        QTest::newRow("zoom out 6 stays") << 1.0f << int(ZoomOut) << 6 << 0.001f;
        QTest::newRow("zoom in from floor") << 0.001f << int(ZoomIn) << 1 << 0.201f;
        QTest::newRow("zoom in past 20") << 20.0f << int(ZoomIn) << 1 << 20.2f;
        QTest::newRow("wheel at 20.2 reduces") << 20.2f << int(WheelDown) << 1 << 20.0f;
        QTest::newRow("wheel below 0.2 enlarges") << 0.001f << int(WheelUp) << 1 << 0.2f;
        QTest::newRow("wheel at 0.2000000328") << 0.2000000328f << int(WheelUp) << 1 << 0.2f;
        QTest::newRow("wheel 1 notch") << 1.0f << int(WheelDown) << 1 << 1.1f;
        QTest::newRow("wheel 32 notches") << 1.0f << int(WheelDown) << 32 << 20.0f;
        QTest::newRow("wheel 40 notches") << 1.0f << int(WheelDown) << 40 << 20.0f;
        QTest::newRow("wheel back 17 notches") << 1.0f << int(WheelUp) << 17 << 0.2f;
    }
    void zoomSequences()
    {
        QFETCH(float, start);
        QFETCH(int, step);
        QFETCH(int, count);
        QFETCH(float, expected);
        float scale = start;
        for (int i = 0; i < count; ++i)
            scale = Step(TZoomStep(step), scale);
        QCOMPARE(std::bit_cast<quint32>(scale), std::bit_cast<quint32>(expected));
    }

    void wheelNotchesToTheLimits()
    {
        float up = 1.0f, down = 1.0f;
        for (int i = 0; i < 31; ++i)
            down = TViewGeometry::WheelDownScale(down);
        QVERIFY(down < 20.0f);
        QCOMPARE(TViewGeometry::WheelDownScale(down), 20.0f);
        for (int i = 0; i < 16; ++i)
            up = TViewGeometry::WheelUpScale(up);
        QVERIFY(up > 0.2f);
        QCOMPARE(TViewGeometry::WheelUpScale(up), 0.2f);
    }

    // --- Layout ----------------------------------------------------------------

    void layout_data()
    {
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<float>("scale");
        QTest::addColumn<QSize>("displayed");
        QTest::addColumn<bool>("bars");
        QTest::addColumn<QRect>("photoRect");

        // Client 400 x 300, scroll bars 15 thick. A new photo is centred:
        // P = (W div 2) * scale - V / 2; offsets x.5 round to even.
        QTest::newRow("small: centred") << QSize(100, 50) << 1.0f << QSize(100, 50) << false << QRect(150, 125, 100, 50);
        QTest::newRow("odd: half offsets round to even") << QSize(101, 51) << 1.0f << QSize(101, 51) << false
                                                         << QRect(150, 124, 101, 51);
        QTest::newRow("size ties round to even") << QSize(5, 7) << 0.5f << QSize(2, 4) << false << QRect(199, 148, 2, 4);
        QTest::newRow("exact fit: no bars") << QSize(400, 300) << 1.0f << QSize(400, 300) << false << QRect(0, 0, 400, 300);
        QTest::newRow("wide: both bars") << QSize(401, 10) << 1.0f << QSize(401, 10) << true << QRect(-8, 138, 401, 10);
        QTest::newRow("tall: both bars") << QSize(10, 301) << 1.0f << QSize(10, 301) << true << QRect(188, -8, 10, 301);
        QTest::newRow("zoomed: overflow") << QSize(100, 100) << 5.0f << QSize(500, 500) << true << QRect(-58, -108, 500, 500);
        QTest::newRow("empty photo") << QSize(0, 0) << 1.0f << QSize(0, 0) << false << QRect(200, 150, 0, 0);
        QTest::newRow("vanishing scale") << QSize(100, 100) << 0.001f << QSize(0, 0) << false << QRect(200, 150, 0, 0);
    }
    void layout()
    {
        QFETCH(QSize, photo);
        QFETCH(float, scale);
        QFETCH(QSize, displayed);
        QFETCH(bool, bars);
        QFETCH(QRect, photoRect);
        const TViewGeometry g = Geometry(photo, QSize(400, 300), scale, 15);
        QCOMPARE(g.DisplayedSize(), displayed);
        QCOMPARE(g.BarsVisible(), bars);
        QCOMPARE(g.ViewportSize(), bars ? QSize(385, 285) : QSize(400, 300));
        QCOMPARE(g.PhotoRect(), photoRect);
        // Mapping never divides by zero, whatever the sizes.
        Q_UNUSED(g.MapToImage(QPoint(10, 10)));
        Q_UNUSED(g.MapToViewF(QPointF(10, 10)));
    }

    void scrollPositionsAreClamped()
    {
        TViewGeometry g = Geometry(QSize(1000, 800), QSize(400, 300));
        g.SetScrollPos(QPointF(-5, 5000));
        QCOMPARE(g.ScrollPos(), QPointF(0, 500));
        g.ScrollBy(650, -20);
        QCOMPARE(g.ScrollPos(), QPointF(600, 480));
        g.ScrollBy(1, 1);
        QCOMPARE(g.ScrollPos(), QPointF(600, 481));
        QCOMPARE(g.PhotoRect().topLeft(), QPoint(-600, -481));
        g.SetScrollPos(QPointF(10.25, 0));
        QCOMPARE(g.Offset().x(), -10.25);

        // An axis that fits is centred and does not scroll.
        TViewGeometry narrow = Geometry(QSize(100, 1000), QSize(400, 300));
        narrow.SetScrollPos(QPointF());
        narrow.ScrollBy(50, 50);
        QCOMPARE(narrow.ScrollPos(), QPointF(0, 50));
        QCOMPARE(narrow.PhotoRect().topLeft(), QPoint(150, -50));
    }

    // Zooming keeps the photo point at the viewport centre where the photo
    // overflows; a photo that fitted is zoomed about its own centre.
    void zoomKeepsTheCentre_data()
    {
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<QPointF>("scroll");
        QTest::addColumn<float>("from");
        QTest::addColumn<float>("to");
        QTest::newRow("zoom in") << QSize(1000, 800) << QPointF(300, 200) << 1.0f << 2.0f;
        QTest::newRow("zoom out") << QSize(1000, 800) << QPointF(300, 200) << 2.0f << 1.2f;
        QTest::newRow("near the edge") << QSize(1000, 800) << QPointF(0, 500) << 1.0f << 3.0f;
        QTest::newRow("odd scales") << QSize(3001, 2001) << QPointF(777, 333) << 0.6000000238f << 0.8000000119f;
        QTest::newRow("fitting photo") << QSize(100, 80) << QPointF(0, 0) << 1.0f << 10.0f;
    }
    void zoomKeepsTheCentre()
    {
        QFETCH(QSize, photo);
        QFETCH(QPointF, scroll);
        QFETCH(float, from);
        QFETCH(float, to);
        TViewGeometry g = Geometry(photo, QSize(400, 300), from);
        g.SetScrollPos(scroll);
        const QPoint centre(200, 150);
        const QPoint before = g.MapToImage(centre);
        g.SetScale(to);
        const QPoint after = g.MapToImage(centre);
        QVERIFY2(qAbs(after.x() - before.x()) <= 1 && qAbs(after.y() - before.y()) <= 1,
                 qPrintable(QStringLiteral("%1,%2 -> %3,%4").arg(before.x()).arg(before.y()).arg(after.x()).arg(after.y())));
    }

    void newPhotoSizeRecentres()
    {
        TViewGeometry g = Geometry(QSize(1000, 800), QSize(400, 300), 2.0f);
        g.SetScrollPos(QPointF(123, 45));
        g.SetPhotoSize(QSize(1000, 800)); // same size: kept
        QCOMPARE(g.ScrollPos(), QPointF(123, 45));
        g.SetPhotoSize(QSize(1001, 600)); // (500, 300) * 2 - viewport / 2
        QCOMPARE(g.ScrollPos(), QPointF(1000 - 200, 600 - 150));
    }

    void resizeKeepsTheCentre()
    {
        TViewGeometry g = Geometry(QSize(2000, 2000), QSize(400, 300));
        g.SetScrollPos(QPointF(800, 600));
        const QPoint before = g.MapToImage(QPoint(200, 150));
        g.SetClientSize(QSize(600, 500), 0);
        QCOMPARE(g.MapToImage(QPoint(300, 250)), before);
    }

    // --- Mapping ---------------------------------------------------------------

    void mappingFormulas()
    {
        // 300 x 200 at 0.3: DW = 90, SX = round(90 * 65536 / 300) = 19661,
        // RX = round(300 * 65536 / 90) = 218453.
        const TViewGeometry g = Geometry(QSize(300, 200), QSize(400, 300), 0.3f);
        QCOMPARE(g.PhotoToViewRatio(), QPoint(19661, 19661));
        QCOMPARE(g.ViewToPhotoRatio(), QPoint(218453, 218453));
        const QRect r = g.PhotoRect();
        QCOMPARE(r, QRect(155, 120, 90, 60));
        QCOMPARE(g.MapToImage(r.topLeft() + QPoint(45, 30)), QPoint(45 * 218453 / 65536, 30 * 218453 / 65536));
        QCOMPARE(g.MapToImage(r.topLeft() - QPoint(1, 1)), QPoint(-3, -3)); // truncated towards zero
        QCOMPARE(g.MapToViewF(QPointF(100, 50)), QPointF(100 * 19661 / 65536.0 + 155, 50 * 19661 / 65536.0 + 120));
        QCOMPARE(g.MapToView(QPoint(100, 50)), QPoint(155 + 100 * 19661 / 65536, 120 + 50 * 19661 / 65536));
    }

    void mappingRoundTrips_data()
    {
        QTest::addColumn<float>("scale");
        QTest::newRow("1") << 1.0f;
        QTest::newRow("2") << 2.0f;
        QTest::newRow("20") << 20.0f;
        QTest::newRow("0.5") << 0.5f;
        QTest::newRow("1.1") << 1.1f;
    }
    void mappingRoundTrips()
    {
        QFETCH(float, scale);
        TViewGeometry g = Geometry(QSize(640, 480), QSize(400, 300), scale);
        g.SetScrollPos(QPointF(37, 21));
        // At whole scales a photo pixel maps to the first view pixel of its
        // block and back exactly; otherwise the two roundings lose at most 1.
        const int tolerance = scale >= 1 && scale == std::floor(scale) ? 0 : 1;
        for (const QPoint p : {QPoint(0, 0), QPoint(10, 17), QPoint(333, 222), QPoint(639, 479)}) {
            const QPoint back = g.MapToImage(g.MapToView(p));
            QVERIFY2(qAbs(back.x() - p.x()) <= tolerance && qAbs(back.y() - p.y()) <= tolerance,
                     qPrintable(QStringLiteral("%1,%2 -> %3,%4").arg(p.x()).arg(p.y()).arg(back.x()).arg(back.y())));
        }
    }

    // --- The widget --------------------------------------------------------------

    void scrollBarsFollowTheLayout()
    {
        TImgView32 view;
        QCOMPARE(view.objectName(), QStringLiteral("Image"));
        view.resize(400, 300);
        view.show();
        QVERIFY(view.IsPhotoEmpty());
        view.SetPhoto(TPhoto(Pattern(100, 100)));
        QVERIFY(!view.horizontalScrollBar()->isVisible());
        QVERIFY(!view.verticalScrollBar()->isVisible());
        QCOMPARE(view.viewport()->size(), QSize(400, 300));

        view.SetPhoto(TPhoto(Pattern(1000, 100))); // overflows one axis: both bars
        QVERIFY(view.horizontalScrollBar()->isVisible());
        QVERIFY(view.verticalScrollBar()->isVisible());
        QVERIFY(view.findChild<QSizeGrip *>()->isVisible());
        QCOMPARE(view.viewport()->size(), view.ViewportRect().size());
        QCOMPARE(view.horizontalScrollBar()->singleStep(), 8);
        QCOMPARE(view.horizontalScrollBar()->pageStep(), view.ViewportRect().width());
        QCOMPARE(view.horizontalScrollBar()->maximum(), 1000 - view.ViewportRect().width());
        QCOMPARE(view.verticalScrollBar()->maximum(), 0);

        // Moving a bar scrolls the view; scrolling moves the bar.
        view.horizontalScrollBar()->setValue(100);
        QCOMPARE(view.ScrollPos().x(), 100.0);
        view.ScrollBy(50, 0);
        QCOMPARE(view.horizontalScrollBar()->value(), 150);

        view.resize(1200, 300); // the photo fits again
        QVERIFY(!view.horizontalScrollBar()->isVisible());
        QCOMPARE(view.viewport()->size(), QSize(1200, 300));
    }

    // The view draws what QPainter::drawImage draws without smoothing into
    // a silver viewport, on plain and on HiDPI targets. The photo sizes are
    // picked so that photo pixels per device pixel are exact in 16.16 fixed
    // point, where QPainter's floating-point set-up samples exactly.
    void drawsAsQPainterOnSilver_data()
    {
        QTest::addColumn<QSize>("photoSize");
        QTest::addColumn<float>("scale");
        QTest::addColumn<QPointF>("scroll");
        QTest::addColumn<qreal>("ratio");
        const struct
        {
            const char *name;
            QSize photo;
            float scale;
            QPointF scroll;
        } cases[] = {
            {"0.05", QSize(500, 300), 0.05f, QPointF()},
            {"0.25", QSize(500, 300), 0.25f, QPointF()},
            {"0.3", QSize(1706, 853), 0.3f, QPointF(20, 10)},
            {"1", QSize(500, 300), 1.0f, QPointF(33, 44)},
            {"2.5", QSize(205, 51), 2.5f, QPointF(101, 0)},
            {"16", QSize(500, 300), 16.0f, QPointF(1234, 999)},
        };
        for (const auto &c : cases)
            for (const qreal ratio : {1.0, 2.0})
                QTest::addRow("%s x%g", c.name, ratio) << c.photo << c.scale << c.scroll << ratio;
    }
    void drawsAsQPainterOnSilver()
    {
        QFETCH(QSize, photoSize);
        QFETCH(float, scale);
        QFETCH(QPointF, scroll);
        QFETCH(qreal, ratio);
        TImgView32 view;
        view.resize(320, 240);
        view.show();
        const QImage photo = Pattern(photoSize.width(), photoSize.height());
        view.SetPhoto(TPhoto(photo));
        view.SetScale(scale);
        view.SetScrollPos(scroll);

        const QSize device = view.ViewportRect().size() * ratio;
        QImage out(device, QImage::Format_RGB32), expected(device, QImage::Format_RGB32);
        out.setDevicePixelRatio(ratio);
        expected.setDevicePixelRatio(ratio);
        {
            QPainter p(&out);
            view.PaintView(p, view.ViewportRect());
        }
        {
            QPainter p(&expected);
            p.fillRect(view.ViewportRect(), QColor(0xC0, 0xC0, 0xC0));
            p.drawImage(QRectF(view.PhotoRect()), photo, QRectF(photo.rect()));
        }
        for (int y = 0; y < device.height(); ++y)
            for (int x = 0; x < device.width(); ++x)
                if (out.pixel(x, y) != expected.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("device %1,%2").arg(x).arg(y)));
    }

    // The photo is sampled straight into 32-bit targets, through a scratch
    // bitmap into others; both give the same picture, and the direct path
    // keeps to the painter's clip and translation.
    void directAndScratchPathsAgree()
    {
        TImgView32 view;
        view.resize(320, 240);
        view.show();
        view.SetPhoto(TPhoto(Pattern(500, 300)));
        view.SetScale(1.7f);
        view.SetScrollPos(QPointF(77, 33));
        const QImage direct = Render(view);
        QImage other(direct.size(), QImage::Format_RGB888);
        {
            QPainter p(&other);
            view.PaintView(p, view.ViewportRect());
        }
        QCOMPARE(other.convertToFormat(QImage::Format_RGB32), direct);

        QImage clipped(direct.size() + QSize(20, 10), QImage::Format_ARGB32_Premultiplied);
        clipped.fill(Qt::magenta);
        {
            QPainter p(&clipped);
            p.translate(20, 10);
            p.setClipRect(QRect(30, 40, 100, 50));
            view.PaintView(p, view.ViewportRect());
        }
        for (int y = 0; y < clipped.height(); ++y)
            for (int x = 0; x < clipped.width(); ++x) {
                const QPoint v(x - 20, y - 10);
                const QRgb expected = QRect(30, 40, 100, 50).contains(v) ? direct.pixel(v) : QColor(Qt::magenta).rgb();
                if (clipped.pixel(x, y) != expected)
                    QFAIL(qPrintable(QStringLiteral("device %1,%2").arg(x).arg(y)));
            }

        // A widget paint of part of the viewport (the system clip) writes
        // nothing outside that part.
        QImage part(direct.size(), QImage::Format_ARGB32_Premultiplied);
        part.fill(Qt::magenta);
        const QRegion region = QRegion(10, 10, 50, 50) + QRegion(200, 100, 30, 60);
        // (render puts the region's top left corner at the target offset)
        view.viewport()->render(&part, region.boundingRect().topLeft(), region, QWidget::DrawChildren);
        for (int y = 0; y < part.height(); ++y)
            for (int x = 0; x < part.width(); ++x) {
                const QRgb expected = region.contains(QPoint(x, y)) ? direct.pixel(x, y) : QColor(Qt::magenta).rgb();
                if (part.pixel(x, y) != expected)
                    QFAIL(qPrintable(QStringLiteral("widget %1,%2").arg(x).arg(y)));
            }
    }

    // Inside a window the view is painted at its offset there (the painter's
    // device translation), and around it the window is left alone.
    void paintsInPlaceInsideAWindow()
    {
        QWidget window;
        window.resize(400, 300);
        window.setAutoFillBackground(true);
        QPalette palette;
        palette.setColor(QPalette::Window, Qt::magenta);
        window.setPalette(palette);
        auto *view = new TImgView32(&window);
        view->setGeometry(37, 21, 200, 150);
        view->SetPhoto(TPhoto(Pattern(150, 100)));
        window.show();
        const QImage expected = Render(*view);
        const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < shot.height(); y += 2)
            for (int x = 0; x < shot.width(); x += 2) {
                const QPoint v = QPoint(x, y) - view->pos();
                const QRgb want = view->ViewportRect().contains(v) ? expected.pixel(v) : QColor(Qt::magenta).rgb();
                if (shot.pixel(x, y) != want)
                    QFAIL(qPrintable(QStringLiteral("window %1,%2").arg(x).arg(y)));
            }
    }

    // Around the photo the view is silver under a light palette and the
    // palette's dark shade under a dark one, following its palette's changes.
    void backgroundFollowsThePalette()
    {
        QWidget window;
        auto *view = new TImgView32(&window);
        view->resize(200, 150);
        view->SetPhoto(TPhoto(Pattern(20, 10)));
        window.show();
        QPalette dark(QColor(0x30, 0x30, 0x30), QColor(0x30, 0x30, 0x30));
        dark.setColor(QPalette::WindowText, Qt::white);
        QPalette light(QColor(0xEE, 0xEE, 0xEE), QColor(0xEE, 0xEE, 0xEE));
        light.setColor(QPalette::WindowText, Qt::black);
        for (const auto &[palette, colour] : {std::pair{dark, dark.color(QPalette::Dark)},
                                             std::pair{light, QColor(0xC0, 0xC0, 0xC0)}}) {
            window.setPalette(palette);
            QCOMPARE(view->Background(), colour);
            QCOMPARE(Render(*view).pixelColor(2, 2), colour);
        }
    }

    void zoomedPixelsAreBlocks()
    {
        TImgView32 view;
        view.resize(200, 200);
        view.show();
        QImage photo(2, 2, QImage::Format_RGB32);
        photo.setPixel(0, 0, qRgb(255, 0, 0));
        photo.setPixel(1, 0, qRgb(0, 255, 0));
        photo.setPixel(0, 1, qRgb(0, 0, 255));
        photo.setPixel(1, 1, qRgb(255, 255, 0));
        view.SetPhoto(TPhoto(photo));
        view.SetScale(20.0f); // 40 x 40 centred at (80, 80)
        const QImage out = Render(view);
        QCOMPARE(out.pixel(80, 80), qRgb(255, 0, 0));
        QCOMPARE(out.pixel(99, 99), qRgb(255, 0, 0));
        QCOMPARE(out.pixel(100, 99), qRgb(0, 255, 0));
        QCOMPARE(out.pixel(99, 100), qRgb(0, 0, 255));
        QCOMPARE(out.pixel(119, 119), qRgb(255, 255, 0));
        QCOMPARE(out.pixel(120, 119), qRgb(0xC0, 0xC0, 0xC0));
        QCOMPARE(out.pixel(79, 80), qRgb(0xC0, 0xC0, 0xC0));
    }

    void viewCommandsChangeOnlyTheScale()
    {
        TImgView32 view;
        view.resize(300, 200);
        view.show();
        view.ZoomOut();
        QCOMPARE(view.Scale(), 0.8000000119f);
        view.ActualPixels();
        QCOMPARE(view.Scale(), 1.0f);
        view.ZoomIn();
        QCOMPARE(view.Scale(), 1.2f);
        view.ZoomWheelDown();
        QCOMPARE(view.Scale(), float(double(1.2f) * 1.1));
        view.SetScale(-3.0f);
        QCOMPARE(view.Scale(), 0.001f);
        view.ZoomWheelUp();
        QCOMPARE(view.Scale(), 0.2f);
        QVERIFY(view.IsPhotoEmpty()); // zoom works without a photo
    }

    // --- Layers and mouse dispatch --------------------------------------------

    void layerList()
    {
        TImgView32 view;
        QStringList log;
        auto *a = view.AddLayer(std::make_unique<TProbeLayer>("a", QRect(), log));
        auto *b = view.AddLayer(std::make_unique<TProbeLayer>("b", QRect(), log));
        auto *c = view.AddLayer(std::make_unique<TProbeLayer>("c", QRect(), log));
        QCOMPARE(view.LayerCount(), 3);
        QCOMPARE(view.Layer(0), a);
        QCOMPARE(view.IndexOfLayer(c), 2);
        QCOMPARE(a->View(), &view);
        view.BringLayerToTop(a);
        QCOMPARE(view.Layer(0), b);
        QCOMPARE(view.Layer(2), a);
        view.RemoveLayer(c);
        QCOMPARE(view.LayerCount(), 2);
        QCOMPARE(view.IndexOfLayer(c), -1);
        QCOMPARE(view.Layer(5), nullptr);

        // Visible layers paint bottom to top after the photo.
        b->SetVisible(false);
        view.resize(50, 50);
        view.show();
        log.clear();
        Render(view);
        QCOMPARE(log, QStringList{"a paint"});
        b->SetVisible(true);
        log.clear();
        Render(view);
        QCOMPARE(log, (QStringList{"b paint", "a paint"}));
    }

    void pressGoesToTheTopmostTakerAndCaptures()
    {
        TImgView32 view;
        view.resize(300, 200);
        view.show();
        QStringList log;
        auto *bottom = view.AddLayer(std::make_unique<TProbeLayer>("bottom", QRect(0, 0, 300, 200), log));
        auto *middle = view.AddLayer(std::make_unique<TProbeLayer>("middle", QRect(100, 100, 50, 50), log));
        view.AddLayer(std::make_unique<TProbeLayer>("glass", QRect(0, 0, 300, 200), log, false)); // takes none
        middle->SetVisible(false); // hidden layers still take presses
        QSignalSpy downs(&view, &TImgView32::mouseDown);
        QSignalSpy moves(&view, &TImgView32::mouseMove);
        QSignalSpy ups(&view, &TImgView32::mouseUp);
        connect(&view, &TImgView32::mouseDown, this, [&log] { log << QStringLiteral("view down"); });

        SendMouse(view, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(110, 120));
        QCOMPARE(view.MouseCaptureLayer(), middle);
        SendMouse(view, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(5, 5)); // far outside: still middle
        SendMouse(view, QEvent::MouseButtonPress, Qt::RightButton, Qt::LeftButton | Qt::RightButton, QPoint(6, 6));
        SendMouse(view, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::RightButton, QPoint(7, 7));
        QCOMPARE(view.MouseCaptureLayer(), middle); // a button is still held
        SendMouse(view, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, QPoint(8, 8));
        QCOMPARE(view.MouseCaptureLayer(), nullptr);
        QCOMPARE(log, (QStringList{"middle down 110,120", "view down", "middle move 5,5", "middle down 6,6", "view down",
                                   "middle up 7,7", "middle up 8,8"}));
        QCOMPARE(downs.size(), 2);
        QCOMPARE(downs.at(0).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
        QCOMPARE(downs.at(0).at(3).toPoint(), QPoint(110, 120));
        QCOMPARE(downs.at(0).at(4).value<TViewLayer *>(), middle);
        QCOMPARE(moves.at(0).at(4).value<TViewLayer *>(), middle);
        QCOMPARE(ups.at(1).at(4).value<TViewLayer *>(), middle);

        // Outside the middle layer the bottom one takes it; a move without a
        // capture goes to no layer.
        log.clear();
        SendMouse(view, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(10, 10),
                  Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(downs.last().at(4).value<TViewLayer *>(), bottom);
        QCOMPARE(downs.last().at(2).value<Qt::KeyboardModifiers>(), Qt::ShiftModifier | Qt::ControlModifier);
        SendMouse(view, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(10, 10));
        SendMouse(view, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, QPoint(120, 120));
        QCOMPARE(moves.last().at(4).value<TViewLayer *>(), nullptr);
        QCOMPARE(log, (QStringList{"bottom down 10,10", "view down", "bottom up 10,10"}));

        // No taker at all: the signal carries no layer.
        bottom->SetTakesMousePresses(false);
        middle->SetTakesMousePresses(false);
        SendMouse(view, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(120, 120));
        QCOMPARE(downs.last().at(4).value<TViewLayer *>(), nullptr);
        SendMouse(view, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(120, 120));
    }

    void layerRemovedDuringItsPress()
    {
        TImgView32 view;
        view.resize(100, 100);
        view.show();
        QStringList log;
        auto *layer = view.AddLayer(std::make_unique<TProbeLayer>("x", QRect(0, 0, 100, 100), log));
        layer->FOnDown = [&view, layer] { view.RemoveLayer(layer); };
        QSignalSpy downs(&view, &TImgView32::mouseDown);
        SendMouse(view, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(5, 5));
        QCOMPARE(downs.last().at(4).value<TViewLayer *>(), nullptr);
        QCOMPARE(view.MouseCaptureLayer(), nullptr);
        SendMouse(view, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(5, 5));
    }

    void cursorComesFromTheLayerUnderThePointer()
    {
        TImgView32 view;
        view.resize(300, 200);
        view.show();
        QStringList log;
        auto *layer = view.AddLayer(std::make_unique<TProbeLayer>("l", QRect(0, 0, 50, 50), log));
        layer->FCursor = QCursor(Qt::SizeFDiagCursor);
        view.SetViewCursor(Qt::CrossCursor);
        SendMouse(view, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, QPoint(10, 10));
        QCOMPARE(view.viewport()->cursor().shape(), Qt::SizeFDiagCursor);
        SendMouse(view, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, QPoint(100, 100));
        QCOMPARE(view.viewport()->cursor().shape(), Qt::CrossCursor);
        layer->FCursor.reset(); // a layer without an opinion leaves the view's
        SendMouse(view, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, QPoint(10, 10));
        QCOMPARE(view.viewport()->cursor().shape(), Qt::CrossCursor);
    }

    void wheelNotchesAreSignalledAndLeftUnhandled()
    {
        TImgView32 view;
        view.resize(300, 200);
        view.show();
        QSignalSpy down(&view, &TImgView32::mouseWheelDown);
        QSignalSpy up(&view, &TImgView32::mouseWheelUp);
        const auto wheel = [&view](int delta) {
            QWheelEvent event(QPointF(10, 10), view.viewport()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(view.viewport(), &event);
            return event.isAccepted();
        };
        QVERIFY(!wheel(-120)); // towards the user
        QCOMPARE(down.size(), 1);
        QVERIFY(!wheel(240));
        QCOMPARE(up.size(), 2);
        wheel(60); // half notches add up
        QCOMPARE(up.size(), 2);
        wheel(60);
        QCOMPARE(up.size(), 3);
        QCOMPARE(view.Scale(), 1.0f); // zooming is the main window's business
        QCOMPARE(view.ScrollPos(), QPointF());
    }

    void bitmapLayerFollowsZoomAndScroll()
    {
        TImgView32 view;
        view.resize(300, 200);
        view.show();
        view.SetPhoto(TPhoto(Pattern(1000, 1000)));
        QImage line(10, 2, QImage::Format_RGB32);
        line.fill(Qt::black);
        auto *layer = view.AddLayer(std::make_unique<TBitmapLayer>());
        layer->SetPicture(line);
        layer->SetLocation({100.0f, 200.0f, 110.0f, 202.0f});
        layer->SetOpacity(TBitmapLayer::GuideLineOpacity);
        QCOMPARE(layer->Opacity(), 70);
        view.SetScale(2.0f);
        view.SetScrollPos(QPointF(150, 380));
        const QRectF r = layer->ViewRect(view);
        QCOMPARE(r.topLeft(), view.MapToViewF(QPointF(100, 200)));
        QCOMPARE(r.size(), QSizeF(20, 4));
        QVERIFY(layer->HitTest(view, r.center().toPoint()));
        QVERIFY(!layer->HitTest(view, (r.bottomRight() + QPointF(2, 2)).toPoint()));

        // Blended at 70/255 over the photo.
        const QPoint inside = r.center().toPoint();
        const QRgb under = view.Photo().Pixels().pixel(view.MapToImage(inside));
        const QRgb drawn = Render(view).pixel(inside);
        QVERIFY(qAbs(qRed(drawn) - qRed(under) * 185 / 255) <= 2);
        QVERIFY(qAbs(qGreen(drawn) - qGreen(under) * 185 / 255) <= 2);
    }

    // --- Hand tool -------------------------------------------------------------

    void handToolPans()
    {
        TImgView32 view;
        view.resize(300, 200);
        view.show();
        view.SetPhoto(TPhoto(Pattern(1000, 800)));
        QAction action;
        THandTool hand(view, action);
        QVERIFY(!hand.Enabled());
        QCOMPARE(view.Tool(), nullptr);
        view.SetScrollPos(QPointF(100, 100));

        hand.SetEnabled(true);
        QVERIFY(action.isChecked());
        QCOMPARE(view.Tool(), &hand);
        hand.MouseDown(view, Qt::RightButton, Qt::RightButton, {}, QPoint(50, 50), nullptr); // does not pan
        QVERIFY(!hand.Panning());

        hand.MouseDown(view, Qt::LeftButton, Qt::LeftButton, {}, QPoint(50, 50), nullptr);
        QVERIFY(hand.Panning());
        QCOMPARE(view.viewport()->cursor().shape(), Qt::SizeAllCursor);
        hand.MouseMove(view, Qt::LeftButton, {}, QPoint(40, 45), nullptr); // the photo follows the pointer
        QCOMPARE(view.ScrollPos(), QPointF(110, 105));

        // Past the edge the position stops; the last point follows the
        // pointer, so moving back scrolls back at once.
        hand.MouseMove(view, Qt::LeftButton, {}, QPoint(400, 400), nullptr);
        QCOMPARE(view.ScrollPos(), QPointF(0, 0));
        QCOMPARE(hand.LastPanPoint(), QPoint(400, 400));
        hand.MouseMove(view, Qt::LeftButton, {}, QPoint(390, 395), nullptr);
        QCOMPARE(view.ScrollPos(), QPointF(10, 5));

        hand.MouseUp(view, Qt::RightButton, Qt::LeftButton, {}, QPoint(390, 395), nullptr); // only the left release ends it
        QVERIFY(hand.Panning());
        hand.MouseUp(view, Qt::LeftButton, Qt::NoButton, {}, QPoint(390, 395), nullptr);
        QVERIFY(!hand.Panning());
        QCOMPARE(view.viewport()->cursor().shape(), Qt::ArrowCursor);
        hand.MouseMove(view, Qt::NoButton, {}, QPoint(0, 0), nullptr);
        QCOMPARE(view.ScrollPos(), QPointF(10, 5));

        hand.SetEnabled(false);
        QVERIFY(!action.isChecked());
        QCOMPARE(view.Tool(), nullptr);
    }

    // An immediate repaint (each pan move) paints the photo at once; the
    // scroll bars take their new values at once and are painted with the
    // next pass of the event loop.
    void repaintPaintsTheViewportNowAndTheBarsLater()
    {
        TImgView32 view;
        view.resize(300, 200);
        view.SetPhoto(TPhoto(Pattern(1000, 800)));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QApplication::processEvents();
        view.SetScrollPos(QPointF(100, 100));
        QApplication::processEvents();
        QHash<QObject *, int> paints;
        TEventCounter counter(QEvent::Paint, paints);
        QWidget *const watched[] = {view.viewport(), view.horizontalScrollBar(), view.verticalScrollBar()};
        for (QWidget *w : watched)
            w->installEventFilter(&counter);
        view.ScrollBy(10, 5);
        view.Repaint();
        QCOMPARE(paints.value(view.viewport()), 1);
        QCOMPARE(paints.value(view.horizontalScrollBar()), 0);
        QCOMPARE(view.horizontalScrollBar()->value(), 110);
        QCOMPARE(view.verticalScrollBar()->value(), 105);
        QTRY_VERIFY(paints.value(view.horizontalScrollBar()) > 0 && paints.value(view.verticalScrollBar()) > 0);
    }

    // Through real mouse events: the layers get each event first, then the
    // current tool with the layer that took it, taken or not, then the
    // signals. A layer's handler that changes the tool hands that event to
    // the new one.
    void layersComeBeforeTheCurrentTool()
    {
        TImgView32 view;
        view.resize(300, 200);
        view.show();
        QStringList log;
        auto *line = view.AddLayer(std::make_unique<TProbeLayer>(QStringLiteral("line"), QRect(0, 0, 100, 100), log));
        TProbeTool tool(QStringLiteral("tool"), log);
        tool.FLayerNames.insert(line, QStringLiteral("line"));
        view.SetTool(&tool);
        connect(&view, &TImgView32::mouseDown, &view, [&log] { log << QStringLiteral("view down"); });
        connect(&view, &TImgView32::mouseMove, &view, [&log] { log << QStringLiteral("view move"); });
        connect(&view, &TImgView32::mouseUp, &view, [&log] { log << QStringLiteral("view up"); });

        SendMouse(view, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(50, 50));
        SendMouse(view, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(250, 150)); // off the layer: held
        SendMouse(view, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(-5, 400));
        QCOMPARE(log, (QStringList{"line down 50,50", "tool down 50,50 line", "view down", "line move 250,150",
                                   "tool move 250,150 line", "view move", "line up -5,400", "tool up -5,400 line",
                                   "view up"}));

        // Where no layer takes the press the tool still gets it.
        log.clear();
        SendMouse(view, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, QPoint(200, 150));
        SendMouse(view, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, QPoint(200, 150));
        QCOMPARE(log, (QStringList{"tool down 200,150 none", "view down", "tool up 200,150 none", "view up"}));

        // The layer switches to another tool during its press.
        TProbeTool other(QStringLiteral("other"), log);
        other.FLayerNames.insert(line, QStringLiteral("line"));
        line->FOnDown = [&view, &other] { view.SetTool(&other); };
        log.clear();
        SendMouse(view, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(10, 10));
        SendMouse(view, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(10, 10));
        QCOMPARE(log, (QStringList{"line down 10,10", "other down 10,10 line", "view down", "line up 10,10",
                                   "other up 10,10 line", "view up"}));
        view.SetTool(nullptr);
    }

    // Through real mouse events: the hand tool pans whether or not a layer
    // took the press, and a left release outside the view ends the pan.
    void handToolPansOverALayerThatTookThePress_data()
    {
        QTest::addColumn<bool>("layerTakes");
        QTest::newRow("layer takes the press") << true;
        QTest::newRow("no layer") << false;
    }

    void handToolPansOverALayerThatTookThePress()
    {
        QFETCH(bool, layerTakes);
        TImgView32 view;
        view.resize(300, 200);
        view.show();
        view.SetPhoto(TPhoto(Pattern(1000, 800)));
        QStringList log;
        view.AddLayer(std::make_unique<TProbeLayer>(QStringLiteral("line"), QRect(0, 0, 300, 200), log, layerTakes));
        QAction action;
        THandTool hand(view, action);
        hand.SetEnabled(true);

        const QPointF start = view.ScrollPos();
        SendMouse(view, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(100, 100));
        SendMouse(view, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(80, 90));
        QCOMPARE(view.ScrollPos(), start + QPointF(20, 10));
        QCOMPARE(log.filter(QStringLiteral("line down")).size(), layerTakes ? 1 : 0);
        SendMouse(view, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(-500, 900));
        QVERIFY(!hand.Panning());
        SendMouse(view, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, QPoint(60, 60));
        QCOMPARE(view.ScrollPos(), start + QPointF(20, 10));
    }

    // The tool paints last, over every layer.
    void currentToolPaintsLast()
    {
        TImgView32 view;
        view.resize(120, 80);
        view.show();
        view.SetPhoto(TPhoto(Pattern(100, 60)));
        QStringList log;
        view.AddLayer(std::make_unique<TProbeLayer>(QStringLiteral("top"), QRect(0, 0, 10, 10), log));
        TProbeTool tool(QStringLiteral("tool"), log);
        view.SetTool(&tool);
        Render(view);
        QCOMPARE(log, (QStringList{"top paint", "tool paint"}));
        log.clear();
        view.SetTool(nullptr);
        Render(view);
        QCOMPARE(log, QStringList{"top paint"});
    }
};

QTEST_MAIN(TestImgView)
#include "tst_imgview.moc"
