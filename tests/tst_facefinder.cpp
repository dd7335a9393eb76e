#include "core/EOrvessaError.h"
#include "input/TPhotoLoader.h"
#include "core/TPluginLoader.h"
#include "measure/TFaceFinder.h"
#include "measure/TLandmarkDetector.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

namespace {

QString dataFile(const QString &name)
{
    return QStringLiteral(ORVESSA_TEST_DATA "/") + name;
}

std::optional<TPlacedLines> placeOn(const QImage &photo)
{
    return TFaceFinder::Place(photo, TLandmarkPlacement(3.0f, 3.0f));
}

// How far the farthest of two lines' edges lie apart.
double farthestApart(const TFloatRect &a, const TFloatRect &b)
{
    return std::max({std::fabs(a.Left - b.Left), std::fabs(a.Top - b.Top), std::fabs(a.Right - b.Right),
                     std::fabs(a.Bottom - b.Bottom)});
}

// The portrait's pupils, placed by hand on the photo enlarged 14 times:
// the dark centres of the irises.
const QPointF LeftPupil(152.5, 76.5);
const QPointF RightPupil(185.5, 77.5);

} // namespace

class TstFaceFinder : public QObject
{
    Q_OBJECT

private slots:
    void portrait_data();
    void portrait();
    void noFace();
    void turnedByItsOrientationTag();
    void enlargedOrSmall_data();
    void enlargedOrSmall();
    void bothBuildsAgree();
    void modelMissing();
};

// Each line's two ends against where a careful hand put them, within 4 % of
// the pupils' distance (the nose wings and the hairline, which the points do
// not give, within 15 %).
void TstFaceFinder::portrait_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<double>("share");
    const double pupils = (LeftPupil.y() + RightPupil.y()) / 2.0;
    QTest::newRow("1 mouth corners") << 1 << 151.5 << 182.0 << 0.04;
    QTest::newRow("2 cheekbones") << 2 << 135.0 << 202.0 << 0.04;
    QTest::newRow("3 nose wings") << 3 << 160.0 << 177.0 << 0.15;
    QTest::newRow("4 pupils") << 4 << LeftPupil.x() << RightPupil.x() << 0.04;
    QTest::newRow("5 left eye's corners") << 5 << 145.5 << 159.5 << 0.04;
    QTest::newRow("6 pupils to chin") << 6 << pupils << 133.5 << 0.04;
    QTest::newRow("7 lips to chin") << 7 << 110.5 << 133.5 << 0.04;
    QTest::newRow("8 brows to pupils") << 8 << 68.0 << pupils << 0.04;
    // Bangs cover the hairline: the hand's guess by the face's thirds.
    QTest::newRow("9 hairline under the bangs") << 9 << 35.0 << pupils << 0.15;
    QTest::newRow("10 nose root to base") << 10 << 76.0 << 101.0 << 0.04;
    QTest::newRow("11 nose base to lips") << 11 << 101.0 << 110.5 << 0.04;
}

void TstFaceFinder::portrait()
{
    QFETCH(int, n);
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(double, share);
    if (!TFaceFinder::ModelInstalled())
        QSKIP("The landmarks' model is not installed");
    const QImage photo(dataFile(QStringLiteral("astronaut.jpg")));
    QVERIFY(!photo.isNull());
    const std::optional<TPlacedLines> placed = placeOn(photo);
    QVERIFY(placed);
    const TFloatRect r = placed->Lines[n];
    const bool vertical = IsVerticalFaceValue(n);
    const double tolerance = share * QLineF(LeftPupil, RightPupil).length();
    const double start = vertical ? r.Top : r.Left;
    const double end = vertical ? r.Bottom : r.Right;
    QVERIFY2(std::fabs(start - from) <= tolerance && std::fabs(end - to) <= tolerance,
             qPrintable(QStringLiteral("%1 to %2, by hand %3 to %4").arg(start).arg(end).arg(from).arg(to)));
    // The bangs leave too little forehead to trust: the hairline is the
    // thirds' guess and says so.
    QCOMPARE(placed->Check[9], true);
    QVERIFY(!placed->NeedsStraightening());
}

void TstFaceFinder::noFace()
{
    if (!TFaceFinder::ModelInstalled())
        QSKIP("The landmarks' model is not installed");
    // Blotches of colour and the portrait's flag corner: nothing like a face.
    QImage photo(1200, 900, QImage::Format_RGB32);
    photo.fill(QColor(200, 190, 170));
    QPainter painter(&photo);
    QRandomGenerator random(17);
    for (int i = 0; i < 60; ++i) {
        painter.fillRect(QRect(random.bounded(1200), random.bounded(900), 20 + random.bounded(200), 20 + random.bounded(200)),
                         QColor::fromRgb(random.generate()));
    }
    painter.drawImage(0, 0, QImage(dataFile(QStringLiteral("astronaut.jpg"))).copy(0, 0, 60, 300));
    painter.end();
    QVERIFY(!placeOn(photo));
    QVERIFY(!placeOn(QImage(40, 30, QImage::Format_RGB32)));
}

// The same portrait stored a quarter turn anticlockwise, with the tag that
// turns it back: the loader stands it upright, and the lines land where they
// do on the upright file (within the second JPEG encoding's noise).
void TstFaceFinder::turnedByItsOrientationTag()
{
    if (!TFaceFinder::ModelInstalled())
        QSKIP("The landmarks' model is not installed");
    const TPhoto turned = TPhotoLoader::Load(dataFile(QStringLiteral("astronaut-turned.jpg")));
    QCOMPARE(turned.Orientation(), 6);
    const std::optional<TPlacedLines> upright = placeOn(TPhotoLoader::Load(dataFile(QStringLiteral("astronaut.jpg"))).Pixels());
    const std::optional<TPlacedLines> placed = placeOn(turned.Pixels());
    QVERIFY(upright && placed);
    const double tolerance = 0.04 * QLineF(LeftPupil, RightPupil).length();
    for (int n = 1; n <= MeasureCount; ++n) {
        const double worst = farthestApart(upright->Lines[n], placed->Lines[n]);
        QVERIFY2(worst <= tolerance, qPrintable(QStringLiteral("line %1 off by %2").arg(n).arg(worst)));
    }
}

// The portrait enlarged (the face is found on the small copy and fitted on
// the larger one) and small in the middle of a wide picture (found only on the
// third, full-size copy): the lines are the portrait's, enlarged and moved
// with it. The points fitted on copies of other sizes spread by up to 6 % of
// the pupils' distance; a face box or a copy's scale mapped wrongly moves
// them by far more. Line 5 takes the wider eye, which may be either: its
// length is compared.
void TstFaceFinder::enlargedOrSmall_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("canvas");
    QTest::addColumn<int>("offset");
    QTest::newRow("enlarged four times") << 4 << 4 * 384 << 0;
    QTest::newRow("small on a wide picture") << 1 << 1200 << 400;
}

void TstFaceFinder::enlargedOrSmall()
{
    QFETCH(int, scale);
    QFETCH(int, canvas);
    QFETCH(int, offset);
    if (!TFaceFinder::ModelInstalled())
        QSKIP("The landmarks' model is not installed");
    const QImage portrait(dataFile(QStringLiteral("astronaut.jpg")));
    QImage photo(canvas, canvas, QImage::Format_RGB32);
    photo.fill(QColor(128, 128, 128));
    QPainter painter(&photo);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(offset, offset, 384 * scale, 384 * scale), portrait);
    painter.end();
    const std::optional<TPlacedLines> original = placeOn(portrait);
    const std::optional<TPlacedLines> placed = placeOn(photo);
    QVERIFY(original && placed);
    const double pupils = scale * QLineF(LeftPupil, RightPupil).length();
    // Pixel i's centre (i + 1/2) lies at (i + 1/2) * scale + offset on the
    // picture, the centre of its pixel (i + 1/2) * scale - 1/2 + offset.
    const auto moved = [&](float v) { return (double(v) + 0.5) * scale - 0.5 + offset; };
    for (int n = 1; n <= MeasureCount; ++n) {
        const TFloatRect a = original->Lines[n];
        const TFloatRect b = placed->Lines[n];
        const double worst = n == 5
            ? std::fabs((a.Right - a.Left) * scale - (b.Right - b.Left))
            : farthestApart({float(moved(a.Left)), float(moved(a.Top)), float(moved(a.Right)), float(moved(a.Bottom))}, b);
        QVERIFY2(worst <= (n == 3 || n == 9 ? 0.15 : 0.08) * pupils,
                 qPrintable(QStringLiteral("line %1 off by %2").arg(n).arg(worst)));
    }
}

// The plugin built for every processor and the one for AVX2 and FMA (which
// rounds its sums differently) find the same face and points on the
// portrait and on a copy of it large enough for the scan and fit copies.
void TstFaceFinder::bothBuildsAgree()
{
    if (!TFaceFinder::ModelInstalled())
        QSKIP("The landmarks' model is not installed");
    const QString fast = QStringLiteral("orvessa_landmarks_avx2");
    if (TFaceFinder::PluginName() != fast)
        QSKIP("No AVX2 and FMA here, or no plugin built for them");
    const QString failure = QStringLiteral("The face landmarks' plugin cannot be loaded");
    TLandmarkDetector *every = TPluginLoader::Load<TLandmarkDetector>(QStringLiteral("orvessa_landmarks"), failure);
    TLandmarkDetector *newer = TPluginLoader::Load<TLandmarkDetector>(fast, failure);
    const QImage portrait(dataFile(QStringLiteral("astronaut.jpg")));
    for (const QImage &photo : {portrait, portrait.scaled(1600, 1600, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)}) {
        const std::optional<TFaceLandmarks> a = every->Detect(photo, TFaceFinder::ModelPath());
        const std::optional<TFaceLandmarks> b = newer->Detect(photo, TFaceFinder::ModelPath());
        QVERIFY(a && b);
        for (int n = 1; n <= TFaceLandmarks::Count; ++n) {
            const double apart = QLineF(a->Point(n), b->Point(n)).length();
            QVERIFY2(apart <= 0.5, qPrintable(QStringLiteral("point %1 of %2 px: %3 apart").arg(n).arg(photo.width()).arg(apart)));
        }
    }
}

void TstFaceFinder::modelMissing()
{
    qputenv("ORVESSA_LANDMARK_MODEL", QFile::encodeName(QDir::temp().filePath(QStringLiteral("no-such-model.dat"))));
    QVERIFY(!TFaceFinder::ModelInstalled());
    QVERIFY_THROWS_EXCEPTION(EOrvessaError, placeOn(QImage(dataFile(QStringLiteral("astronaut.jpg")))));
    qunsetenv("ORVESSA_LANDMARK_MODEL");
}

QTEST_GUILESS_MAIN(TstFaceFinder)
#include "tst_facefinder.moc"
