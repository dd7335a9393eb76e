// The arithmetic of the line aids without a window: the loupe's
// magnification, placement and sampling, and what the selected line reads.
#include "core/TFloatRect.h"
#include "measure/TLineReading.h"
#include "measure/TLoupeGeometry.h"
#include "measure/TDeviceMapping.h"
#include "measure/TPhotoRenderer.h"
#include "measure/TViewGeometry.h"

#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(TFloatRect)

namespace {

// A photo whose every pixel tells its place: red = x, green = y (mod 256).
QImage placePhoto(QSize size)
{
    QImage photo(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            photo.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, 0x80));
    return photo;
}

} // namespace

class TestLoupeGeometry : public QObject
{
    Q_OBJECT

private slots:
    void magnification_data();
    void magnification();
    void placement_data();
    void placement();
    void placementKeepsThePointerOutside_data();
    void placementKeepsThePointerOutside();
    void viewToPhotoUndoesTheViewMapping_data();
    void viewToPhotoUndoesTheViewMapping();
    void sourceRect_data();
    void sourceRect();
    void samplingShowsThePhotoPointAtTheCentre_data();
    void samplingShowsThePhotoPointAtTheCentre();
    void statusText_data();
    void statusText();
    void endMarks_data();
    void endMarks();
};

void TestLoupeGeometry::magnification_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<qreal>("dpr");
    QTest::addColumn<double>("expected");
    QTest::newRow("actual pixels") << 1.0f << qreal(1) << 4.0;
    QTest::newRow("zoomed in") << 2.5f << qreal(1) << 10.0;
    QTest::newRow("largest wheel zoom") << 20.0f << qreal(1) << 80.0;
    QTest::newRow("zoomed out: four device pixels") << 0.3f << qreal(1) << 4.0;
    QTest::newRow("tiny scale") << 0.05f << qreal(1) << 4.0;
    QTest::newRow("hi-dpi at 1") << 1.0f << qreal(2) << 8.0;
    QTest::newRow("hi-dpi zoomed out") << 0.4f << qreal(2) << 4.0;
}

void TestLoupeGeometry::magnification()
{
    QFETCH(float, scale);
    QFETCH(qreal, dpr);
    QFETCH(double, expected);
    QCOMPARE(TLoupeGeometry::Magnification(scale, dpr), expected);
}

void TestLoupeGeometry::placement_data()
{
    QTest::addColumn<QRect>("viewport");
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QRect>("expected");
    const QRect vp(0, 0, 800, 600);
    QTest::newRow("middle: up and right") << vp << QPoint(400, 300) << QRect(416, 124, 160, 160);
    QTest::newRow("right edge: pushed in, above") << vp << QPoint(790, 300) << QRect(640, 124, 160, 160);
    QTest::newRow("top left corner: right of it") << vp << QPoint(5, 5) << QRect(21, 0, 160, 160);
    QTest::newRow("bottom right corner: above") << vp << QPoint(795, 595) << QRect(640, 419, 160, 160);
    QTest::newRow("top right corner: to the left") << vp << QPoint(790, 10) << QRect(614, 0, 160, 160);
    QTest::newRow("low viewport: a smaller loupe") << QRect(0, 0, 200, 120) << QPoint(100, 60)
                                                   << QRect(0, 0, 96, 96);
    QTest::newRow("no room at all") << QRect(0, 0, 100, 80) << QPoint(50, 40) << QRect();
}

void TestLoupeGeometry::placement()
{
    QFETCH(QRect, viewport);
    QFETCH(QPoint, pointer);
    QFETCH(QRect, expected);
    QCOMPARE(TLoupeGeometry::Placement(viewport, pointer), expected);
}

// Wherever the pointer is, the loupe lies inside the viewport and away
// from the pointer, or is not shown.
void TestLoupeGeometry::placementKeepsThePointerOutside_data()
{
    QTest::addColumn<QRect>("viewport");
    QTest::newRow("window") << QRect(0, 0, 640, 420);
    QTest::newRow("narrow") << QRect(0, 0, 190, 700);
    QTest::newRow("flat") << QRect(0, 0, 900, 70);
}

void TestLoupeGeometry::placementKeepsThePointerOutside()
{
    QFETCH(QRect, viewport);
    int shown = 0;
    for (int y = 0; y < viewport.height(); y += 7)
        for (int x = 0; x < viewport.width(); x += 7) {
            const QRect r = TLoupeGeometry::Placement(viewport, QPoint(x, y));
            if (r.isEmpty())
                continue;
            ++shown;
            QVERIFY2(viewport.contains(r), qPrintable(QStringLiteral("at %1, %2").arg(x).arg(y)));
            const int c = TLoupeGeometry::Clearance;
            QVERIFY2(!r.adjusted(-c, -c, c, c).contains(QPoint(x, y)), qPrintable(QStringLiteral("at %1, %2").arg(x).arg(y)));
            QCOMPARE(r.width(), r.height());
            QVERIFY(r.width() >= TLoupeGeometry::MinDiameter);
        }
    QVERIFY(shown > 0);
}

void TestLoupeGeometry::viewToPhotoUndoesTheViewMapping_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<QPointF>("scroll");
    QTest::newRow("scale 1, scrolled") << 1.0f << QPointF(300, 200);
    QTest::newRow("scale 0.3, centred") << 0.3f << QPointF(0, 0);
    QTest::newRow("scale 7.3, scrolled") << 7.3f << QPointF(1234, 987);
}

void TestLoupeGeometry::viewToPhotoUndoesTheViewMapping()
{
    QFETCH(float, scale);
    QFETCH(QPointF, scroll);
    TViewGeometry g;
    g.SetPhotoSize(QSize(1500, 1000));
    g.SetClientSize(QSize(700, 500), 15);
    g.SetScale(scale);
    g.SetScrollPos(scroll);
    for (const QPointF p : {QPointF(0, 0), QPointF(10.25, 700.5), QPointF(1499.75, 999.5)}) {
        const QPointF back = TLoupeGeometry::ViewToPhoto(g, g.MapToViewF(p));
        QVERIFY2(std::abs(back.x() - p.x()) < 1e-3 && std::abs(back.y() - p.y()) < 1e-3,
                 qPrintable(QStringLiteral("%1, %2").arg(back.x()).arg(back.y())));
    }
}

void TestLoupeGeometry::sourceRect_data()
{
    QTest::addColumn<QPointF>("centre");
    QTest::addColumn<double>("magnification");
    QTest::addColumn<qreal>("dpr");
    QTest::addColumn<QRectF>("expected");
    QTest::newRow("x4") << QPointF(100, 50) << 4.0 << qreal(1) << QRectF(80, 30, 40, 40);
    QTest::newRow("x8 on a 2x screen") << QPointF(100, 50) << 8.0 << qreal(2) << QRectF(80, 30, 40, 40);
    QTest::newRow("x80") << QPointF(10.5, 7.25) << 80.0 << qreal(1) << QRectF(9.5, 6.25, 2, 2);
}

void TestLoupeGeometry::sourceRect()
{
    QFETCH(QPointF, centre);
    QFETCH(double, magnification);
    QFETCH(qreal, dpr);
    QFETCH(QRectF, expected);
    QCOMPARE(TLoupeGeometry::SourceRect(centre, 160, magnification, dpr), expected);
}

// Rendered through the photo renderer as the loupe does, every target
// pixel shows the photo pixel at its top left corner:
// photo x = c.x + (t − cross.x) / m.
void TestLoupeGeometry::samplingShowsThePhotoPointAtTheCentre_data()
{
    QTest::addColumn<QPointF>("centre");
    QTest::addColumn<double>("magnification");
    QTest::newRow("whole point, x4") << QPointF(100, 60) << 4.0;
    QTest::newRow("fractional point, x10") << QPointF(37.4, 81.9) << 10.0;
    QTest::newRow("odd factor, x4.4") << QPointF(150.7, 20.2) << 4.4;
    QTest::newRow("near the top left corner, x8") << QPointF(3.5, 2.25) << 8.0;
    QTest::newRow("near the bottom right corner, x80") << QPointF(199.9, 119.6) << 80.0;
    QTest::newRow("beside the photo") << QPointF(-100, 50) << 4.0;
}

void TestLoupeGeometry::samplingShowsThePhotoPointAtTheCentre()
{
    QFETCH(QPointF, centre);
    QFETCH(double, magnification);
    const QImage photo = placePhoto(QSize(200, 120));
    constexpr int side = 160;
    const TLoupeGeometry::TSampling s = TLoupeGeometry::Sampling(photo.size(), centre, side, magnification);
    QVERIFY(std::abs(s.cross.x() - side / 2.0) <= 0.5 && std::abs(s.cross.y() - side / 2.0) <= 0.5);
    QVERIFY(photo.rect().contains(s.crop) || s.crop.isEmpty());

    const QImage crop = s.crop.isEmpty() ? QImage() : photo.copy(s.crop);
    QImage target(side, side, QImage::Format_RGB32);
    const QRgb background = qRgb(1, 2, 3);
    TPhotoRenderer::Render(crop, TDeviceMapping(s.photoRect, s.ratio, crop.size()), background, target, QPoint(0, 0), target.rect());
    for (int t = 1; t < side; t += 3) {
        // Photo point at the centre of target pixel (t, t), as the view
        // samples its own pixels.
        const double px = centre.x() + (t + 0.5 - s.cross.x()) / magnification;
        const double py = centre.y() + (t + 0.5 - s.cross.y()) / magnification;
        // Skip pixels within a hundredth of a photo pixel of a seam.
        if (std::abs(px - std::round(px)) < 0.01 || std::abs(py - std::round(py)) < 0.01)
            continue;
        const QPoint p(int(std::floor(px)), int(std::floor(py)));
        const QRgb expected = photo.rect().contains(p) ? photo.pixel(p) : background;
        QVERIFY2(target.pixel(t, t) == expected, qPrintable(QStringLiteral("target %1 photo %2, %3").arg(t).arg(px).arg(py)));
    }
}

void TestLoupeGeometry::statusText_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<TFloatRect>("rect");
    QTest::addColumn<QString>("expected");
    const QString english = QStringLiteral("%1 · %2 · %3 px");
    QTest::newRow("horizontal: the width") << english << 1 << QStringLiteral("Mouth width")
                                           << TFloatRect{10, 5, 130.27f, 8} << QStringLiteral("1 · Mouth width · 120.3 px");
    QTest::newRow("vertical: the height") << english << 6 << QStringLiteral("Pupils to chin")
                                          << TFloatRect{10, 5, 13, 205} << QStringLiteral("6 · Pupils to chin · 200.0 px");
    QTest::newRow("last horizontal") << english << 5 << QStringLiteral("Width of one eye")
                                     << TFloatRect{0, 0, 1, 90} << QStringLiteral("5 · Width of one eye · 1.0 px");
    QTest::newRow("last vertical") << english << 11 << QStringLiteral("x")
                                   << TFloatRect{0, 0, 90, 4.04f} << QStringLiteral("11 · x · 4.0 px");
    QTest::newRow("caption trimmed") << english << 2 << QStringLiteral("  Face width  ")
                                     << TFloatRect{-20.5f, 0, 99.5f, 3} << QStringLiteral("2 · Face width · 120.0 px");
    QTest::newRow("caption holding a marker") << english << 3 << QStringLiteral("%3 of %1")
                                              << TFloatRect{0, 0, 7.5f, 3} << QStringLiteral("3 · %3 of %1 · 7.5 px");
    QTest::newRow("russian") << QStringLiteral("%1 · %2 · %3 пикс.") << 7 << QStringLiteral("От рта до подбородка")
                             << TFloatRect{0, 10, 3, 66.66f} << QStringLiteral("7 · От рта до подбородка · 56.7 пикс.");
}

void TestLoupeGeometry::statusText()
{
    QFETCH(QString, form);
    QFETCH(int, n);
    QFETCH(QString, caption);
    QFETCH(TFloatRect, rect);
    QFETCH(QString, expected);
    QCOMPARE(TLineReading::StatusText(form, n, caption, rect), expected);
}

void TestLoupeGeometry::endMarks_data()
{
    QTest::addColumn<QRectF>("viewRect");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<QLineF>("first");
    QTest::addColumn<QLineF>("second");
    const qreal m = TLineReading::MarkReach;
    QTest::newRow("horizontal: standing at both ends")
        << QRectF(10, 20, 100, 3) << false << QLineF(10, 20 - m, 10, 23 + m) << QLineF(110, 20 - m, 110, 23 + m);
    QTest::newRow("vertical: lying at both ends")
        << QRectF(40, 5, 3, 120) << true << QLineF(40 - m, 5, 43 + m, 5) << QLineF(40 - m, 125, 43 + m, 125);
    QTest::newRow("a flipped rectangle") << QRectF(110, 23, -100, -3) << false << QLineF(10, 20 - m, 10, 23 + m)
                                         << QLineF(110, 20 - m, 110, 23 + m);
}

void TestLoupeGeometry::endMarks()
{
    QFETCH(QRectF, viewRect);
    QFETCH(bool, vertical);
    QFETCH(QLineF, first);
    QFETCH(QLineF, second);
    const std::array<QLineF, 2> marks = TLineReading::EndMarks(viewRect, vertical);
    QCOMPARE(marks[0], first);
    QCOMPARE(marks[1], second);
}

QTEST_GUILESS_MAIN(TestLoupeGeometry)
#include "tst_loupegeometry.moc"
