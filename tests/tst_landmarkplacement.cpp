#include "evaluate/TBeautyResult.h"
#include "measure/TLandmarkPlacement.h"
#include "measure/TPhotoSampler.h"
#include "measure/TPupilFinder.h"
#include "TSyntheticFace.h"

#include <QPainter>
#include <QtMath>
#include <QtTest>
#include <cmath>

namespace {

QImage filled(QSize size, QColor colour)
{
    QImage photo(size, QImage::Format_RGB32);
    photo.fill(colour);
    return photo;
}

const QColor Skin(224, 184, 160);
const QColor Background(60, 120, 180);

float length(const TPlacedLines &placed, int n)
{
    const TFloatRect &r = placed.Lines[n];
    return IsVerticalFaceValue(n) ? r.Bottom - r.Top : r.Right - r.Left;
}

TBeautyResult score(const TPlacedLines &placed)
{
    TMeasureStore store(StoreLength);
    for (int n = 1; n <= MeasureCount; ++n)
        store[n] = placed.Lines[n];
    TFaceProportions proportions;
    return GetBeautyResult(store, proportions);
}

TPlacedLines place(const TFaceLandmarks &face, const QImage &photo)
{
    return TLandmarkPlacement(3.0f, 3.0f).Place(face, photo);
}

// A forehead: hair above hairlineY, skin from skinFrom down (background
// above skinFrom when there is no hair).
QImage forehead(QColor hair, int hairlineY, int skinFrom = 0)
{
    QImage photo = filled({400, 400}, Skin);
    QPainter painter(&photo);
    painter.fillRect(0, 0, 400, skinFrom, Background);
    painter.fillRect(0, skinFrom, 400, hairlineY - skinFrom, hair);
    return photo;
}

// The synthetic face's mouth, corners at x 170 and 230 on row 260, drawn
// turned by degrees and scaled about its middle (as Transformed does).
void turnMouth(QPainter &painter, double degrees, double scale)
{
    painter.translate(200, 260);
    painter.rotate(degrees);
    painter.scale(scale, scale);
    painter.translate(-200, -260);
}

// An open smile: a dark gap over pixels from to to (both included) and the
// teeth inside it.
QImage openSmile(int from, int to, double degrees = 0.0, double scale = 1.0)
{
    QImage photo = filled({400, 400}, Skin);
    QPainter painter(&photo);
    turnMouth(painter, degrees, scale);
    painter.fillRect(from, 257, to - from + 1, 7, QColor(40, 25, 25));
    painter.fillRect(180, 256, 40, 6, QColor(235, 230, 220));
    return photo;
}

// Closed lips, a little darker than the skin, beyond the corners; between
// them a line one pixel high on row y over pixels 172 to 227 (no line when
// it is the lips' colour).
QImage closedLips(QColor line, int y = 260, double degrees = 0.0, double scale = 1.0)
{
    QImage photo = filled({400, 400}, Skin);
    QPainter painter(&photo);
    turnMouth(painter, degrees, scale);
    painter.fillRect(166, 254, 68, 13, QColor(210, 140, 130));
    painter.fillRect(172, y, 56, 1, line);
    return photo;
}

} // namespace

class TstLandmarkPlacement : public QObject
{
    Q_OBJECT

private slots:
    void lengthsWithFallbacks_data();
    void lengthsWithFallbacks();
    void indexInvariance_data();
    void indexInvariance();
    void pupils_data();
    void pupils();
    void alarEdge_data();
    void alarEdge();
    void hairline_data();
    void hairline();
    void mouthCorners_data();
    void mouthCorners();
};

// On a flat photo every search falls back: the pupils to the eyes' centres,
// the nose to its widened nostrils, the hairline to the thirds.
void TstLandmarkPlacement::lengthsWithFallbacks_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("expected");
    QTest::newRow("1 mouth") << 1 << 60.0;
    QTest::newRow("2 cheekbones, not the widest pair") << 2 << 160.0 * std::cos(M_PI / 16.0);
    QTest::newRow("3 nostrils widened a fifth each side") << 3 << 30.0 * 1.4;
    QTest::newRow("4 eyes' centres") << 4 << 70.0;
    QTest::newRow("5 one eye") << 5 << 30.0;
    QTest::newRow("6 pupils to chin") << 6 << 150.0;
    QTest::newRow("7 lips to chin") << 7 << 320.0 - 1562.0 / 6.0;
    QTest::newRow("8 brows to pupils") << 8 << 20.0;
    QTest::newRow("9 thirds: half the brows-to-chin height") << 9 << 20.0 + 85.0;
    QTest::newRow("10 nose root to base") << 10 << 58.0;
    QTest::newRow("11 nose base to lips") << 11 << 1562.0 / 6.0 - 223.0;
}

void TstLandmarkPlacement::lengthsWithFallbacks()
{
    QFETCH(int, n);
    QFETCH(double, expected);
    const TPlacedLines placed = place(TestSupport::syntheticFace(), filled({400, 400}, Qt::gray));
    QVERIFY2(std::fabs(length(placed, n) - expected) < 0.01,
             qPrintable(QStringLiteral("length %1, expected %2").arg(length(placed, n)).arg(expected)));
    const TFloatRect &r = placed.Lines[n];
    QVERIFY(r.Left < r.Right);
    QVERIFY(r.Top < r.Bottom);
    // The thickness is the line picture's.
    QCOMPARE(IsVerticalFaceValue(n) ? r.Right - r.Left : r.Bottom - r.Top, 3.0f);
    QCOMPARE(placed.Check[n], n == 3 || n == 9);
    QCOMPARE(placed.TiltDegrees, 0.0);
}

void TstLandmarkPlacement::indexInvariance_data()
{
    QTest::addColumn<double>("degrees");
    QTest::addColumn<double>("scale");
    QTest::addColumn<bool>("straighten");
    QTest::newRow("turned 3 degrees") << 3.0 << 1.0 << false;
    QTest::newRow("turned -4.5 degrees, doubled") << -4.5 << 2.0 << false;
    QTest::newRow("halved") << 0.0 << 0.5 << false;
    QTest::newRow("turned 8 degrees") << 8.0 << 1.0 << true;
    QTest::newRow("turned -6 degrees, 1.5 times") << -6.0 << 1.5 << true;
}

// Lines stay on the turned features, and since horizontal and vertical
// lengths shrink by the same cosine, the index and its dispersion do not
// move; nor do they with the photo's scale.
void TstLandmarkPlacement::indexInvariance()
{
    QFETCH(double, degrees);
    QFETCH(double, scale);
    QFETCH(bool, straighten);
    const QImage photo = filled({900, 900}, Qt::gray);
    const TBeautyResult upright = score(place(TestSupport::syntheticFace(), photo));
    QCOMPARE(upright.Status, TBeautyStatus::Complete);

    const TFaceLandmarks turned = TestSupport::syntheticFace().Transformed({200, 250}, degrees, scale, {100, 150});
    const TPlacedLines placed = place(turned, photo);
    const TBeautyResult result = score(placed);
    QCOMPARE(result.Status, TBeautyStatus::Complete);
    QVERIFY2(std::fabs(result.Index - upright.Index) < 1e-3f * upright.Index,
             qPrintable(QStringLiteral("%1 against %2").arg(result.Index).arg(upright.Index)));
    QVERIFY(std::fabs(result.Dispersion - upright.Dispersion) < 1e-3f * std::max(1.0f, upright.Dispersion));
    QVERIFY(std::fabs(placed.TiltDegrees - degrees) < 1e-6);
    QCOMPARE(placed.NeedsStraightening(), straighten);
    // The mouth's line runs through the turned corners' midpoint.
    const QPointF corners = (turned.Point(49) + turned.Point(55)) / 2.0;
    QVERIFY(std::fabs((placed.Lines[1].Top + placed.Lines[1].Bottom) / 2.0 - corners.y()) < 1e-3);
}

void TstLandmarkPlacement::pupils_data()
{
    QTest::addColumn<QPointF>("pupil");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("in the middle") << QPointF(165, 170) << true;
    QTest::newRow("looking aside") << QPointF(172, 170) << true;
    QTest::newRow("closed eye: the contour's centre") << QPointF(165, 170) << false;
}

void TstLandmarkPlacement::pupils()
{
    QFETCH(QPointF, pupil);
    QFETCH(bool, drawn);
    QImage photo = filled({400, 400}, Skin);
    QPainter painter(&photo);
    painter.setPen(Qt::NoPen);
    painter.setBrush(drawn ? QColor(Qt::white) : Skin.darker(110));
    painter.drawEllipse(QRectF(150, 165, 30, 10));
    if (drawn) {
        painter.setBrush(QColor(40, 30, 25));
        painter.drawEllipse(pupil, 4.0, 4.0);
    }
    painter.end();
    QPolygonF eye;
    for (int n = 37; n <= 42; ++n)
        eye << TestSupport::syntheticFace().Point(n);
    const TPupilFinder::TPupil found = TPupilFinder::Find(TPhotoSampler(photo), eye);
    QCOMPARE(found.Found, drawn);
    QVERIFY2(QLineF(found.Centre, pupil).length() < 0.8,
             qPrintable(QStringLiteral("%1, %2").arg(found.Centre.x()).arg(found.Centre.y())));
}

void TstLandmarkPlacement::alarEdge_data()
{
    QTest::addColumn<int>("outside"); // wing edge this far outside each nostril, 0: none drawn
    QTest::addColumn<double>("expected");
    QTest::addColumn<bool>("check");
    QTest::newRow("edge 4 px out") << 4 << 38.0 << false;
    QTest::newRow("edge 8 px out") << 8 << 46.0 << false;
    QTest::newRow("edge 11 px out") << 11 << 52.0 << false;
    QTest::newRow("edge beyond reach: widened") << 16 << 42.0 << true;
    QTest::newRow("no edge: widened") << 0 << 42.0 << true;
}

// The nostril points 185 and 215 lie inside the wings; a band of shadow
// beside each wing marks its edge.
void TstLandmarkPlacement::alarEdge()
{
    QFETCH(int, outside);
    QFETCH(double, expected);
    QFETCH(bool, check);
    QImage photo = filled({400, 400}, Skin);
    if (outside > 0) {
        QPainter painter(&photo);
        const QColor shadow(130, 95, 85);
        painter.fillRect(185 - outside - 5, 200, 5, 40, shadow);
        painter.fillRect(215 + outside, 200, 5, 40, shadow);
    }
    const TPlacedLines placed = place(TestSupport::syntheticFace(), photo);
    QVERIFY2(std::fabs(length(placed, 3) - expected) <= 1.0,
             qPrintable(QStringLiteral("length %1").arg(length(placed, 3))));
    QCOMPARE(placed.Check[3], check);
}

void TstLandmarkPlacement::hairline_data()
{
    QTest::addColumn<QImage>("photo");
    QTest::addColumn<double>("top"); // line 9's top
    QTest::addColumn<bool>("check");
    // Between the brows is at y 150, brows to chin 170 pixels; the thirds'
    // fallback puts the hairline at 65.
    QTest::newRow("black hair") << forehead(QColor(30, 25, 25), 70) << 70.0 << false;
    QTest::newRow("brown hair") << forehead(QColor(100, 65, 40), 80) << 80.0 << false;
    QTest::newRow("blonde hair") << forehead(QColor(200, 170, 100), 75) << 75.0 << false;
    QTest::newRow("red hair") << forehead(QColor(160, 70, 35), 60) << 60.0 << false;
    QTest::newRow("grey hair") << forehead(QColor(170, 170, 170), 90) << 90.0 << false;
    QTest::newRow("bald: skin to the top of the head") << forehead(Background, 12) << 65.0 << true;
    QTest::newRow("bangs down to the brows") << forehead(QColor(60, 40, 30), 143) << 65.0 << true;
    QTest::newRow("bangs down to mid-forehead") << forehead(QColor(60, 40, 30), 120) << 65.0 << true;
    QTest::newRow("photo cut above the brows") << filled({400, 400}, Skin).copy(0, 100, 400, 300) << 65.0 << true;
}

void TstLandmarkPlacement::hairline()
{
    QFETCH(QImage, photo);
    QFETCH(double, top);
    QFETCH(bool, check);
    TFaceLandmarks face = TestSupport::syntheticFace();
    // The cut photo starts 100 pixels lower: move the face with it.
    if (photo.height() == 300)
        face = face.Transformed({}, 0.0, 1.0, {0, -100});
    const TPlacedLines placed = place(face, photo);
    const double shift = photo.height() == 300 ? -100.0 : 0.0;
    QVERIFY2(std::fabs(placed.Lines[9].Top - (top + shift)) <= 1.5,
             qPrintable(QStringLiteral("top %1").arg(placed.Lines[9].Top)));
    QCOMPARE(placed.Check[9], check);
    QCOMPARE(placed.Lines[9].Bottom, placed.Lines[6].Top);
}

void TstLandmarkPlacement::mouthCorners_data()
{
    QTest::addColumn<QImage>("photo");
    QTest::addColumn<double>("degrees"); // the face turned by this and scaled
    QTest::addColumn<double>("scale");   // by this about the mouth's middle
    QTest::addColumn<int>("cut");        // the photo starts this far right of the drawing
    QTest::addColumn<double>("left");    // line 1's ends on the level drawing (the
                                         // model's corners only on an unturned one)
    QTest::addColumn<double>("right");
    const QColor dark(70, 40, 40);
    // A pixel x is the point x, so a gap over pixels 173 to 226 ends
    // halfway to the skin pixels beside it, at 172.5 and 226.5.
    QTest::newRow("open smile inside the corners") << openSmile(173, 226) << 0.0 << 1.0 << 0 << 172.5 << 226.5;
    QTest::newRow("open smile past the corners") << openSmile(167, 232) << 0.0 << 1.0 << 0 << 166.5 << 232.5;
    // The search reaches a tenth of the mouth's width past the corners.
    QTest::newRow("open smile past the corners, twice the size")
        << openSmile(167, 232, 0.0, 2.0) << 0.0 << 2.0 << 0 << 166.5 << 232.5;
    QTest::newRow("closed lips with a dark line") << closedLips(dark) << 0.0 << 1.0 << 0 << 171.5 << 227.5;
    QTest::newRow("closed lips, the line a row low") << closedLips(dark, 261) << 0.0 << 1.0 << 0 << 171.5 << 227.5;
    QTest::newRow("closed lips without a line: the model's")
        << closedLips(QColor(210, 140, 130)) << 0.0 << 1.0 << 0 << 170.0 << 230.0;
    QTest::newRow("faint line: the model's") << closedLips(Skin.darker(115)) << 0.0 << 1.0 << 0 << 170.0 << 230.0;
    QTest::newRow("line past the search: the model's") << openSmile(150, 250) << 0.0 << 1.0 << 0 << 170.0 << 230.0;
    // The left corner's skin is looked at up to pixel 161.
    QTest::newRow("left corner near the edge")
        << openSmile(173, 226).copy(161, 0, 239, 400) << 0.0 << 1.0 << 161 << 172.5 << 226.5;
    QTest::newRow("left search off the photo: the model's")
        << openSmile(173, 226).copy(162, 0, 238, 400) << 0.0 << 1.0 << 162 << 170.0 << 226.5;
    QTest::newRow("open smile turned 4 degrees") << openSmile(173, 226, 4.0) << 4.0 << 1.0 << 0 << 172.5 << 226.5;
    QTest::newRow("closed lips turned -3 degrees, twice the size")
        << closedLips(dark, 260, -3.0, 2.0) << -3.0 << 2.0 << 0 << 171.5 << 227.5;
}

// The mouth's corners move to the ends of the dark line between the lips
// when the photo shows them, along the turned mouth's line on a turned face.
void TstLandmarkPlacement::mouthCorners()
{
    QFETCH(QImage, photo);
    QFETCH(double, degrees);
    QFETCH(double, scale);
    QFETCH(int, cut);
    QFETCH(double, left);
    QFETCH(double, right);
    const QPointF middle(200, 260);
    const TFaceLandmarks face = TestSupport::syntheticFace().Transformed(middle, degrees, scale, {-double(cut), 0.0});
    const TFloatRect line = place(face, photo).Lines[1];
    // An end found at x lies on the drawing's edge x + 0.5 between two
    // pixels, d = x + 0.5 - 200 along the level mouth from its middle; turned
    // and scaled, that edge is at x' = 200 + d × scale × cos(degrees), found
    // at x' - 0.5, less the cut.
    const double factor = scale * std::cos(qDegreesToRadians(degrees));
    const auto expected = [&](double x) { return middle.x() + (x + 0.5 - middle.x()) * factor - 0.5 - cut; };
    const double expectedLeft = expected(left);
    const double expectedRight = expected(right);
    QVERIFY2(std::fabs(line.Left - expectedLeft) <= 0.5 && std::fabs(line.Right - expectedRight) <= 0.5,
             qPrintable(QStringLiteral("%1 to %2, expected %3 to %4")
                            .arg(line.Left)
                            .arg(line.Right)
                            .arg(expectedLeft)
                            .arg(expectedRight)));
}

QTEST_GUILESS_MAIN(TstLandmarkPlacement)
#include "tst_landmarkplacement.moc"
