#include "THandTool.h"

#include "measure/TImgView32.h"

#include <QAction>

THandTool::THandTool(TImgView32 &view, QAction &handToolAction) : FView(view), FAction(handToolAction)
{
    FAction.setCheckable(true);
}

THandTool::~THandTool()
{
    if (FView.Tool() == this)
        FView.SetTool(nullptr);
}

bool THandTool::Enabled() const
{
    return FAction.isChecked();
}

void THandTool::SetEnabled(bool enabled)
{
    FAction.setChecked(enabled);
    if (enabled)
        FView.SetTool(this);
    else if (FView.Tool() == this)
        FView.SetTool(nullptr);
}

void THandTool::MouseDown(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons, Qt::KeyboardModifiers,
                          QPoint viewPos, TViewLayer *)
{
    if (button != Qt::LeftButton)
        return;
    FLast = viewPos;
    FPanning = true;
    view.SetViewCursor(Qt::SizeAllCursor);
}

void THandTool::MouseMove(TImgView32 &view, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint viewPos, TViewLayer *)
{
    if (!FPanning)
        return;
    view.ScrollBy(FLast.x() - viewPos.x(), FLast.y() - viewPos.y());
    FLast = viewPos;
    view.Repaint();
}

void THandTool::MouseUp(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint,
                        TViewLayer *)
{
    if (button == Qt::LeftButton && FPanning)
        EndPan(view);
}

void THandTool::Deactivated(TImgView32 &view)
{
    if (FPanning)
        EndPan(view);
}

void THandTool::EndPan(TImgView32 &view)
{
    FPanning = false;
    view.SetViewCursor(Qt::ArrowCursor);
}
