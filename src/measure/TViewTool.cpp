#include "TViewTool.h"

TViewTool::~TViewTool() = default;

bool TViewTool::MouseDown(TImgView32 &, Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint)
{
    return false;
}

bool TViewTool::MouseMove(TImgView32 &, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint)
{
    return false;
}

bool TViewTool::MouseUp(TImgView32 &, Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint)
{
    return false;
}

void TViewTool::Paint(QPainter &, const TImgView32 &)
{
}

void TViewTool::Deactivated(TImgView32 &)
{
}
