// The photo view on a HiDPI screen (device pixel ratio 2): the photo is
// drawn at device resolution, while mouse positions, guide lines and the
// layout stay in view pixels.

#include "measure/TBitmapLayer.h"
#include "measure/TImgView32.h"

#include "TestSupport.h"

#include <QApplication>
#include <QBackingStore>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

namespace {

using TestSupport::Pattern;

// Counts the paint events of a widget.
class TPaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class TestImgViewHiDpi : public QObject
{
    Q_OBJECT

    // The window's backing store, in device pixels, once the view has
    // painted again (a null image if it does not).
    static QImage Shot(TImgView32 &view)
    {
        TPaintCounter counter;
        view.viewport()->installEventFilter(&counter);
        view.Invalidate();
        const bool painted = QTest::qWaitFor([&counter] { return counter.paints > 0; });
        view.viewport()->removeEventFilter(&counter);
        QPaintDevice *store = view.backingStore()->paintDevice();
        if (!painted || store->devType() != QInternal::Image)
            return QImage();
        return static_cast<QImage *>(store)->convertToFormat(QImage::Format_RGB32);
    }

    // A 300 x 200 view showing `photo` at `scale`, painted on the screen.
    static void Show(TImgView32 &view, const QImage &photo, float scale)
    {
        view.resize(300, 200);
        view.SetPhoto(TPhoto(photo));
        view.SetScale(scale);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.devicePixelRatio(), 2.0);
    }

private slots:
    // At Actual Pixels a photo pixel covers 2 x 2 device pixels with its exact
    // colour; the layout is the same as on a plain screen.
    void actualPixelsCoverTwoByTwo()
    {
        TImgView32 view;
        const QImage photo = Pattern(100, 80);
        Show(view, photo, 1.0f);
        QCOMPARE(view.ViewportRect(), QRect(0, 0, 300, 200));
        QCOMPARE(view.PhotoRect(), QRect(100, 60, 100, 80));
        const QImage shot = Shot(view);
        QCOMPARE(shot.size(), QSize(600, 400));
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QPoint p(x / 2 - 100, y / 2 - 60);
                const QRgb want = photo.rect().contains(p) ? photo.pixel(p) : qRgb(0xC0, 0xC0, 0xC0);
                if (shot.pixel(x, y) != want)
                    QFAIL(qPrintable(QStringLiteral("device %1,%2").arg(x).arg(y)));
            }
    }

    // Zoomed out to 0.5 every photo pixel gets a device pixel of its own:
    // nothing is sampled at view resolution and scaled up.
    void zoomedOutStaysSharp()
    {
        TImgView32 view;
        const QImage photo = Pattern(200, 160);
        Show(view, photo, 0.5f);
        QCOMPARE(view.PhotoRect(), QRect(100, 60, 100, 80));
        const QImage shot = Shot(view);
        for (int y = 0; y < photo.height(); ++y)
            for (int x = 0; x < photo.width(); ++x)
                if (shot.pixel(200 + x, 120 + y) != photo.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("photo %1,%2").arg(x).arg(y)));
    }

    // Mouse positions and guide-line rectangles are view pixels; a guide
    // line is drawn over the device pixels of the photo pixels it covers.
    void mouseAndGuideLinesStayInViewPixels()
    {
        TImgView32 view;
        const QImage photo = Pattern(100, 80);
        Show(view, photo, 1.0f);
        auto *line = view.AddLayer(std::make_unique<TBitmapLayer>());
        QImage red(4, 1, QImage::Format_RGB32);
        red.fill(Qt::red);
        line->SetPicture(red);
        line->SetLocation(TFloatRect{10, 20, 30, 24});
        QCOMPARE(line->ViewRect(view), QRectF(110, 80, 20, 4));
        QVERIFY(line->HitTest(view, QPoint(115, 82)));
        QVERIFY(!line->HitTest(view, QPoint(115, 85)));

        QSignalSpy down(&view, &TImgView32::mouseDown);
        QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(130, 70));
        QCOMPARE(down.size(), 1);
        QCOMPARE(down.at(0).at(3).toPoint(), QPoint(130, 70));
        QCOMPARE(view.MapToImage(QPoint(130, 70)), QPoint(30, 10));
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(130, 70));

        const QImage shot = Shot(view);
        for (int y = 156; y < 172; ++y)
            for (int x = 216; x < 264; ++x) {
                const bool inside = x >= 220 && x < 260 && y >= 160 && y < 168;
                const QRgb want = inside ? qRgb(255, 0, 0) : photo.pixel(x / 2 - 100, y / 2 - 60);
                if (shot.pixel(x, y) != want)
                    QFAIL(qPrintable(QStringLiteral("device %1,%2").arg(x).arg(y)));
            }
    }
};

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestImgViewHiDpi test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_imgviewhidpi.moc"
