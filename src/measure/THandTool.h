#pragma once

#include "measure/TViewTool.h"

class QAction;

// Panning the photo view by dragging with the left button: a tool of the
// view (TViewTool), current while the action acHandTool is checked. The
// action is the one switch; SetEnabled checks or unchecks it and makes the
// tool the view's current one or takes it away.
class THandTool : public TViewTool
{
public:
    THandTool(TImgView32 &view, QAction &handToolAction);
    ~THandTool() override;

    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Panning() const { return FPanning; }
    QPoint LastPanPoint() const { return FLast; } // view pixels

    // A left press starts a pan (size-all cursor); other buttons pass on.
    bool MouseDown(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons buttons,
                   Qt::KeyboardModifiers modifiers, QPoint viewPos) override;
    // While panning: scroll by (last - pos), so the photo follows the pointer,
    // and repaint at once. The last point follows the pointer even where the
    // scroll position stops at its limit. Moves without a pan are taken too:
    // while the tool is current the layers offer no cursor.
    bool MouseMove(TImgView32 &view, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                   QPoint viewPos) override;
    // A left release, wherever the pointer is, ends the pan.
    bool MouseUp(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons buttons,
                 Qt::KeyboardModifiers modifiers, QPoint viewPos) override;
    void Deactivated(TImgView32 &view) override;

private:
    void EndPan(TImgView32 &view);

    TImgView32 &FView;
    QAction &FAction;
    bool FPanning = false;
    QPoint FLast;
};
