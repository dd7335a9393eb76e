#pragma once

#include <QPoint>
#include <Qt>

class QPainter;
class TImgView32;
class TViewLayer;

// The current tool of the photo view (TImgView32): what the mouse does there
// besides what the layers do. The view has at most one. Each press, move and
// release over the view reaches the layers first (see TViewLayer); then the
// tool gets the same event, whether or not a layer took it, with the layer
// that took or holds it (`layer`, nullptr for none); then the view's signals
// announce it. A handler of a layer may switch the tool: the event then goes
// to the tool that is current after the layer's step. The tool paints last,
// over the layers.
// Positions are in view pixels; `button` is the button that changed
// (Qt::NoButton on a move), `buttons` those held after the event.
class TViewTool
{
public:
    TViewTool() = default;
    virtual ~TViewTool();
    TViewTool(const TViewTool &) = delete;
    TViewTool &operator=(const TViewTool &) = delete;

    virtual void MouseDown(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons buttons,
                           Qt::KeyboardModifiers modifiers, QPoint viewPos, TViewLayer *layer);
    virtual void MouseMove(TImgView32 &view, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                           QPoint viewPos, TViewLayer *layer);
    virtual void MouseUp(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons buttons,
                         Qt::KeyboardModifiers modifiers, QPoint viewPos, TViewLayer *layer);
    virtual void Paint(QPainter &painter, const TImgView32 &view);
    // The view stops using the tool (another one became current, or none):
    // whatever it was doing with the mouse ends here.
    virtual void Deactivated(TImgView32 &view);
};
