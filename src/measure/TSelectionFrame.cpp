#include "TSelectionFrame.h"

#include "TBitmapLayer.h"

using namespace TFrameGeometry;

void TSelectionFrame::Attach(TBitmapLayer *line)
{
    FLine = line;
    FDragState = dsNone;
    SetTakesMousePresses(line != nullptr);
    Changed();
}

void TSelectionFrame::SetResizingHook(ResizingHook hook)
{
    FResizingHook = std::move(hook);
}

void TSelectionFrame::Paint(QPainter &, const TImgView32 &)
{
}

TDragState TSelectionFrame::ZoneAt(const TImgView32 &view, QPoint viewPos) const
{
    return FLine ? handleAt(FLine->ViewRect(view), viewPos) : dsNone;
}

bool TSelectionFrame::HitTest(const TImgView32 &view, QPoint viewPos) const
{
    return ZoneAt(view, viewPos) != dsNone;
}

std::optional<QCursor> TSelectionFrame::CursorAt(const TImgView32 &view, QPoint viewPos) const
{
    return QCursor(cursorFor(ZoneAt(view, viewPos)));
}

void TSelectionFrame::MouseDown(TImgView32 &view, Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers,
                                QPoint viewPos)
{
    FDragState = ZoneAt(view, viewPos);
    if (FDragState == dsNone)
        return;
    FOldRect = FLine->Location();
    FGrabOffset = FDragState == dsMove ? QPointF(viewPos) - FLine->ViewRect(view).topLeft() : QPointF();
}

void TSelectionFrame::MouseMove(TImgView32 &view, Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers modifiers,
                                QPoint viewPos)
{
    if (FDragState == dsNone || !FLine)
        return;
    // The pointer (less the grab offset of a move) in photo pixels, by
    // proportion within the frame as it is drawn now.
    const QPointF at = viewToFrame(FLine->Location(), FLine->ViewRect(view), QPointF(viewPos) - FGrabOffset);
    TFloatRect dragged = dragTo(FOldRect, FDragState, float(at.x()), float(at.y()));
    if (FResizingHook)
        FResizingHook(FOldRect, dragged, FDragState, modifiers);
    FLine->SetLocation(dragged);
}

void TSelectionFrame::MouseUp(TImgView32 &, Qt::MouseButton, Qt::MouseButtons buttons, Qt::KeyboardModifiers, QPoint)
{
    if (buttons == Qt::NoButton)
        FDragState = dsNone;
}
