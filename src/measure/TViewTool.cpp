#include "TViewTool.h"

TViewTool::~TViewTool() = default;

void TViewTool::MouseDown(TImgView32 &, Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint,
                          TViewLayer *)
{
}

void TViewTool::MouseMove(TImgView32 &, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint, TViewLayer *)
{
}

void TViewTool::MouseUp(TImgView32 &, Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint, TViewLayer *)
{
}

void TViewTool::Paint(QPainter &, const TImgView32 &)
{
}

void TViewTool::Deactivated(TImgView32 &)
{
}
