#pragma once

#include "input/TPhoto.h"
#include "measure/TSampledPhoto.h"
#include "measure/TViewGeometry.h"
#include "measure/TViewLayer.h" // complete, so that the signals' layer argument has a meta type

#include <QAbstractScrollArea>
#include <QCursor>
#include <QImage>

class TDeviceMapping;
class TViewOverlay;
class TViewTool;

#include <functional>
#include <memory>
#include <vector>

// The zoomable photo view "Image". It shows a decoded photo (TPhoto) at a
// scale, centred while it is smaller than the viewport, with both scroll bars
// while it overflows on either axis, and draws its layers and its current
// tool over it.
//
// Units: "view pixels" are viewport coordinates (integers, the photo's
// rectangle starts at PhotoRect().topLeft()); "photo pixels" are coordinates
// of the photo bitmap, independent of zoom and scroll.
//
// The view owns its mouse road: each event reaches the layers first (see
// TViewLayer), then the current tool, whether or not a layer took it (see
// TViewTool); then the signals mouseDown / mouseMove / mouseUp announce it
// with the layer that took it. Wheel notches are signalled and left unhandled.
class TImgView32 : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit TImgView32(QWidget *parent = nullptr);
    ~TImgView32() override;

    // --- Photo ---------------------------------------------------------------
    const TPhoto &Photo() const { return FPhoto; }
    // Replaces the photo. Another pixel size re-centres the view on the
    // photo's centre; the same size keeps the scroll position; the scale stays.
    void SetPhoto(TPhoto photo);
    bool IsPhotoEmpty() const { return FGeometry.IsPhotoEmpty(); }

    // --- Scale ---------------------------------------------------------------
    float Scale() const { return FGeometry.Scale(); }
    // Floors at 0.001; a change keeps the photo point at the viewport centre.
    void SetScale(float scale);
    void ZoomIn();        // scale + 0.2
    void ZoomOut();       // scale - 0.2
    void ActualPixels();  // 1.0
    void FitToWindow();   // the largest scale that needs no scroll bars
    void ZoomWheelDown(); // wheel towards the user: x 1.1, at most 20
    void ZoomWheelUp();   // wheel away from the user: / 1.1, at least 0.2

    // --- Scrolling (view pixels) -------------------------------------------
    QPointF ScrollPos() const { return FGeometry.ScrollPos(); }
    void SetScrollPos(QPointF pos); // clamped
    void ScrollBy(int dx, int dy);  // clamped; repaints later
    const TViewGeometry &Geometry() const { return FGeometry; }

    // --- Coordinates ---------------------------------------------------------
    QRect ViewportRect() const { return FGeometry.ViewportRect(); } // view pixels
    QRect PhotoRect() const { return FGeometry.PhotoRect(); }       // view pixels
    QPoint MapToImage(QPoint viewPos) const { return FGeometry.MapToImage(viewPos); }      // view -> photo
    QPoint MapToView(QPoint photoPos) const { return FGeometry.MapToView(photoPos); }      // photo -> view
    QPointF MapToViewF(QPointF photoPos) const { return FGeometry.MapToViewF(photoPos); }  // photo -> view, exact

    // --- Looks ---------------------------------------------------------------
    // Silver under a light palette, the palette's dark shade under a dark
    // one (TThemeColours); follows the view's palette.
    QColor Background() const { return QColor::fromRgb(FBackground); }
    // The cursor shown where no layer offers one (the hand tool sets it).
    QCursor ViewCursor() const { return FViewCursor; }
    void SetViewCursor(const QCursor &cursor);

    // --- Current tool --------------------------------------------------------
    // Not owned; nullptr for none. The tool that stops being current is told
    // (TViewTool::Deactivated).
    TViewTool *Tool() const { return FTool; }
    void SetTool(TViewTool *tool);

    // --- Keys ------------------------------------------------------------------
    // Offered every key press while the view has the focus, Tab and
    // Shift+Tab included, before the view's own keys (the arrows scroll);
    // returns true when it used the key.
    using KeyHandler = std::function<bool(int key, Qt::KeyboardModifiers modifiers)>;
    void SetKeyHandler(KeyHandler handler);

    // --- Layers (last = topmost) -------------------------------------------
    // Takes ownership and puts the layer on top; returns it.
    template <class T>
    T *AddLayer(std::unique_ptr<T> layer)
    {
        T *raw = layer.get();
        AddLayerImpl(std::move(layer));
        return raw;
    }
    int LayerCount() const { return int(FLayers.size()); }
    TViewLayer *Layer(int index) const; // bottom = 0
    int IndexOfLayer(const TViewLayer *layer) const; // -1 when not held
    void BringLayerToTop(TViewLayer *layer);
    void RemoveLayer(TViewLayer *layer); // deletes it
    // Show or hide: TViewLayer::SetVisible. The layer holding the mouse, if any.
    TViewLayer *MouseCaptureLayer() const { return FCapture; }

    // --- Overlays (not owned; see TViewOverlay) --------------------------
    void AddOverlay(TViewOverlay *overlay);
    void RemoveOverlay(TViewOverlay *overlay);

    // --- Painting ------------------------------------------------------------
    void Invalidate(); // repaint later
    void Repaint();    // repaint now
    // Draws view pixels `area` (background, photo, the overlays' under-parts,
    // the visible layers, the current tool, then the overlays' over-parts)
    // with `painter`, whose origin is the viewport's top left corner.
    void PaintView(QPainter &painter, const QRect &area);

signals:
    // `button`: the button that changed (Qt::NoButton on a move); `buttons`:
    // those held after the event; `pos`: view pixels; `layer`: the layer that
    // took the event, or nullptr.
    void mouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos,
                   TViewLayer *layer);
    void mouseMove(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos,
                   TViewLayer *layer);
    void mouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos,
                 TViewLayer *layer);
    // One per wheel notch: towards the user (down) or away from the user (up).
    void mouseWheelDown(Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseWheelUp(Qt::KeyboardModifiers modifiers, QPoint pos);
    // After every change of the scale.
    void scaleChanged(float scale);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    static QImage *DirectTarget(QPainter &painter, QPoint &offset, qreal &ratio);
    void PaintPhoto(QPainter &painter, const QRect &area);
    void RenderPhoto(const TDeviceMapping &mapping, QImage &target, QPoint origin, QRect area);
    void AddLayerImpl(std::unique_ptr<TViewLayer> layer);
    TViewLayer *PressLayerAt(QPoint viewPos) const;
    TViewLayer *StillHeld(TViewLayer *layer) const;
    void UpdateCursor(QPoint viewPos, Qt::MouseButtons buttons);
    void UpdateClientSize();
    void SyncScrollBars();
    void GeometryChanged();

    TPhoto FPhoto;
    TViewGeometry FGeometry;
    QRgb FBackground;
    QCursor FViewCursor;
    std::vector<std::unique_ptr<TViewLayer>> FLayers;
    TViewLayer *FCapture = nullptr;
    TViewTool *FTool = nullptr;
    KeyHandler FKeyHandler;
    std::vector<TViewOverlay *> FOverlays;
    int FWheelDelta = 0;
    bool FSyncing = false;
    QImage FScratch;
    TSampledPhoto FSampled;
};
