// The photo view in device pixels (TDeviceMapping) and the renderer that
// samples the photo per device pixel (TPhotoRenderer), without a window.

#include "measure/TDeviceMapping.h"
#include "measure/TPhotoRenderer.h"
#include "measure/TSampledPhoto.h"
#include "measure/TViewGeometry.h"

#include "TestSupport.h"

#include <QTest>

#include <cmath>
#include <random>

namespace {

using TestSupport::Pattern;

TViewGeometry Geometry(QSize photo, float scale, QPointF scroll = QPointF(), QSize client = QSize(320, 240))
{
    TViewGeometry g;
    g.SetClientSize(client, 0);
    g.SetScale(scale);
    g.SetPhotoSize(photo);
    g.SetScrollPos(scroll);
    return g;
}

constexpr QRgb Silver = 0xFFC0C0C0;

} // namespace

class TestDeviceMapping : public QObject
{
    Q_OBJECT

private slots:
    void photoRectAndStep_data()
    {
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<float>("scale");
        QTest::addColumn<QPointF>("scroll");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QPoint>("step");
        QTest::newRow("1 x1") << QSize(500, 300) << 1.0f << QPointF(33, 44) << 1.0 << QRect(-33, -44, 500, 300)
                              << QPoint(65536, 65536);
        QTest::newRow("1 x2") << QSize(500, 300) << 1.0f << QPointF(33, 44) << 2.0 << QRect(-66, -88, 1000, 600)
                              << QPoint(32768, 32768);
        // 250 x 150 view pixels centred at (35, 45).
        QTest::newRow("0.5 x2") << QSize(500, 300) << 0.5f << QPointF() << 2.0 << QRect(70, 90, 500, 300)
                                << QPoint(65536, 65536);
        // Centred at (110, 94) (109.5 and 94.5 rounded to even); at 1.5 the
        // edges 165, 316.5 -> 317 and 141, 217.5 -> 218.
        QTest::newRow("1 x1.5") << QSize(101, 51) << 1.0f << QPointF() << 1.5 << QRect(165, 141, 152, 77)
                                << QPoint(43547, 43407);
        QTest::newRow("20 x2") << QSize(6000, 4000) << 20.0f << QPointF(60000, 40000) << 2.0
                               << QRect(-120000, -80000, 240000, 160000) << QPoint(1638, 1638);
    }
    void photoRectAndStep()
    {
        QFETCH(QSize, photo);
        QFETCH(float, scale);
        QFETCH(QPointF, scroll);
        QFETCH(qreal, ratio);
        QFETCH(QRect, rect);
        QFETCH(QPoint, step);
        const TDeviceMapping m(Geometry(photo, scale, scroll), ratio);
        QCOMPARE(m.PhotoRect(), rect);
        QCOMPARE(m.Step(), step);
    }

    // Rectangles that meet in view pixels meet in device pixels, also at
    // fractional ratios and left of or above the origin.
    void toDeviceTiles_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("1") << 1.0;
        QTest::newRow("1.25") << 1.25;
        QTest::newRow("1.5") << 1.5;
        QTest::newRow("2") << 2.0;
        QTest::newRow("3") << 3.0;
    }
    void toDeviceTiles()
    {
        QFETCH(qreal, ratio);
        const TDeviceMapping m(Geometry(QSize(10, 10), 1.0f), ratio);
        for (int x = -7; x < 7; ++x) {
            const QRect left = m.ToDevice(QRect(x, x, 1, 3)), right = m.ToDevice(QRect(x + 1, x + 3, 2, 1));
            QCOMPARE(right.left(), left.right() + 1);
            QCOMPARE(right.top(), left.bottom() + 1);
            QCOMPARE(m.ToDevice(QRect(x, 0, 3, 1)).width(), left.width() + right.width());
        }
        QCOMPARE(m.ToDevice(QRect(0, 0, 4, 4)), QRect(0, 0, int(4 * ratio), int(4 * ratio)));
    }

    // Along each axis a photo pixel covers scale x ratio device pixels: photo
    // column p starts within one device pixel of left + p x scale x ratio
    // (the 16.16 step drifts by less than that over the photo), each run of
    // device pixels showing one photo pixel is that long give or take one,
    // and the first and last device pixels show the first and last photo
    // pixels (never beyond, whichever way the step rounds).
    void photoPixelsCoverScaleTimesRatio_data()
    {
        QTest::addColumn<float>("scale");
        QTest::addColumn<qreal>("ratio");
        for (const float scale : {1.0f, 2.5f, 3.0f, 7.0f, 20.0f})
            for (const qreal ratio : {1.0, 1.5, 2.0})
                QTest::addRow("%g x%g", double(scale), ratio) << scale << ratio;
    }
    void photoPixelsCoverScaleTimesRatio()
    {
        QFETCH(float, scale);
        QFETCH(qreal, ratio);
        const QSize photo(97, 61);
        const TDeviceMapping m(Geometry(photo, scale), ratio);
        const QRect r = m.PhotoRect();
        const double cover = double(r.width()) / photo.width();
        QVERIFY(std::abs(cover - double(scale) * ratio) < 0.02);
        QCOMPARE(m.SourceColumn(r.left()), 0);
        QCOMPARE(m.SourceColumn(r.right()), photo.width() - 1);
        QCOMPARE(m.SourceRow(r.top()), 0);
        QCOMPARE(m.SourceRow(r.bottom()), photo.height() - 1);
        int start = r.left();
        for (int x = r.left() + 1; x <= r.right(); ++x) {
            const int p = m.SourceColumn(x);
            if (p == m.SourceColumn(x - 1))
                continue;
            QCOMPARE(p, m.SourceColumn(x - 1) + 1);
            const int run = x - start;
            if (std::abs(x - (r.left() + p * cover)) > 1.0 || run < std::floor(cover) - 1 || run > std::ceil(cover) + 1)
                QFAIL(qPrintable(QStringLiteral("photo column %1 starts at %2 after a run of %3").arg(p).arg(x).arg(run)));
            start = x;
        }
        for (int y = r.top() + 1; y <= r.bottom(); ++y)
            QVERIFY(m.SourceRow(y) - m.SourceRow(y - 1) <= 1);
    }

    // Zoomed out, device pixel d shows the photo pixel under its centre.
    void zoomedOutSamplesCentres_data()
    {
        QTest::addColumn<float>("scale");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("0.5 x1") << 0.5f << 1.0;
        QTest::newRow("0.25 x2") << 0.25f << 2.0;
        QTest::newRow("0.2 x1.5") << 0.2f << 1.5;
        QTest::newRow("0.05 x1") << 0.05f << 1.0;
    }
    void zoomedOutSamplesCentres()
    {
        QFETCH(float, scale);
        QFETCH(qreal, ratio);
        const QSize photo(1000, 800);
        const TDeviceMapping m(Geometry(photo, scale), ratio);
        const QRect r = m.PhotoRect();
        for (int x = r.left(); x <= r.right(); ++x) {
            const double centre = (x - r.left() + 0.5) * photo.width() / r.width();
            if (std::abs(centre - std::round(centre)) > 0.01) // not on an edge between photo pixels
                QCOMPARE(m.SourceColumn(x), int(centre));
        }
        QCOMPARE(m.SourceColumn(r.left()), int(0.5 * photo.width() / r.width() - 1e-9));
    }

    // A device rectangle drawn in parts gives the same pixels as drawn
    // whole, with the photo and the background in their places.
    void partsMatchTheWhole_data()
    {
        QTest::addColumn<float>("scale");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QPointF>("scroll");
        QTest::newRow("0.3 x1.5") << 0.3f << 1.5 << QPointF();
        QTest::newRow("1 x2") << 1.0f << 2.0 << QPointF(40, 30);
        QTest::newRow("2.5 x2") << 2.5f << 2.0 << QPointF(17, 3);
        QTest::newRow("20 x1.25") << 20.0f << 1.25 << QPointF(999, 555);
    }
    void partsMatchTheWhole()
    {
        QFETCH(float, scale);
        QFETCH(qreal, ratio);
        QFETCH(QPointF, scroll);
        const QImage photo = Pattern(300, 200);
        const TDeviceMapping m(Geometry(photo.size(), scale, scroll), ratio);
        const QRect device = m.ToDevice(QRect(0, 0, 320, 240));
        QImage whole(device.size(), QImage::Format_RGB32);
        TPhotoRenderer::Render(photo, m, Silver, whole, QPoint(0, 0), device);
        for (int x = 0; x < device.width(); x += 7)
            for (int y = 0; y < device.height(); y += 5) {
                const QRgb want = m.PhotoRect().contains(x, y) ? photo.pixel(m.SourceColumn(x), m.SourceRow(y)) : Silver;
                QCOMPARE(whole.pixel(x, y), want);
            }

        // Parts drawn into a smaller image placed at an offset.
        std::mt19937 random(int(scale * 100 + ratio * 10));
        for (int i = 0; i < 40; ++i) {
            const int x = int(random() % unsigned(device.width())), y = int(random() % unsigned(device.height()));
            const QRect part = QRect(x, y, 1 + int(random() % 90), 1 + int(random() % 70)) & device;
            const QPoint origin(x - 3, y - 2);
            QImage piece(part.size() + QSize(6, 4), QImage::Format_RGB32);
            piece.fill(Qt::magenta);
            TPhotoRenderer::Render(photo, m, Silver, piece, origin, part);
            for (int py = 0; py < piece.height(); ++py)
                for (int px = 0; px < piece.width(); ++px) {
                    const QPoint d = origin + QPoint(px, py);
                    const QRgb want = part.contains(d) ? whole.pixel(d) : QColor(Qt::magenta).rgb();
                    if (piece.pixel(px, py) != want)
                        QFAIL(qPrintable(QStringLiteral("part %1: device %2,%3").arg(i).arg(d.x()).arg(d.y())));
                }
        }
    }

    // Zoomed out, the photo drawn through its sampled copy gives the pixels
    // drawn straight from the photo: on the first paint, after a scroll
    // (the copy is kept), after another photo of the same size and after a
    // zoom (a new copy each), and when the copy would exceed its limit.
    void sampledCopyDrawsTheSame_data()
    {
        QTest::addColumn<float>("scale");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("photoSize");
        QTest::newRow("0.05") << 0.05f << 1.0 << QSize(3000, 2000);
        QTest::newRow("0.3 x1.5") << 0.3f << 1.5 << QSize(1000, 700);
        QTest::newRow("0.45 x2 odd sizes") << 0.45f << 2.0 << QSize(333, 177);
        QTest::newRow("1 x1.25") << 1.0f << 1.25 << QSize(101, 99);
    }
    void sampledCopyDrawsTheSame()
    {
        QFETCH(float, scale);
        QFETCH(qreal, ratio);
        QFETCH(QSize, photoSize);
        const QImage first = Pattern(photoSize.width(), photoSize.height());
        QImage second = first.mirrored(true, false);
        const QSize client(800, 600);
        TSampledPhoto sampled;
        const auto same = [&](const QImage &photo, float zoom, QPointF scroll, qint64 limit) {
            const TDeviceMapping m(Geometry(photo.size(), zoom, scroll, client), ratio);
            const QRect device = m.ToDevice(QRect(QPoint(0, 0), client));
            QImage direct(device.size(), QImage::Format_RGB32), copied(device.size(), QImage::Format_RGB32);
            TPhotoRenderer::Render(photo, m, Silver, direct, QPoint(0, 0), device);
            sampled.Render(photo, m, Silver, copied, QPoint(0, 0), device, limit);
            return direct == copied;
        };
        const qint64 any = qint64(1) << 40;
        QVERIFY(same(first, scale, QPointF(), any));
        QVERIFY(same(first, scale, QPointF(7, 3), any));
        QVERIFY(same(second, scale, QPointF(7, 3), any));
        QVERIFY(same(second, scale * 0.9f, QPointF(7, 3), any));
        QVERIFY(same(first, scale * 0.9f, QPointF(), 16));
    }
};

QTEST_GUILESS_MAIN(TestDeviceMapping)
#include "tst_devicemapping.moc"
