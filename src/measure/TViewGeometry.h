#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

// Where the photo sits inside the photo view, without any window: the scale,
// the displayed size, the scroll positions, the offsets and the 16.16
// fixed-point mapping between photo pixels and view pixels.
//
// Units: "photo pixels" are coordinates of the photo bitmap; "view pixels"
// are coordinates inside the view's viewport (its top left corner is 0, 0).
class TViewGeometry
{
public:
    static constexpr float MinScale = 0.001f;   // floor of every scale
    static constexpr float WheelMaxScale = 20.0f;
    static constexpr float WheelMinScale = 0.2f;

    // Zoom arithmetic. Each computes in double and rounds once to float,
    // the precision in which the scale is stored.
    static float ZoomInScale(float scale);    // scale + 0.2
    static float ZoomOutScale(float scale);   // scale - 0.2, floored at MinScale
    static float WheelDownScale(float scale); // wheel towards the user: x 1.1, at most 20
    static float WheelUpScale(float scale);   // wheel away from the user: / 1.1, at least 0.2
    static float ClampScale(float scale);     // at least MinScale
    // The largest scale at which a photo of `photo` pixels fits `client`
    // without scroll bars; MinScale when even that does not fit.
    static float FitScale(QSize photo, QSize client);

    // Inputs. Each setter recomputes the layout; the scroll positions follow
    // the centre-keeping rule, and a photo of another pixel size re-centres.
    QSize PhotoSize() const { return FPhoto; }
    void SetPhotoSize(QSize size);
    float Scale() const { return FScale; }
    bool SetScale(float scale); // false when clamped value equals the current one
    // The view's client area (scroll bars included) and the thickness of a
    // scroll bar; when the bars are shown they take that much at the right
    // and at the bottom.
    void SetClientSize(QSize client, int barExtent);
    QSize ClientSize() const { return FClient; }

    // Scroll positions, view pixels; each kept within 0 .. displayed - viewport.
    QPointF ScrollPos() const { return FScroll; }
    void SetScrollPos(QPointF pos);
    void ScrollBy(int dx, int dy);
    QSize ScrollMax() const; // per axis: max(0, displayed - viewport)

    // Derived layout.
    QSize DisplayedSize() const { return FDisplayed; } // round(W * scale), round(H * scale)
    bool BarsVisible() const { return FBars; }         // both bars, or none
    QSize ViewportSize() const;                        // client minus the bars
    QRect ViewportRect() const { return QRect(QPoint(0, 0), ViewportSize()); }
    QPointF Offset() const;                            // view pixels of photo point (0, 0)
    QRect PhotoRect() const;                           // round(offset), displayed size
    bool IsPhotoEmpty() const { return FPhoto.width() <= 0 || FPhoto.height() <= 0; }

    // Mapping. The ratios are 16.16 fixed point: SX = DW * 65536 / W photo ->
    // view, RX = W * 65536 / DW view -> photo (and likewise for y).
    QPoint MapToImage(QPoint view) const;     // view pixels -> photo pixels (truncated)
    QPoint MapToView(QPoint photo) const;     // photo pixels -> view pixels (floored)
    QPointF MapToViewF(QPointF photo) const;  // photo pixels -> view pixels (exact)
    QPoint PhotoToViewRatio() const;          // (SX, SY)
    QPoint ViewToPhotoRatio() const;          // (RX, RY)
    // a * 65536 / b, rounded, 64-bit intermediate: the ratios above. A zero
    // denominator counts as 1; absurd zooms saturate.
    static int FixedRatio(qint64 a, qint64 b);

private:
    struct TAxes
    {
        QSize displayed;
        QSize viewport;
    };
    TAxes Axes() const { return {FDisplayed, ViewportSize()}; }
    void Relayout(QSize oldPhoto, TAxes old);

    QSize FPhoto;
    float FScale = 1.0f;
    QSize FClient;
    int FBarExtent = 0;
    QPointF FScroll;
    QSize FDisplayed;
    bool FBars = false;
};
