#include "TGuideLine.h"

TGuideLine::TGuideLine()
{
    SetTakesMousePresses(true);
}

void TGuideLine::SetOnMouseDown(PressHandler handler)
{
    FOnMouseDown = std::move(handler);
}

bool TGuideLine::HitTest(const TImgView32 &view, QPoint viewPos) const
{
    return Visible() && TBitmapLayer::HitTest(view, viewPos);
}

void TGuideLine::MouseDown(TImgView32 &, Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint)
{
    if (FOnMouseDown)
        FOnMouseDown(this);
}
