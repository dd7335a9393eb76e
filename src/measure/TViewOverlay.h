#pragma once

class QPainter;
class TImgView32;

// Something the photo view draws besides its layers and its tool, without
// being one of its layers: aids that must never take a press or be hidden
// with the guide lines. The view paints every overlay's under-part after the
// photo and before the layers, and its over-part last, after the current
// tool. The view does not own its overlays.
class TViewOverlay
{
public:
    TViewOverlay() = default;
    virtual ~TViewOverlay();
    TViewOverlay(const TViewOverlay &) = delete;
    TViewOverlay &operator=(const TViewOverlay &) = delete;

    virtual void PaintUnder(QPainter &painter, const TImgView32 &view);
    virtual void PaintOver(QPainter &painter, const TImgView32 &view);
};
