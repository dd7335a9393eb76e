#pragma once

#include <QCursor>
#include <QPoint>
#include <Qt>

#include <optional>

class QPainter;
class TImgView32;

// A layer drawn over the photo by the photo view (TImgView32), bottom to top
// in the view's list, under the view's current tool. The view owns its
// layers. The layers get each mouse event before the view's current tool: a
// press goes to the topmost layer that takes mouse presses and whose hit
// test contains the point, then every move and the release until all
// buttons are up (capture). Positions are in view pixels.
class TViewLayer
{
public:
    TViewLayer() = default;
    virtual ~TViewLayer();
    TViewLayer(const TViewLayer &) = delete;
    TViewLayer &operator=(const TViewLayer &) = delete;

    // The view that holds the layer, or nullptr before it is added.
    TImgView32 *View() const { return FView; }

    bool Visible() const { return FVisible; } // hidden layers are not drawn
    void SetVisible(bool visible);
    // Whether presses may go to the layer, hidden or not.
    bool TakesMousePresses() const { return FTakesPresses; }
    void SetTakesMousePresses(bool takes);
    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }

    virtual void Paint(QPainter &painter, const TImgView32 &view) = 0;
    // Whether the view point lies on the layer.
    virtual bool HitTest(const TImgView32 &view, QPoint viewPos) const = 0;
    // The cursor over the view point (which passed the hit test); none leaves
    // the view's own cursor.
    virtual std::optional<QCursor> CursorAt(const TImgView32 &view, QPoint viewPos) const;

    // Mouse events of a capture: `button` is the button that changed
    // (Qt::NoButton on a move), `buttons` those held after the event.
    virtual void MouseDown(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons buttons,
                           Qt::KeyboardModifiers modifiers, QPoint viewPos);
    virtual void MouseMove(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons buttons,
                           Qt::KeyboardModifiers modifiers, QPoint viewPos);
    virtual void MouseUp(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons buttons,
                         Qt::KeyboardModifiers modifiers, QPoint viewPos);

protected:
    // Has the view repaint (later); for setters of subclasses.
    void Changed();

private:
    friend class TImgView32;
    TImgView32 *FView = nullptr;
    bool FVisible = true;
    bool FTakesPresses = false;
    int FTag = 0;
};
