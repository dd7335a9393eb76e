#include "TBitmapLayer.h"

#include "measure/TImgView32.h"

#include <QPainter>

#include <algorithm>

void TBitmapLayer::SetPicture(QImage picture)
{
    FPicture = std::move(picture);
    Changed();
}

void TBitmapLayer::SetLocation(const TFloatRect &location)
{
    if (location == FLocation)
        return;
    FLocation = location;
    Changed();
}

void TBitmapLayer::SetOpacity(int opacity)
{
    opacity = std::clamp(opacity, 0, 255);
    if (opacity == FOpacity)
        return;
    FOpacity = opacity;
    Changed();
}

QRectF TBitmapLayer::ViewRect(const TImgView32 &view) const
{
    const QPointF topLeft = view.MapToViewF(QPointF(FLocation.Left, FLocation.Top));
    const QPointF bottomRight = view.MapToViewF(QPointF(FLocation.Right, FLocation.Bottom));
    return QRectF(topLeft, bottomRight).normalized();
}

void TBitmapLayer::Paint(QPainter &painter, const TImgView32 &view)
{
    if (FPicture.isNull() || FOpacity == 0)
        return;
    painter.save();
    painter.setOpacity(FOpacity / 255.0);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(ViewRect(view), FPicture);
    painter.restore();
}

bool TBitmapLayer::HitTest(const TImgView32 &view, QPoint viewPos) const
{
    return ViewRect(view).contains(QPointF(viewPos));
}
