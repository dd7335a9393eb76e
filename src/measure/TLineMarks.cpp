#include "TLineMarks.h"

#include "core/TMeasureCatalogue.h"
#include "measure/TGuideLine.h"
#include "measure/TGuideLines.h"
#include "measure/TImgView32.h"
#include "measure/TLineReading.h"

#include <QPainter>

namespace {

const QColor MarkColour(0xE0, 0x20, 0x20);
const QColor MarkHalo(0xFF, 0xFF, 0xFF, 0xC0);
const QColor LabelColour(0x10, 0x10, 0x10);
constexpr qreal LabelGap = 3; // view pixels between a line's end and its number

} // namespace

TLineMarks::TLineMarks(TImgView32 &view, const TGuideLines &lines) : FView(view), FLines(lines)
{
    FView.AddOverlay(this);
}

TLineMarks::~TLineMarks()
{
    FView.RemoveOverlay(this);
}

void TLineMarks::SetShowAllLines(bool on)
{
    if (on == FShowAll)
        return;
    FShowAll = on;
    FView.Invalidate();
}

// Every guide line the view holds, bottom to top (the frame and any other
// layer are not lines).
QList<const TGuideLine *> TLineMarks::Lines() const
{
    QList<const TGuideLine *> lines;
    for (int i = 0; i < FView.LayerCount(); ++i)
        if (const auto *line = dynamic_cast<const TGuideLine *>(FView.Layer(i)))
            lines.append(line);
    return lines;
}

QList<const TGuideLine *> TLineMarks::FaintLines() const
{
    QList<const TGuideLine *> faint;
    if (!FShowAll)
        return faint;
    const QList<const TGuideLine *> lines = Lines();
    for (const TGuideLine *line : lines)
        if (!line->Visible() && line->Tag() != FLines.CurrentMeasure())
            faint.append(line);
    return faint;
}

QList<const TGuideLine *> TLineMarks::LabelledLines() const
{
    QList<const TGuideLine *> labelled;
    if (!FShowAll)
        return labelled;
    const QList<const TGuideLine *> lines = Lines();
    for (const TGuideLine *line : lines)
        if (line->Visible() || line->Tag() != FLines.CurrentMeasure())
            labelled.append(line);
    return labelled;
}

// Under the layers, so that the shown line lies over the faint ones.
void TLineMarks::PaintUnder(QPainter &painter, const TImgView32 &view)
{
    const QList<const TGuideLine *> faint = FaintLines();
    if (faint.isEmpty())
        return;
    painter.save();
    painter.setOpacity(FaintOpacity / 255.0);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const TGuideLine *line : faint)
        painter.drawImage(line->ViewRect(view), line->Picture());
    painter.restore();
}

void TLineMarks::PaintOver(QPainter &painter, const TImgView32 &view)
{
    PaintEndMarks(painter, view);
    const QList<const TGuideLine *> labelled = LabelledLines();
    for (const TGuideLine *line : labelled)
        PaintLabel(painter, view, *line);
}

void TLineMarks::PaintEndMarks(QPainter &painter, const TImgView32 &view) const
{
    const TGuideLine *line = FLines.Selection();
    if (!line || !line->Visible())
        return;
    const std::array<QLineF, 2> marks = TLineReading::EndMarks(line->ViewRect(view), IsVerticalFaceValue(line->Tag()));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // A light halo under each mark keeps it visible on dark and light skin.
    painter.setPen(QPen(MarkHalo, 3));
    painter.drawLines(marks.data(), int(marks.size()));
    painter.setPen(QPen(MarkColour, 1));
    painter.drawLines(marks.data(), int(marks.size()));
    painter.restore();
}

// The number stands beyond the line's first end: left of a horizontal
// line, above a vertical one, on a light halo.
void TLineMarks::PaintLabel(QPainter &painter, const TImgView32 &view, const TGuideLine &line)
{
    const QRectF r = line.ViewRect(view);
    const QString text = QString::number(line.Tag());
    painter.save();
    const QFontMetricsF metrics(painter.font());
    const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
    const QPointF topLeft = IsVerticalFaceValue(line.Tag())
                                ? QPointF(r.center().x() - size.width() / 2, r.top() - LabelGap - size.height())
                                : QPointF(r.left() - LabelGap - size.width(), r.center().y() - size.height() / 2);
    const QRectF box(topLeft, size);
    painter.fillRect(box.adjusted(-1, 0, 1, 0), MarkHalo);
    painter.setPen(LabelColour);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}
