#include "TViewLayer.h"

#include "measure/TImgView32.h"

TViewLayer::~TViewLayer() = default;

void TViewLayer::SetVisible(bool visible)
{
    if (visible == FVisible)
        return;
    FVisible = visible;
    Changed();
}

void TViewLayer::SetTakesMousePresses(bool takes)
{
    FTakesPresses = takes;
}

std::optional<QCursor> TViewLayer::CursorAt(const TImgView32 &, QPoint) const
{
    return std::nullopt;
}

void TViewLayer::MouseDown(TImgView32 &, Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint) {}
void TViewLayer::MouseMove(TImgView32 &, Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint) {}
void TViewLayer::MouseUp(TImgView32 &, Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint) {}

void TViewLayer::Changed()
{
    if (FView)
        FView->Invalidate();
}
