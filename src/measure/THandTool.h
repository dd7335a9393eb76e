#pragma once

#include "measure/TViewTool.h"

class QAction;

// Panning the photo view by dragging with the left button: a tool of the
// view (TViewTool), current while the action acHandTool is checked. The
// action is the one switch; SetEnabled checks or unchecks it and makes the
// tool the view's current one or takes it away.
//
// The tool gets the mouse after the layers, so it pans whether or not a
// layer took the press: a press on the selected guide line drags the line
// (its frame took the press) and pans the view at the same time. Selecting
// another line switches the tool off in the layer's step, so that press
// does not pan.
class THandTool : public TViewTool
{
public:
    THandTool(TImgView32 &view, QAction &handToolAction);
    ~THandTool() override;

    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Panning() const { return FPanning; }
    QPoint LastPanPoint() const { return FLast; } // view pixels

    // A left press starts a pan (size-all cursor); other buttons do nothing.
    void MouseDown(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons buttons,
                   Qt::KeyboardModifiers modifiers, QPoint viewPos, TViewLayer *layer) override;
    // While panning: scroll by (last - pos), so the photo follows the pointer,
    // and repaint at once. The last point follows the pointer even where the
    // scroll position stops at its limit. Without a pan nothing: the layers
    // keep offering their cursors.
    void MouseMove(TImgView32 &view, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint viewPos,
                   TViewLayer *layer) override;
    // A left release, wherever the pointer is, ends the pan.
    void MouseUp(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons buttons,
                 Qt::KeyboardModifiers modifiers, QPoint viewPos, TViewLayer *layer) override;
    void Deactivated(TImgView32 &view) override;

private:
    void EndPan(TImgView32 &view);

    TImgView32 &FView;
    QAction &FAction;
    bool FPanning = false;
    QPoint FLast;
};
