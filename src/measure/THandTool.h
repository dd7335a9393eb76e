#pragma once

#include <QPoint>
#include <Qt>

class QAction;
class TImgView32;

// Panning the photo view by dragging with the left button. The main window
// drives it from the view's mouse signals; it is armed while the action
// acHandTool is checked (the action is the one switch: SetEnabled checks or
// unchecks it).
class THandTool
{
public:
    THandTool(TImgView32 &view, QAction &handToolAction);

    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Panning() const { return FPanning; }
    QPoint LastPanPoint() const { return FLast; } // view pixels

    // A left press with the tool armed starts a pan (size-all cursor).
    void MouseDown(Qt::MouseButton button, QPoint viewPos);
    // While panning: scroll by (last - pos), so the photo follows the pointer,
    // and repaint at once. The last point follows the pointer even where the
    // scroll position stops at its limit.
    void MouseMove(QPoint viewPos);
    // A left release, wherever the pointer is, ends the pan.
    void MouseUp(Qt::MouseButton button);

private:
    TImgView32 &FView;
    QAction &FAction;
    bool FPanning = false;
    QPoint FLast;
};
