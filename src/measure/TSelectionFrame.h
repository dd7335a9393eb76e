#pragma once

#include "TFrameGeometry.h"
#include "TViewLayer.h"

#include <QPointF>
#include <functional>

class TBitmapLayer;

// The invisible frame around the selected guide line. It lies on top of the
// layers and takes presses in its grab zones (corners, side midpoints,
// inside), changes the cursor over them, and moves or resizes its line while
// the mouse is dragged. It is never drawn: the user sees only the line.
class TSelectionFrame : public TViewLayer
{
public:
    using ResizingHook = std::function<void(const TFloatRect &oldRect, TFloatRect &newRect,
                                            TFrameGeometry::TDragState state, Qt::KeyboardModifiers shift)>;

    // The line whose rectangle the frame follows; nullptr detaches it.
    void Attach(TBitmapLayer *line);
    TBitmapLayer *Line() const { return FLine; }
    void SetResizingHook(ResizingHook hook);
    TFrameGeometry::TDragState DragState() const { return FDragState; }

    void Paint(QPainter &painter, const TImgView32 &view) override;
    bool HitTest(const TImgView32 &view, QPoint viewPos) const override;
    std::optional<QCursor> CursorAt(const TImgView32 &view, QPoint viewPos) const override;
    void MouseDown(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons buttons,
                   Qt::KeyboardModifiers modifiers, QPoint viewPos) override;
    void MouseMove(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons buttons,
                   Qt::KeyboardModifiers modifiers, QPoint viewPos) override;
    void MouseUp(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons buttons,
                 Qt::KeyboardModifiers modifiers, QPoint viewPos) override;

private:
    TFrameGeometry::TDragState ZoneAt(const TImgView32 &view, QPoint viewPos) const;

    TBitmapLayer *FLine = nullptr;
    ResizingHook FResizingHook;
    TFrameGeometry::TDragState FDragState = TFrameGeometry::dsNone;
    TFloatRect FOldRect;  // the line's rectangle at the press
    QPointF FGrabOffset;  // pointer minus the frame's top left at the press (moves only)
};
