#pragma once

#include "core/TFloatRect.h"
#include "measure/TViewLayer.h"

#include <QImage>
#include <QRectF>

// A picture stretched into a rectangle given in photo pixels, blended over
// the photo with a constant opacity; it follows the photo when the view
// zooms or scrolls. Its hit area is that rectangle on screen.
class TBitmapLayer : public TViewLayer
{
public:
    static constexpr int GuideLineOpacity = 70;

    const QImage &Picture() const { return FPicture; }
    void SetPicture(QImage picture);
    // Left, Top, Right, Bottom in photo pixels.
    const TFloatRect &Location() const { return FLocation; }
    void SetLocation(const TFloatRect &location);
    int Opacity() const { return FOpacity; } // 0 (invisible) .. 255 (opaque)
    void SetOpacity(int opacity);

    // The location in view pixels (float photo -> view mapping).
    QRectF ViewRect(const TImgView32 &view) const;

    void Paint(QPainter &painter, const TImgView32 &view) override;
    bool HitTest(const TImgView32 &view, QPoint viewPos) const override;

private:
    QImage FPicture;
    TFloatRect FLocation;
    int FOpacity = 255;
};
