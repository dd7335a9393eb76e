#include "TPictures.h"

#include "TFace.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace {

const QColor MeasureBlue(0x1D, 0x5B, 0xFF);
const QColor OkGreen(0x2E, 0xA0, 0x44);
const QColor NoRed(0xDB, 0x33, 0x2E);

QPen roundPen(const QColor &c, double width, Qt::PenStyle style = Qt::SolidLine)
{
    return QPen(c, width, style, Qt::RoundCap, Qt::RoundJoin);
}

QImage canvas(int w, int h, QImage::Format format = QImage::Format_ARGB32_Premultiplied)
{
    QImage image(w, h, format);
    image.fill(Qt::transparent);
    return image;
}

// Light blue-grey backdrop of the face pictures, like a studio wall.
void paintBackdrop(QPainter &p, const QRectF &r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0xF5, 0xF8, 0xFC));
    g.setColorAt(1, QColor(0xDA, 0xE3, 0xEE));
    p.fillRect(r, g);
}

void paintFrame(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(QColor(0xA9, 0xB7, 0xC8), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
}

// A distance drawn the way a dimension is drawn: a bold line with end ticks,
// on a white halo so that it reads over skin, hair and background alike.
void paintDimension(QPainter &p, const QPointF &a, const QPointF &b)
{
    const QLineF line(a, b);
    const QPointF n = QPointF(-line.dy(), line.dx()) / line.length() * 4.0;
    const QLineF ticks[] = {QLineF(a - n, a + n), QLineF(b - n, b + n)};
    p.setBrush(Qt::NoBrush);
    for (const QPen &pen : {roundPen(QColor(255, 255, 255, 215), 4.0), roundPen(MeasureBlue, 2.0)}) {
        p.setPen(pen);
        p.drawLine(line);
        for (const QLineF &t : ticks)
            p.drawLine(t);
    }
}

// Thin dashed line that carries a landmark over to where its dimension is drawn.
void paintExtension(QPainter &p, const QPointF &a, const QPointF &b)
{
    p.setPen(QPen(QColor(0x1D, 0x5B, 0xFF, 210), 1.0, Qt::DashLine, Qt::FlatCap));
    p.drawLine(a, b);
}

// A dashed horizontal line across the face at height y.
void paintLevel(QPainter &p, double y, double dx)
{
    paintExtension(p, {TFace::MidX - dx, y}, {TFace::MidX + dx, y});
}

void paintMeasurement(QPainter &p, int n)
{
    using F = TFace;
    const double c = F::MidX;
    switch (n) {
    case 1: paintDimension(p, {c - F::MouthDx, F::LipsY}, {c + F::MouthDx, F::LipsY}); break;
    case 2: paintDimension(p, {c - F::CheekDx, F::CheekY}, {c + F::CheekDx, F::CheekY}); break;
    case 3: paintDimension(p, {c - F::NoseWingDx, F::NostrilY}, {c + F::NoseWingDx, F::NostrilY}); break;
    case 4: paintDimension(p, {c - F::PupilDx, F::PupilY}, {c + F::PupilDx, F::PupilY}); break;
    case 5: {
        // Just below the eye, so that the eye itself stays visible.
        const double y = F::PupilY + 9.5;
        for (double dx : {F::EyeInnerDx, F::EyeOuterDx})
            paintExtension(p, {c + dx, F::PupilY}, {c + dx, y + 3});
        paintDimension(p, {c + F::EyeInnerDx, y}, {c + F::EyeOuterDx, y});
        break;
    }
    case 6:
        paintLevel(p, F::PupilY, F::PupilDx + 6);
        paintDimension(p, {c, F::PupilY}, {c, F::ChinY});
        break;
    case 7: paintDimension(p, {c, F::LipsY}, {c, F::ChinY}); break;
    case 8:
        // Beside the eye, so that the eye itself stays visible.
        paintLevel(p, F::BrowY, F::EyeOuterDx + 8);
        paintLevel(p, F::PupilY, F::EyeOuterDx + 8);
        paintDimension(p, {c - F::EyeOuterDx - 6, F::BrowY}, {c - F::EyeOuterDx - 6, F::PupilY});
        break;
    case 9:
        paintLevel(p, F::PupilY, F::PupilDx + 6);
        paintDimension(p, {c, F::HairlineY}, {c, F::PupilY});
        break;
    case 10: paintDimension(p, {c, F::NoseRootY}, {c, F::NoseBaseY}); break;
    case 11: paintDimension(p, {c, F::NoseBaseY}, {c, F::LipsY}); break;
    default: break;
    }
}

// Round badge with a white tick (ok) or a white cross (not ok).
void paintBadge(QPainter &p, const QPointF &c, double r, bool ok)
{
    p.setPen(roundPen(Qt::white, r * 0.22));
    QRadialGradient g(c - QPointF(r * 0.35, r * 0.35), r * 1.5);
    const QColor base = ok ? OkGreen : NoRed;
    g.setColorAt(0, base.lighter(135));
    g.setColorAt(1, base.darker(110));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.setPen(roundPen(Qt::white, r * 0.3));
    p.setBrush(Qt::NoBrush);
    if (ok) {
        QPainterPath tick(c + QPointF(-0.5, 0.05) * r);
        tick.lineTo(c + QPointF(-0.12, 0.42) * r);
        tick.lineTo(c + QPointF(0.52, -0.38) * r);
        p.drawPath(tick);
    } else {
        const double k = 0.4 * r;
        p.drawLine(c + QPointF(-k, -k), c + QPointF(k, k));
        p.drawLine(c + QPointF(-k, k), c + QPointF(k, -k));
    }
}

// A photo card: the face at scale s on the backdrop, clipped to a rounded frame.
void paintFaceCard(QPainter &p, const QRectF &card, double s, const TFace &face, double faceTop = 0)
{
    QPainterPath frame;
    frame.addRoundedRect(card, 4, 4);
    p.save();
    p.setClipPath(frame);
    paintBackdrop(p, card);
    p.translate(card.center().x() - TFace::MidX * s, card.top() + faceTop);
    p.scale(s, s);
    face.paint(p);
    p.restore();
    p.setPen(QPen(QColor(0x9F, 0xAE, 0xC2), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(card, 4, 4);
}

// The same card, out of focus.
void paintBlurredCard(QPainter &p, const QRectF &card, double s, const TFace &face)
{
    constexpr int Oversample = 4;
    QImage sharp = canvas(int(card.width()) * Oversample, int(card.height()) * Oversample);
    {
        QPainter q(&sharp);
        q.setRenderHint(QPainter::Antialiasing);
        q.scale(Oversample, Oversample);
        paintFaceCard(q, QRectF(0, 0, card.width(), card.height()), s, face);
    }
    const QSize size = sharp.size();
    QImage blurred = sharp;
    for (int pass = 0; pass < 3; ++pass)
        blurred = blurred.scaled(size / 14, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainterPath frame;
    frame.addRoundedRect(card, 4, 4);
    p.save();
    p.setClipPath(frame);
    p.drawImage(card, blurred);
    p.restore();
    p.setPen(QPen(QColor(0x9F, 0xAE, 0xC2), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(card, 4, 4);
}

QPainterPath heartPath()
{
    QPainterPath h(QPointF(24, 43));
    h.cubicTo(13, 35.5, 3.5, 27, 3.5, 16.5);
    h.cubicTo(3.5, 9.5, 9, 4.5, 15, 4.5);
    h.cubicTo(19, 4.5, 22.3, 6.8, 24, 10.5);
    h.cubicTo(25.7, 6.8, 29, 4.5, 33, 4.5);
    h.cubicTo(39, 4.5, 44.5, 9.5, 44.5, 16.5);
    h.cubicTo(44.5, 27, 35, 35.5, 24, 43);
    h.closeSubpath();
    return h;
}

void paintHeart(QPainter &p, const QPainterPath &shape)
{
    QRadialGradient g(QPointF(17, 14), 34, QPointF(15, 11));
    g.setColorAt(0, QColor(0xFF, 0x8E, 0x8E));
    g.setColorAt(0.45, QColor(0xE8, 0x28, 0x3A));
    g.setColorAt(1, QColor(0xA8, 0x10, 0x1D));
    p.setPen(roundPen(QColor(0x8A, 0x0C, 0x17), 1.3));
    p.setBrush(g);
    p.drawPath(shape);
    // Gloss on the upper left lobe.
    p.save();
    p.setClipPath(shape);
    p.translate(14.5, 12);
    p.rotate(-32);
    QRadialGradient gloss(QPointF(0, 0), 7);
    gloss.setColorAt(0, QColor(255, 255, 255, 190));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawEllipse(QPointF(0, 0), 7.5, 4.2);
    p.restore();
}

void paintShadow(QPainter &p, const QPointF &c, double rx, double ry)
{
    QRadialGradient g(c, rx);
    g.setColorAt(0, QColor(60, 0, 10, 70));
    g.setColorAt(1, QColor(60, 0, 10, 0));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.translate(c);
    p.scale(1, ry / rx);
    p.translate(-c);
    p.drawEllipse(c, rx, rx);
    p.restore();
}

// Draws `paint` at every wrapped copy of a tile position so that the tile
// repeats without a seam.
template <typename Paint>
void paintWrapped(QPainter &p, const QPointF &at, int tile, Paint paint)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            paint(p, at + QPointF(dx * tile, dy * tile));
}

// A face profile looking right, in a 70 x 100 box.
QPainterPath profilePath()
{
    QPainterPath s(QPointF(28, 2));
    s.cubicTo(44, -1, 56, 6, 58, 20);
    s.cubicTo(59, 26, 59, 30, 60, 34);
    s.cubicTo(61, 37, 60, 39, 61, 41);
    s.cubicTo(63, 46, 67, 52, 68, 55);
    s.cubicTo(68.5, 57, 66, 58.5, 63, 58.5);
    s.cubicTo(63, 60, 64.5, 61, 64.5, 62.5);
    s.cubicTo(64.5, 64, 62.5, 64.5, 62.5, 65);
    s.cubicTo(64, 66, 64, 68, 62, 69.5);
    s.cubicTo(60.5, 70.5, 61, 73, 62, 75);
    s.cubicTo(62.5, 78, 60, 81, 54, 82);
    s.cubicTo(49, 83, 45, 82, 42, 84);
    s.cubicTo(41, 90, 42, 96, 44, 100);
    s.lineTo(14, 100);
    s.cubicTo(16, 92, 16, 86, 14, 78);
    s.cubicTo(4, 72, 0, 56, 2, 38);
    s.cubicTo(4, 16, 14, 4, 28, 2);
    s.closeSubpath();
    return s;
}

// The golden rectangle cut into ever smaller squares, with the quarter
// circles through them that make the golden spiral. rect must be upright
// with height = width * phi. The squares are cut from the top, right, bottom
// and left in turn; each arc runs clockwise between two opposite corners of
// its square, so that it starts where the previous one ended.
void paintGoldenRectangle(QPainter &p, QRectF rect, int squares, const QPen &rules, const QPen &spiral)
{
    QPainterPath arcs;
    for (int i = 0; i < squares; ++i) {
        const double side = std::min(rect.width(), rect.height());
        QRectF square;
        QPointF centre;
        switch (i % 4) {
        case 0:
            square = QRectF(rect.topLeft(), QSizeF(side, side));
            rect.setTop(square.bottom());
            centre = square.bottomLeft();
            break;
        case 1:
            square = QRectF(rect.right() - side, rect.top(), side, side);
            rect.setRight(square.left());
            centre = square.topLeft();
            break;
        case 2:
            square = QRectF(rect.left(), rect.bottom() - side, side, side);
            rect.setBottom(square.top());
            centre = square.topRight();
            break;
        default:
            square = QRectF(rect.topLeft(), QSizeF(side, side));
            rect.setLeft(square.right());
            centre = square.bottomRight();
            break;
        }
        p.setPen(rules);
        p.setBrush(Qt::NoBrush);
        p.drawRect(square);
        // Start angles 90, 0, 270, 180 degrees: from the corner that the
        // previous arc ended at, a quarter turn clockwise.
        const QRectF circle(centre - QPointF(side, side), QSizeF(2 * side, 2 * side));
        const double start = 90.0 - 90.0 * (i % 4);
        if (i == 0)
            arcs.arcMoveTo(circle, start);
        arcs.arcTo(circle, start, -90);
    }
    p.setPen(spiral);
    p.setBrush(Qt::NoBrush);
    p.drawPath(arcs);
}

} // namespace

QImage TPictures::sample(int n)
{
    QImage image = canvas(int(TFace::Width), int(TFace::Height), QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintBackdrop(p, image.rect());
    TFace().paint(p);
    paintMeasurement(p, n);
    paintFrame(p, image.rect());
    return image;
}

QImage TPictures::preview()
{
    QImage image = canvas(int(TFace::Width), int(TFace::Height), QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintBackdrop(p, image.rect());
    TFace().paint(p);

    // The landmarks the measurements run between, as small blue markers.
    using F = TFace;
    const double c = F::MidX;
    const QPointF marks[] = {
        {c, F::HairlineY}, {c - F::PupilDx, F::PupilY}, {c + F::PupilDx, F::PupilY},
        {c - F::CheekDx, F::CheekY}, {c + F::CheekDx, F::CheekY},
        {c - F::NoseWingDx, F::NostrilY}, {c + F::NoseWingDx, F::NostrilY},
        {c - F::MouthDx, F::LipsY}, {c + F::MouthDx, F::LipsY}, {c, F::ChinY}};
    for (const QPointF &m : marks) {
        p.setPen(QPen(Qt::white, 1.2));
        p.setBrush(MeasureBlue);
        p.drawEllipse(m, 2.3, 2.3);
    }

    // Hint: pick a measurement from the list below.
    const QPointF badge(120, 149);
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(MeasureBlue);
    p.drawEllipse(badge, 10.5, 10.5);
    p.setPen(roundPen(Qt::white, 2.4));
    p.drawLine(badge + QPointF(0, -5.5), badge + QPointF(0, 5));
    QPainterPath head(badge + QPointF(-4.5, 0.8));
    head.lineTo(badge + QPointF(0, 5.3));
    head.lineTo(badge + QPointF(4.5, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(head);
    paintFrame(p, image.rect());
    return image;
}

QImage TPictures::requirement(int page)
{
    QImage image = canvas(145, 161, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 161);
    bg.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    bg.setColorAt(1, QColor(0xEC, 0xF0, 0xF6));
    p.fillRect(image.rect(), bg);

    // The good example: a large card on top.
    const QRectF main(26, 4, 93, 103);
    paintFaceCard(p, main, 0.6, TFace(), 4);
    using F = TFace;
    auto mainPoint = [&](double x, double y) {
        return QPointF(main.center().x() + (x - F::MidX) * 0.6, main.top() + 4 + y * 0.6);
    };
    const QColor guide(0x2E, 0xA0, 0x44, 200);
    if (page == 0) {
        // Straight and level: the midline and the eye line meet at right angles.
        p.setPen(QPen(guide, 0.9, Qt::DashLine));
        p.drawLine(mainPoint(F::MidX, 8), mainPoint(F::MidX, 160));
        p.drawLine(mainPoint(F::MidX - 48, F::PupilY), mainPoint(F::MidX + 48, F::PupilY));
    } else if (page == 1) {
        // From the hairline to the chin, everything in view.
        const double x = main.left() + 9;
        const QPointF top(x, mainPoint(0, F::HairlineY).y()), bottom(x, mainPoint(0, F::ChinY).y());
        p.setPen(QPen(guide, 0.9, Qt::DashLine));
        p.drawLine(mainPoint(F::MidX - 4, F::HairlineY), top - QPointF(3, 0));
        p.drawLine(mainPoint(F::MidX - 8, F::ChinY), bottom - QPointF(3, 0));
        p.setPen(roundPen(OkGreen, 1.6));
        p.drawLine(top, bottom);
        for (const auto &[tip, dir] : {std::pair{top, 1.0}, std::pair{bottom, -1.0}}) {
            QPainterPath arrow(tip + QPointF(-3, 4 * dir));
            arrow.lineTo(tip);
            arrow.lineTo(tip + QPointF(3, 4 * dir));
            p.drawPath(arrow);
        }
    } else {
        // In focus: viewfinder corners around the face.
        const QRectF f = main.adjusted(7, 7, -7, -7);
        p.setPen(roundPen(QColor(0x2E, 0xA0, 0x44, 220), 1.6));
        p.setBrush(Qt::NoBrush);
        const double k = 9;
        for (const QPointF &corner : {f.topLeft(), f.topRight(), f.bottomLeft(), f.bottomRight()}) {
            const double sx = corner.x() < f.center().x() ? 1 : -1;
            const double sy = corner.y() < f.center().y() ? 1 : -1;
            QPainterPath l(corner + QPointF(0, sy * k));
            l.lineTo(corner);
            l.lineTo(corner + QPointF(sx * k, 0));
            p.drawPath(l);
        }
    }
    paintBadge(p, main.bottomRight() + QPointF(-4, -4), 10.5, true);

    // The bad examples: three small cards below, each crossed out.
    TFace::TLook bad[3];
    switch (page) {
    case 0:
        bad[0].Turn = -0.85;
        bad[1].Tilt = 16;
        bad[2].Turn = 0.7;
        bad[2].Tilt = -12;
        break;
    case 1:
        bad[0].Bangs = true;
        bad[1].Sunglasses = true;
        bad[2].Hand = true;
        break;
    default:
        bad[0].Grin = true;
        bad[1].SideLight = true;
        break; // bad[2] is shown out of focus
    }
    for (int i = 0; i < 3; ++i) {
        const QRectF card(9 + i * 44.5, 112, 38, 46);
        const double s = card.height() / F::Height * 1.02;
        if (page == 2 && i == 2)
            paintBlurredCard(p, card, s, TFace(bad[i]));
        else
            paintFaceCard(p, card, s, TFace(bad[i]));
        paintBadge(p, card.bottomRight() + QPointF(-3, -3), 6.5, false);
    }
    return image;
}

QImage TPictures::border()
{
    QImage image = canvas(93, 265, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 265);
    bg.setColorAt(0, QColor(0xB4, 0xBE, 0xF0));
    bg.setColorAt(0.55, QColor(0xD9, 0xC3, 0xEC));
    bg.setColorAt(1, QColor(0xF6, 0xC4, 0xD8));
    p.fillRect(image.rect(), bg);

    // Soft glows.
    const struct { QPointF c; double r; QColor colour; } glows[] = {
        {{20, 40}, 60, QColor(255, 255, 255, 90)},
        {{80, 150}, 55, QColor(255, 255, 255, 60)},
        {{15, 240}, 50, QColor(255, 235, 245, 90)}};
    p.setPen(Qt::NoPen);
    for (const auto &glow : glows) {
        QRadialGradient g(glow.c, glow.r);
        g.setColorAt(0, glow.colour);
        g.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(g);
        p.drawEllipse(glow.c, glow.r, glow.r);
    }

    // The golden rectangle above, a face profile below.
    const QColor gold(0xB8, 0x86, 0x1E);
    const double width = 73;
    const QRectF golden(10, 16, width, width * std::numbers::phi);
    QColor rule = gold;
    rule.setAlpha(90);
    QColor curve = gold;
    curve.setAlpha(220);
    paintGoldenRectangle(p, golden, 9, QPen(rule, 0.8), roundPen(curve, 1.5));

    p.save();
    p.translate(12, 150);
    p.scale(1.0, 1.0);
    QLinearGradient face(0, 0, 70, 100);
    face.setColorAt(0, QColor(255, 255, 255, 215));
    face.setColorAt(1, QColor(255, 255, 255, 130));
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawPath(profilePath());
    p.restore();

    p.setPen(QPen(curve, 1.0));
    p.drawLine(QPointF(10, 256.5), QPointF(83, 256.5));
    p.setPen(QPen(QColor(255, 255, 255, 160), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 92, 264));
    return image;
}

QImage TPictures::heart(THeart kind)
{
    QImage image = canvas(48, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = heartPath();
    switch (kind) {
    case THeart::Whole:
        paintShadow(p, QPointF(24, 45), 13, 2.2);
        paintHeart(p, shape);
        break;
    case THeart::Broken: {
        paintShadow(p, QPointF(24, 45), 14, 2.2);
        // The crack runs from the top notch down to the point in a zigzag.
        const QPointF crack[] = {{24, 8}, {21.2, 17}, {26.2, 23.5}, {21.5, 30.5}, {25.5, 36.5}, {24, 45}};
        QPolygonF left, right;
        left << QPointF(-2, -2) << QPointF(24, -2);
        right << QPointF(50, -2) << QPointF(24, -2);
        for (const QPointF &c : crack) {
            left << c;
            right << c;
        }
        left << QPointF(24, 50) << QPointF(-2, 50);
        right << QPointF(24, 50) << QPointF(50, 50);
        for (const auto &[half, side] : {std::pair{left, -1.0}, std::pair{right, 1.0}}) {
            QPainterPath piece;
            piece.addPolygon(half);
            p.save();
            p.translate(24 + side * 1.6, 43);
            p.rotate(side * 8);
            p.translate(-24, -43);
            paintHeart(p, shape.intersected(piece));
            p.restore();
        }
        break;
    }
    case THeart::Delete: {
        paintShadow(p, QPointF(21, 42), 12, 2.0);
        p.save();
        p.translate(1, 1);
        p.scale(0.86, 0.86);
        paintHeart(p, shape);
        p.restore();
        const QPointF c(35.5, 35);
        p.setPen(QPen(QColor(0x8E, 0x95, 0xA0), 1.4));
        QRadialGradient g(c - QPointF(3, 3), 14);
        g.setColorAt(0, Qt::white);
        g.setColorAt(1, QColor(0xDD, 0xE1, 0xE6));
        p.setBrush(g);
        p.drawEllipse(c, 10, 10);
        p.setPen(roundPen(QColor(0xD0, 0x1E, 0x2A), 3.2));
        p.drawLine(c + QPointF(-4.2, -4.2), c + QPointF(4.2, 4.2));
        p.drawLine(c + QPointF(-4.2, 4.2), c + QPointF(4.2, -4.2));
        break;
    }
    }
    return image;
}

QImage TPictures::warning()
{
    QImage image = canvas(48, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF triangle;
    triangle << QPointF(24, 6) << QPointF(44, 41) << QPointF(4, 41);
    p.setPen(QPen(QColor(0xB8, 0x7A, 0x00), 6.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xB8, 0x7A, 0x00));
    p.drawPolygon(triangle);
    QLinearGradient g(0, 6, 0, 42);
    g.setColorAt(0, QColor(0xFF, 0xE9, 0x7A));
    g.setColorAt(1, QColor(0xFF, 0xBE, 0x10));
    p.setPen(QPen(QBrush(g), 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPolygon(triangle);
    // Exclamation mark: a bar narrowing downwards and a dot.
    QPolygonF bar;
    bar << QPointF(21.9, 16.5) << QPointF(26.1, 16.5) << QPointF(25.1, 30.5) << QPointF(22.9, 30.5);
    p.setPen(QPen(QColor(0x2B, 0x23, 0x10), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0x2B, 0x23, 0x10));
    p.drawPolygon(bar);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(24, 35.6), 2.5, 2.5);
    return image;
}

QImage TPictures::backgroundTile()
{
    constexpr int Tile = 256;
    QImage image = canvas(Tile, Tile, QImage::Format_RGB32);
    image.fill(QColor(0xFC, 0xF6, 0xFA));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    const struct { QPointF c; double r; QColor colour; } blobs[] = {
        {{40, 60}, 130, QColor(212, 202, 246, 45)},
        {{190, 30}, 110, QColor(255, 218, 202, 40)},
        {{160, 180}, 130, QColor(250, 200, 222, 40)},
        {{30, 210}, 100, QColor(200, 234, 224, 35)}};
    for (const auto &blob : blobs)
        paintWrapped(p, blob.c, Tile, [&](QPainter &q, const QPointF &at) {
            QRadialGradient g(at, blob.r);
            QColor edge = blob.colour;
            edge.setAlpha(0);
            g.setColorAt(0, blob.colour);
            g.setColorAt(1, edge);
            q.setBrush(g);
            q.drawEllipse(at, blob.r, blob.r);
        });

    // A sparse lattice of faint small hearts, every other row shifted.
    const QPainterPath shape = heartPath();
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            const QPointF at(32 + col * 64 + (row % 2) * 32, 32 + row * 64);
            const double angle = ((row + col) % 2 ? 14 : -14);
            paintWrapped(p, at, Tile, [&](QPainter &q, const QPointF &c) {
                q.save();
                q.translate(c);
                q.rotate(angle);
                q.scale(0.24, 0.24);
                q.translate(-24, -24);
                q.setBrush(QColor(226, 120, 160, 34));
                q.drawPath(shape);
                q.restore();
            });
        }
    return image;
}

QImage TPictures::guideLine(Qt::Orientation orientation)
{
    // Across the line: a bright blue edge, a deep blue core and the edge again.
    // Blended at 70/255 the core darkens and cools skin tones; the bright
    // edges keep the line visible over dark hair and shadows.
    const QRgb across[] = {qRgb(0x00, 0xB4, 0xFF), qRgb(0x00, 0x00, 0xFF), qRgb(0x00, 0xB4, 0xFF)};
    constexpr int Length = 120;
    const bool horizontal = orientation == Qt::Horizontal;
    QImage image = canvas(horizontal ? Length : 3, horizontal ? 3 : Length, QImage::Format_RGB32);
    for (int i = 0; i < 3; ++i)
        for (int along = 0; along < Length; ++along)
            image.setPixel(horizontal ? along : i, horizontal ? i : along, across[i]);
    return image;
}
