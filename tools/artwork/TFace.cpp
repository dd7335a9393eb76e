#include "TFace.h"

#include <QPainter>
#include <QRadialGradient>
#include <QLinearGradient>

#include <cmath>

namespace {

const QColor SkinLine(0xB8, 0x84, 0x6A);
const QColor FeatureLine(0xB0, 0x7A, 0x62);
const QColor HairDark(0x3A, 0x24, 0x18);


// A closed outline from its right half: the half runs from a point on the
// midline down the right side to another point on the midline; the left
// half is its mirror image traversed back up.
QPainterPath symmetric(const QPainterPath &rightHalf)
{
    QPainterPath whole = rightHalf;
    whole.connectPath(QTransform::fromScale(-1, 1).map(rightHalf.toReversed()));
    whole.closeSubpath();
    return whole;
}

QPen pen(const QColor &c, double width)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace

TFace::TFace(const TLook &look) : Look(look) {}

double TFace::fx(double dx, double depth) const
{
    // Turning the head by Turn slides every feature sideways by up to 9 face
    // units (more for features that stand out, by depth) and squeezes the half
    // that turns away by up to 30 %.
    const double side = dx > 0 ? 1.0 : -1.0;
    return Look.Turn * 9.0 * depth + dx * (1.0 - 0.3 * Look.Turn * side);
}

QPointF TFace::pt(double dx, double y, double depth) const { return {fx(dx, depth), y}; }

QPainterPath TFace::outline()
{
    QPainterPath half(QPointF(0, 16));
    half.cubicTo(20, 16, 35.5, 22, 38, 40);
    half.cubicTo(39.8, 53, 40.8, 74, CheekDx, CheekY);
    half.cubicTo(40.2, 104, 37.5, 118, 31, 131);
    half.cubicTo(25, 142, 16, ChinY, 0, ChinY);
    return symmetric(half);
}

QPainterPath TFace::hairlineCurve()
{
    // From the left temple over the forehead to the right temple.
    QPainterPath right(QPointF(0, HairlineY));
    right.cubicTo(13, HairlineY - 0.5, 27, HairlineY + 1, 33, HairlineY + 8);
    right.cubicTo(36.5, HairlineY + 12, 38.5, HairlineY + 18, 39.6, HairlineY + 25);
    QPainterPath curve = QTransform::fromScale(-1, 1).map(right).toReversed();
    curve.connectPath(right);
    return curve;
}

void TFace::paint(QPainter &p) const
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(MidX, 0);
    paintHairBack(p);
    paintNeck(p);
    // The head leans about a point just above the chin; the neck stays put.
    p.translate(0, 140);
    p.rotate(Look.Tilt);
    p.translate(0, -140);
    paintEars(p);
    paintSkin(p);
    paintNose(p);
    paintMouth(p);
    paintEye(p, -1);
    paintEye(p, 1);
    paintBrows(p);
    if (Look.SideLight)
        paintSideShadow(p);
    paintHairFront(p);
    if (Look.Bangs)
        paintBangs(p);
    if (Look.Sunglasses)
        paintSunglasses(p);
    if (Look.Hand)
        paintHand(p);
    p.restore();
}

void TFace::paintHairBack(QPainter &p) const
{
    QPainterPath half(QPointF(0, 5));
    half.cubicTo(26, 5, 46, 16, 47, 38);
    half.cubicTo(47.8, 58, 47, 80, 44, 94);
    half.lineTo(0, 94);
    QLinearGradient g(0, 5, 0, 94);
    g.setColorAt(0, QColor(0x6E, 0x48, 0x31));
    g.setColorAt(1, QColor(0x3F, 0x27, 0x1B));
    p.save();
    p.translate(0, 140);
    p.rotate(Look.Tilt);
    p.translate(0, -140);
    p.setPen(pen(HairDark, 0.9));
    p.setBrush(g);
    p.drawPath(symmetric(half));
    p.restore();
}

void TFace::paintNeck(QPainter &p) const
{
    QPainterPath half(QPointF(0, 125));
    half.lineTo(20, 125);
    half.cubicTo(20.5, 140, 21, 152, 25.5, Height + 1);
    half.lineTo(0, Height + 1);
    QLinearGradient g(0, 138, 0, Height);
    g.setColorAt(0, QColor(0xC9, 0x93, 0x78));
    g.setColorAt(0.45, QColor(0xE2, 0xB2, 0x97));
    g.setColorAt(1, QColor(0xEE, 0xC5, 0xAC));
    p.setPen(pen(SkinLine, 0.9));
    p.setBrush(g);
    p.drawPath(symmetric(half));
}

void TFace::paintEars(QPainter &p) const
{
    for (int side : {-1, 1}) {
        // A head turned away from this ear hides it behind the cheek.
        if (Look.Turn * side > 0.45)
            continue;
        const double shift = Look.Turn * -4.0;
        QPainterPath ear(QPointF(39.6, 80));
        ear.cubicTo(44.8, 75.2, 49.2, 80, 47.9, 90);
        ear.cubicTo(47.1, 100, 45.2, 108.5, 39.4, 111);
        ear.closeSubpath();
        QPainterPath inner(QPointF(42.3, 83.5));
        inner.cubicTo(45.6, 84.5, 45.8, 92, 44.6, 96);
        inner.cubicTo(43.8, 100, 42.6, 103, 41.2, 105);
        const QTransform t = QTransform::fromTranslate(shift, 0).scale(side, 1);
        p.setPen(pen(SkinLine, 0.9));
        p.setBrush(QColor(0xEC, 0xBF, 0xA4));
        p.drawPath(t.map(ear));
        p.setPen(pen(QColor(0xC8, 0x90, 0x75), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawPath(t.map(inner));
    }
}

void TFace::paintSkin(QPainter &p) const
{
    const QPainterPath face = outline();
    QRadialGradient g(QPointF(fx(0), 84), 66, QPointF(fx(-5), 80));
    g.setColorAt(0, QColor(0xF9, 0xE1, 0xCF));
    g.setColorAt(0.62, QColor(0xF3, 0xCF, 0xB8));
    g.setColorAt(1, QColor(0xDF, 0xAC, 0x90));
    p.setPen(pen(SkinLine, 0.95));
    p.setBrush(g);
    p.drawPath(face);

    // Soft blush on the cheeks and a hint of the chin.
    p.setPen(Qt::NoPen);
    for (int side : {-1, 1}) {
        const QPointF c = pt(side * 24.0, 101);
        QRadialGradient blush(c, 11);
        blush.setColorAt(0, QColor(236, 140, 128, 60));
        blush.setColorAt(1, QColor(236, 140, 128, 0));
        p.setBrush(blush);
        p.drawEllipse(c, 11, 11);
    }
    QPainterPath chin(pt(-6, 146.5));
    chin.cubicTo(pt(-3, 148.2), pt(3, 148.2), pt(6, 146.5));
    p.setPen(pen(QColor(0xD2, 0x9F, 0x84), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawPath(chin);
}

void TFace::paintBrows(QPainter &p) const
{
    for (int side : {-1, 1}) {
        auto q = [&](double dx, double y) { return pt(side * dx, y); };
        QPainterPath brow(q(9, 69.0));
        brow.cubicTo(q(13, 66.2), q(19, 63.9), q(24, 64.2));
        brow.cubicTo(q(27.5, 64.5), q(30, 65.9), q(31.6, 68.0));
        brow.cubicTo(q(28.5, 66.7), q(25, 66.2), q(21.5, 66.7));
        brow.cubicTo(q(16.5, 67.3), q(12.5, 69.3), q(9.4, 70.9));
        brow.closeSubpath();
        QLinearGradient g(q(9, 68), q(31, 66));
        g.setColorAt(0, QColor(0x6A, 0x46, 0x30));
        g.setColorAt(1, QColor(0x4A, 0x2F, 0x21));
        p.setPen(pen(QColor(0x4A, 0x2F, 0x21), 0.4));
        p.setBrush(g);
        p.drawPath(brow);
    }
}

void TFace::paintEye(QPainter &p, int side) const
{
    auto q = [&](double dx, double y) { return pt(side * dx, y); };
    QPainterPath upper(q(EyeInnerDx, 78.6));
    upper.cubicTo(q(12.5, 73.9), q(22.5, 72.8), q(EyeOuterDx, 77.4));
    QPainterPath white = upper;
    white.cubicTo(q(23.5, 81.6), q(13.5, 82.3), q(EyeInnerDx, 78.6));

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFB, 0xF8, 0xF4));
    p.drawPath(white);

    p.save();
    p.setClipPath(white, Qt::IntersectClip);
    const QPointF c = q(PupilDx, PupilY);
    QRadialGradient iris(c, 4.4);
    iris.setColorAt(0, QColor(0xA0, 0x70, 0x40));
    iris.setColorAt(0.75, QColor(0x6B, 0x44, 0x27));
    iris.setColorAt(1, QColor(0x45, 0x2A, 0x18));
    p.setBrush(iris);
    p.drawEllipse(c, 4.4, 4.4);
    p.setBrush(QColor(0x1A, 0x12, 0x0E));
    p.drawEllipse(c, 1.9, 1.9);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawEllipse(c + QPointF(1.3, -1.3), 0.95, 0.95);
    // The upper lid casts a faint shadow on the eyeball.
    QLinearGradient lid(0, 73.5, 0, 77.5);
    lid.setColorAt(0, QColor(90, 60, 45, 90));
    lid.setColorAt(1, QColor(90, 60, 45, 0));
    p.setBrush(lid);
    p.drawRect(QRectF(q(EyeOuterDx + 1, 72), q(EyeInnerDx - 1, 78)).normalized());
    p.restore();

    QPainterPath lower(q(EyeOuterDx, 77.4));
    lower.cubicTo(q(23.5, 81.6), q(13.5, 82.3), q(EyeInnerDx, 78.6));
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(0xC2, 0x92, 0x7A), 0.7));
    p.drawPath(lower);
    QPainterPath crease(q(11.5, 74.6));
    crease.cubicTo(q(15, 71.6), q(23, 71.2), q(27.2, 74.8));
    p.setPen(pen(QColor(0xCF, 0x9E, 0x84), 0.7));
    p.drawPath(crease);
    p.setPen(pen(QColor(0x3B, 0x27, 0x1D), 1.45));
    p.drawPath(upper);
    p.setPen(pen(QColor(0x3B, 0x27, 0x1D), 0.9));
    p.drawLine(q(EyeOuterDx - 0.3, 77.3), q(EyeOuterDx + 1.8, 76.0));
}

void TFace::paintNose(QPainter &p) const
{
    p.setBrush(Qt::NoBrush);
    // Sides of the bridge, lit from the upper left: the right side is darker.
    for (int side : {-1, 1}) {
        QPainterPath bridge(pt(side * 4.4, NoseRootY + 2));
        bridge.cubicTo(pt(side * 5.0, 86, 1.2), pt(side * 5.4, 94, 1.4), pt(side * 7.0, 100.5, 1.5));
        p.setPen(pen(QColor(0xC9, 0x94, 0x79, side > 0 ? 150 : 80), 0.9));
        p.drawPath(bridge);
    }
    p.setPen(Qt::NoPen);
    QRadialGradient tip(pt(0, 104, 1.6), 4.5);
    tip.setColorAt(0, QColor(255, 240, 228, 110));
    tip.setColorAt(1, QColor(255, 240, 228, 0));
    p.setBrush(tip);
    p.drawEllipse(pt(0, 104, 1.6), 4.5, 4.5);
    // Shadow the nose throws on the upper lip.
    QRadialGradient under(pt(0, 113.5, 1.3), 7);
    under.setColorAt(0, QColor(200, 140, 110, 70));
    under.setColorAt(1, QColor(200, 140, 110, 0));
    p.setBrush(under);
    p.drawEllipse(pt(0, 113.5, 1.3), 7, 3);

    for (int side : {-1, 1}) {
        auto q = [&](double dx, double y) { return pt(side * dx, y, 1.4); };
        p.save();
        p.translate(q(4.7, NostrilY + 2.2));
        p.rotate(side * 22);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x8A, 0x55, 0x42, 210));
        p.drawEllipse(QPointF(0, 0), 2.3, 1.1);
        p.restore();
        QPainterPath wing(q(7.2, 100.6));
        wing.cubicTo(q(NoseWingDx + 0.6, 101.4), q(NoseWingDx + 1.0, NostrilY + 1), q(8.4, 109.8));
        p.setPen(pen(FeatureLine, 1.05));
        p.setBrush(Qt::NoBrush);
        p.drawPath(wing);
    }
    QPainterPath base(pt(-3.3, NoseBaseY - 0.9, 1.4));
    base.cubicTo(pt(-1.5, NoseBaseY + 0.4, 1.4), pt(1.5, NoseBaseY + 0.4, 1.4), pt(3.3, NoseBaseY - 0.9, 1.4));
    p.setPen(pen(FeatureLine, 0.95));
    p.drawPath(base);
}

void TFace::paintMouth(QPainter &p) const
{
    auto q = [&](double dx, double y) { return pt(dx, y, 1.15); };
    if (Look.Grin) {
        QPainterPath open(q(-19, 122.5));
        open.cubicTo(q(-9, 124.5), q(9, 124.5), q(19, 122.5));
        open.cubicTo(q(14, 139), q(-14, 139), q(-19, 122.5));
        p.setPen(pen(QColor(0xC4, 0x6F, 0x68), 2.2));
        p.setBrush(QColor(0x6B, 0x2A, 0x2A));
        p.drawPath(open);
        p.save();
        p.setClipPath(open, Qt::IntersectClip);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xFA, 0xF7, 0xF0));
        p.drawRect(QRectF(q(-20, 120), q(20, 128.6)));
        p.restore();
        return;
    }
    QPainterPath line(q(-MouthDx, LipsY));
    line.cubicTo(q(-11, LipsY + 0.6), q(-5, LipsY - 0.2), q(0, LipsY + 0.4));
    line.cubicTo(q(5, LipsY - 0.2), q(11, LipsY + 0.6), q(MouthDx, LipsY));

    QPainterPath upperLip(q(-MouthDx, LipsY));
    upperLip.cubicTo(q(-12, LipsY - 2.4), q(-7, LipsY - 5.4), q(-3.8, LipsY - 5.2));
    upperLip.cubicTo(q(-2, LipsY - 5.1), q(-1, LipsY - 4.2), q(0, LipsY - 4.1));
    upperLip.cubicTo(q(1, LipsY - 4.2), q(2, LipsY - 5.1), q(3.8, LipsY - 5.2));
    upperLip.cubicTo(q(7, LipsY - 5.4), q(12, LipsY - 2.4), q(MouthDx, LipsY));
    upperLip.connectPath(line.toReversed());

    QPainterPath lowerLip = line;
    lowerLip.cubicTo(q(12, LipsY + 5.8), q(5, LipsY + 7), q(0, LipsY + 7));
    lowerLip.cubicTo(q(-5, LipsY + 7), q(-12, LipsY + 5.8), q(-MouthDx, LipsY));

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC2, 0x6E, 0x66));
    p.drawPath(upperLip);
    QLinearGradient g(0, LipsY, 0, LipsY + 7);
    g.setColorAt(0, QColor(0xCF, 0x7E, 0x75));
    g.setColorAt(1, QColor(0xDD, 0x92, 0x87));
    p.setBrush(g);
    p.drawPath(lowerLip);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawEllipse(q(0.5, LipsY + 3.6), 5, 1.2);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(0x86, 0x3E, 0x37), 1.0));
    p.drawPath(line);
    // Small shade below the lower lip.
    QPainterPath under(q(-5, LipsY + 9.3));
    under.cubicTo(q(-2, LipsY + 10.2), q(2, LipsY + 10.2), q(5, LipsY + 9.3));
    p.setPen(pen(QColor(0xD6, 0xA4, 0x8A), 0.9));
    p.drawPath(under);
}

void TFace::paintHairFront(QPainter &p) const
{
    const QPainterPath hairline = hairlineCurve();
    const QPointF end = hairline.currentPosition();
    QPainterPath outer(QPointF(0, 5));
    outer.cubicTo(26, 5, 46, 16, 47, 38);
    outer.cubicTo(47.6, 52, 46.4, 64, 43.4, 75);

    QPainterPath hair = hairline.toReversed();
    hair.lineTo(-end.x() - 0.9, end.y() + 14);
    hair.connectPath(QTransform::fromScale(-1, 1).map(outer).toReversed());
    hair.connectPath(outer);
    hair.lineTo(end.x() + 0.9, end.y() + 14);
    hair.closeSubpath();

    QLinearGradient g(0, 5, 0, 75);
    g.setColorAt(0, QColor(0x7E, 0x54, 0x3A));
    g.setColorAt(0.5, QColor(0x63, 0x40, 0x2C));
    g.setColorAt(1, QColor(0x48, 0x2D, 0x1F));
    p.setPen(pen(HairDark, 0.9));
    p.setBrush(g);
    p.drawPath(hair);

    // Sheen across the crown, a side parting and strands sweeping away from it.
    p.save();
    p.setClipPath(hair, Qt::IntersectClip);
    p.setBrush(Qt::NoBrush);
    QPainterPath sheen;
    sheen.arcMoveTo(QRectF(-36, 12, 72, 50), 155);
    sheen.arcTo(QRectF(-36, 12, 72, 50), 155, -115);
    p.setPen(pen(QColor(0xB0, 0x80, 0x5A, 70), 5.5));
    p.drawPath(sheen);
    p.setPen(pen(QColor(0xC8, 0x98, 0x6E, 70), 1.6));
    p.drawPath(sheen);
    const QPointF partTop(-11, 5), partBottom(-12.5, 19);
    const struct { double along; QPointF end; double lift; } strands[] = {
        {0.15, {10, 31}, 10}, {0.35, {24, 33.5}, 12}, {0.55, {34, 42}, 13}, {0.75, {40.5, 54}, 14},
        {0.9, {44.5, 66}, 15}, {0.2, {-24, 33.5}, 6}, {0.5, {-34, 42}, 8}, {0.8, {-41, 56}, 9}};
    p.setPen(pen(QColor(0x2E, 0x1C, 0x13, 65), 0.7));
    for (const auto &s : strands) {
        const QPointF start = partTop + (partBottom - partTop) * s.along;
        const double dir = s.end.x() > start.x() ? 1.0 : -1.0;
        QPainterPath strand(start);
        strand.cubicTo(start + QPointF(dir * 12, -1), s.end + QPointF(-dir * 6, -s.lift), s.end);
        p.drawPath(strand);
    }
    p.setPen(pen(QColor(0x2E, 0x1C, 0x13, 170), 0.9));
    p.drawLine(partTop, partBottom);
    p.restore();
}

void TFace::paintBangs(QPainter &p) const
{
    QPainterPath fringe(QPointF(-41, 40));
    fringe.cubicTo(-30, 12, 30, 12, 41, 40);
    fringe.lineTo(40, 66);
    const double tips[] = {33, 25, 17, 9, 1, -7, -15, -23, -31, -39};
    double x = 40;
    for (double t : tips) {
        fringe.quadTo((x + t) / 2, 60, t, 71);
        x = t;
    }
    fringe.closeSubpath();
    QLinearGradient g(0, 20, 0, 71);
    g.setColorAt(0, QColor(0x6E, 0x48, 0x31));
    g.setColorAt(1, QColor(0x4A, 0x2E, 0x20));
    p.setPen(pen(HairDark, 0.9));
    p.setBrush(g);
    p.drawPath(fringe);
}

void TFace::paintSunglasses(QPainter &p) const
{
    QLinearGradient g(0, 71, 0, 86);
    g.setColorAt(0, QColor(0x3A, 0x40, 0x4C));
    g.setColorAt(1, QColor(0x0E, 0x10, 0x14));
    p.setPen(pen(QColor(0x11, 0x11, 0x11), 1.6));
    for (int side : {-1, 1}) {
        const QPointF c = pt(side * 18.5, 78.5);
        p.setBrush(g);
        p.drawRoundedRect(QRectF(c.x() - 11, c.y() - 6.8, 22, 13.6), 5.5, 5.5);
        p.drawLine(pt(side * 29.5, 76), pt(side * 40, 78));
    }
    p.setBrush(Qt::NoBrush);
    QPainterPath bridge(pt(-7.5, 76.5));
    bridge.quadTo(pt(0, 72.5), pt(7.5, 76.5));
    p.drawPath(bridge);
    p.setPen(pen(QColor(255, 255, 255, 110), 1.2));
    for (int side : {-1, 1})
        p.drawLine(pt(side * 18.5 - 6, 80), pt(side * 18.5 - 1, 74.5));
}

void TFace::paintHand(QPainter &p) const
{
    // A hand raised in front of the mouth: palm from below, four fingers up
    // across the lips.
    p.save();
    p.translate(fx(4), 126);
    p.rotate(-14);
    const QColor skin(0xF1, 0xC8, 0xAD);
    p.setPen(pen(QColor(0xAE, 0x78, 0x5E), 1.0));
    p.setBrush(skin);
    p.drawRoundedRect(QRectF(-20, 2, 38, 48), 12, 12);
    const double fingers[][3] = {{-19, -16, 9}, {-10, -21, 9}, {-1, -20, 9}, {8, -14, 8.5}};
    for (const auto &f : fingers)
        p.drawRoundedRect(QRectF(f[0], f[1], f[2], 30), 4.5, 4.5);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(-18.5, 6, 35, 12));
    p.restore();
}

void TFace::paintSideShadow(QPainter &p) const
{
    QPainterPath lit = outline();
    QLinearGradient g(-44, 0, 10, 0);
    g.setColorAt(0, QColor(25, 18, 40, 200));
    g.setColorAt(0.5, QColor(25, 18, 40, 160));
    g.setColorAt(1, QColor(25, 18, 40, 0));
    p.save();
    p.setClipPath(lit, Qt::IntersectClip);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(QRectF(-50, 0, 60, Height));
    p.restore();
}
