#pragma once

#include "TBitmapLayer.h"

#include <functional>

// The guide line of one measurement: a thin picture over the photo, tagged
// with its measurement number. A press on it is handed to the main window,
// which selects the line. A hidden line takes no presses, so a line that is
// not on screen can never be picked by accident.
class TGuideLine : public TBitmapLayer
{
public:
    using PressHandler = std::function<void(TGuideLine *line)>;

    TGuideLine();

    void SetOnMouseDown(PressHandler handler);

    bool HitTest(const TImgView32 &view, QPoint viewPos) const override;
    void MouseDown(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons buttons,
                   Qt::KeyboardModifiers modifiers, QPoint viewPos) override;

private:
    PressHandler FOnMouseDown;
};
