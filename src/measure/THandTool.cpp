#include "THandTool.h"

#include "measure/TImgView32.h"

#include <QAction>

THandTool::THandTool(TImgView32 &view, QAction &handToolAction) : FView(view), FAction(handToolAction)
{
    FAction.setCheckable(true);
}

bool THandTool::Enabled() const
{
    return FAction.isChecked();
}

void THandTool::SetEnabled(bool enabled)
{
    FAction.setChecked(enabled);
}

void THandTool::MouseDown(Qt::MouseButton button, QPoint viewPos)
{
    if (button != Qt::LeftButton || !Enabled())
        return;
    FLast = viewPos;
    FPanning = true;
    FView.SetViewCursor(Qt::SizeAllCursor);
}

void THandTool::MouseMove(QPoint viewPos)
{
    if (!FPanning)
        return;
    FView.ScrollBy(FLast.x() - viewPos.x(), FLast.y() - viewPos.y());
    FLast = viewPos;
    FView.Repaint();
}

void THandTool::MouseUp(Qt::MouseButton button)
{
    if (button != Qt::LeftButton || !FPanning)
        return;
    FPanning = false;
    FView.SetViewCursor(Qt::ArrowCursor);
}
