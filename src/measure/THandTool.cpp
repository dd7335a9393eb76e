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

bool THandTool::MouseDown(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons, Qt::KeyboardModifiers,
                          QPoint viewPos)
{
    if (button != Qt::LeftButton)
        return false;
    FLast = viewPos;
    FPanning = true;
    view.SetViewCursor(Qt::SizeAllCursor);
    return true;
}

bool THandTool::MouseMove(TImgView32 &view, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint viewPos)
{
    if (FPanning) {
        view.ScrollBy(FLast.x() - viewPos.x(), FLast.y() - viewPos.y());
        FLast = viewPos;
        view.Repaint();
    }
    return true;
}

bool THandTool::MouseUp(TImgView32 &view, Qt::MouseButton button, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint)
{
    if (button != Qt::LeftButton || !FPanning)
        return false;
    EndPan(view);
    return true;
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
