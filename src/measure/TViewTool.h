#pragma once

#include <QPoint>
#include <Qt>

class QPainter;
class TImgView32;

// The current tool of the photo view (TImgView32): what the mouse does there
// besides handling the layers. The view has at most one. The tool sees each
// mouse event before the layers; an event it takes (returns true for) goes no
// further, and a press it takes keeps the mouse with the tool, every move and
// the release included, until all buttons are up. While a layer holds the
// mouse the tool sees nothing. The tool paints last, over the layers.
// Positions are in view pixels; `button` is the button that changed
// (Qt::NoButton on a move), `buttons` those held after the event.
class TViewTool
{
public:
    TViewTool() = default;
    virtual ~TViewTool();
    TViewTool(const TViewTool &) = delete;
    TViewTool &operator=(const TViewTool &) = delete;

    virtual bool MouseDown(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons buttons,
                           Qt::KeyboardModifiers modifiers, QPoint viewPos);
    virtual bool MouseMove(TImgView32 &view, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                           QPoint viewPos);
    virtual bool MouseUp(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons buttons,
                         Qt::KeyboardModifiers modifiers, QPoint viewPos);
    virtual void Paint(QPainter &painter, const TImgView32 &view);
    // The view stops using the tool (another one became current, or none):
    // whatever it was doing with the mouse ends here.
    virtual void Deactivated(TImgView32 &view);
};
