#include "TLoupe.h"

#include "measure/TGuideLine.h"
#include "measure/TGuideLines.h"
#include "measure/TImgView32.h"
#include "measure/TLoupeGeometry.h"
#include "measure/TDeviceMapping.h"
#include "measure/TPhotoRenderer.h"
#include "measure/TSelectionFrame.h"

#include <QKeyEvent>
#include <QPainter>

namespace {

const QColor Rim(0x30, 0x30, 0x30);
const QColor Cross(0xE0, 0x20, 0x20);

} // namespace

TLoupe::TLoupe(TImgView32 &view, const TGuideLines &lines) : FView(view), FLines(lines), FWindow(view.window())
{
    FView.AddOverlay(this);
    // Keys go to the focused control and climb to the window when it leaves
    // them: the window sees Z wherever the focus is.
    FWindow->installEventFilter(this);
    // The pointer is followed once the view has handled each event, so a
    // press that starts a drag shows the loupe at once.
    const auto follow = [this](Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint pos, TViewLayer *) {
        PointerAt(pos);
    };
    connect(&FView, &TImgView32::mouseDown, this, follow);
    connect(&FView, &TImgView32::mouseMove, this, follow);
    connect(&FView, &TImgView32::mouseUp, this, follow);
    FView.viewport()->installEventFilter(this);
}

TLoupe::~TLoupe()
{
    FView.RemoveOverlay(this);
}

bool TLoupe::Dragging() const
{
    const TSelectionFrame *frame = FLines.Frame();
    return frame && frame->Line() && frame->DragState() != TFrameGeometry::dsNone
        && frame->DragState() != TFrameGeometry::dsMove;
}

bool TLoupe::Shown() const
{
    return FInside && (FKeyHeld || Dragging()) && !FView.IsPhotoEmpty();
}

QRect TLoupe::Placement() const
{
    return Shown() ? TLoupeGeometry::Placement(FView.ViewportRect(), FPointer) : QRect();
}

double TLoupe::Magnification() const
{
    return TLoupeGeometry::Magnification(FView.Scale(), FView.viewport()->devicePixelRatioF());
}

bool TLoupe::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FWindow)
        return KeyEvent(event);
    if (event->type() == QEvent::Leave && FInside) {
        FInside = false;
        Update();
    }
    return false;
}

bool TLoupe::KeyEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        // Z alone; Ctrl+Z and the like belong to the commands.
        if (key->key() != Key || key->isAutoRepeat()
            || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            return false;
        SetKeyHeld(event->type() == QEvent::KeyPress);
        return FInside;
    }
    case QEvent::WindowDeactivate:
        SetKeyHeld(false); // its release goes to another window
        return false;
    default:
        return false;
    }
}

void TLoupe::PointerAt(QPoint viewPos)
{
    FPointer = viewPos;
    FInside = FView.ViewportRect().contains(viewPos);
    Update();
}

void TLoupe::SetKeyHeld(bool held)
{
    if (held == FKeyHeld)
        return;
    FKeyHeld = held;
    Update();
}

// Repaints while the loupe is shown, and once more when it goes.
void TLoupe::Update()
{
    const bool shown = Shown();
    if (shown || FWasShown)
        FView.Invalidate();
    FWasShown = shown;
}

// The magnified pixels, the line and the crosshair are drawn into a small
// square first, then cut round by a mask and ringed by a rim made once per
// size, and laid over the view in one blend: the view's painter never takes
// a round clip or an antialiased fill, which cost far more than the blits.
void TLoupe::PaintOver(QPainter &painter, const TImgView32 &view)
{
    const QRect place = Placement();
    if (place.isEmpty())
        return;
    const qreal dpr = view.viewport()->devicePixelRatioF();
    const double m = Magnification();
    const int side = int(std::lround(place.width() * dpr));
    if (FTarget.width() != side)
        MakeSquares(side, dpr);

    // The photo point under the pointer, sampled through the renderer's own
    // nearest-neighbour path from the few photo pixels around it.
    const QImage &photo = view.Photo().Pixels();
    const QPointF c = TLoupeGeometry::ViewToPhoto(view.Geometry(), QPointF(FPointer));
    const TLoupeGeometry::TSampling s = TLoupeGeometry::Sampling(photo.size(), c, side, m);
    const QImage crop = s.crop.isEmpty() ? QImage()
                                         : QImage(photo.constScanLine(s.crop.top()) + s.crop.left() * 4,
                                                  s.crop.width(), s.crop.height(), photo.bytesPerLine(), photo.format());
    TPhotoRenderer::Render(crop, TDeviceMapping(s.photoRect, s.ratio, crop.size()), view.Background().rgb(), FTarget, QPoint(0, 0), FTarget.rect());

    QPainter square(&FTarget);
    // The selected line as the view draws it, magnified about the same point.
    const TGuideLine *line = FLines.Selection();
    if (line && line->Visible()) {
        const TFloatRect &r = line->Location();
        const QRectF lineRect(QPointF(s.cross.x() + (r.Left - c.x()) * m, s.cross.y() + (r.Top - c.y()) * m),
                              QPointF(s.cross.x() + (r.Right - c.x()) * m, s.cross.y() + (r.Bottom - c.y()) * m));
        square.setOpacity(line->Opacity() / 255.0);
        square.drawImage(lineRect.normalized(), line->Picture());
        square.setOpacity(1);
    }
    square.setPen(QPen(Cross, 1));
    square.drawLine(QPointF(s.cross.x(), 0), QPointF(s.cross.x(), side));
    square.drawLine(QPointF(0, s.cross.y()), QPointF(side, s.cross.y()));
    square.end();

    QPainter round(&FRound);
    round.setCompositionMode(QPainter::CompositionMode_Source);
    round.drawImage(0, 0, FTarget);
    round.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    round.drawImage(0, 0, FMask);
    round.setCompositionMode(QPainter::CompositionMode_SourceOver);
    round.drawImage(0, 0, FRim);
    round.end();
    painter.drawImage(QRectF(place), FRound); // device pixels into view pixels
}

// The squares of one size (device pixels): the magnified pixels, the same
// cut round, the round mask (opaque inside the circle, smooth at its edge)
// and the rim alone.
void TLoupe::MakeSquares(int side, qreal dpr)
{
    FTarget = QImage(side, side, QImage::Format_RGB32);
    FRound = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
    FMask = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
    FMask.fill(Qt::transparent);
    FRim = FMask.copy();
    const QRectF circle = QRectF(FMask.rect()).adjusted(dpr, dpr, -dpr, -dpr);
    QPainter mask(&FMask);
    mask.setRenderHint(QPainter::Antialiasing, true);
    mask.setPen(Qt::NoPen);
    mask.setBrush(Qt::white);
    mask.drawEllipse(circle);
    mask.end();
    QPainter rim(&FRim);
    rim.setRenderHint(QPainter::Antialiasing, true);
    rim.setPen(QPen(Rim, 2 * dpr));
    rim.drawEllipse(circle);
}
