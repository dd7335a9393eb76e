#include "TImgView32.h"

#include "measure/TDeviceMapping.h"
#include "measure/TViewLayer.h"
#include "measure/TViewOverlay.h"
#include "measure/TViewTool.h"
#include "widgets/TThemeColours.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSizeGrip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr int ScrollStep = 8;       // view pixels per arrow click
constexpr int WheelNotch = 120;     // angle delta of one wheel notch
QRgb ThemeBackground(const QPalette &palette)
{
    return TThemeColours(palette).Colour(TThemeColours::TSurface::ViewBackground).rgb();
}

} // namespace

TImgView32::TImgView32(QWidget *parent) : QAbstractScrollArea(parent), FBackground(ThemeBackground(palette()))
{
    setObjectName(QStringLiteral("Image"));
    setFrameShape(QFrame::NoFrame);
    // Both bars are switched on and off together by the view itself.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setCornerWidget(new QSizeGrip(this));
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(FViewCursor);
    UpdateClientSize();
}

TImgView32::~TImgView32() = default;

// --- Photo -------------------------------------------------------------------

void TImgView32::SetPhoto(TPhoto photo)
{
    FPhoto = std::move(photo);
    FGeometry.SetPhotoSize(FPhoto.PixelSize());
    GeometryChanged();
}

// --- Scale -------------------------------------------------------------------

void TImgView32::SetScale(float scale)
{
    if (!FGeometry.SetScale(scale))
        return;
    GeometryChanged();
    emit scaleChanged(Scale());
}

void TImgView32::ZoomIn()
{
    SetScale(TViewGeometry::ZoomInScale(Scale()));
}

void TImgView32::ZoomOut()
{
    SetScale(TViewGeometry::ZoomOutScale(Scale()));
}

void TImgView32::ActualPixels()
{
    SetScale(1.0f);
}

void TImgView32::FitToWindow()
{
    if (!IsPhotoEmpty())
        SetScale(TViewGeometry::FitScale(FGeometry.PhotoSize(), FGeometry.ClientSize()));
}

void TImgView32::ZoomWheelDown()
{
    SetScale(TViewGeometry::WheelDownScale(Scale()));
}

void TImgView32::ZoomWheelUp()
{
    SetScale(TViewGeometry::WheelUpScale(Scale()));
}

// --- Scrolling ---------------------------------------------------------------

void TImgView32::SetScrollPos(QPointF pos)
{
    FGeometry.SetScrollPos(pos);
    GeometryChanged();
}

void TImgView32::ScrollBy(int dx, int dy)
{
    FGeometry.ScrollBy(dx, dy);
    GeometryChanged();
}

// The client area is the whole widget (no frame); a bar takes the height of
// the horizontal scroll bar at the right and at the bottom.
void TImgView32::UpdateClientSize()
{
    if (FSyncing)
        return;
    FGeometry.SetClientSize(contentsRect().size(), horizontalScrollBar()->sizeHint().height());
    GeometryChanged();
}

void TImgView32::GeometryChanged()
{
    SyncScrollBars();
    Invalidate();
}

void TImgView32::SyncScrollBars()
{
    FSyncing = true;
    // Setting a policy lays the children out again, even when it is unchanged.
    const Qt::ScrollBarPolicy policy = FGeometry.BarsVisible() ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (horizontalScrollBarPolicy() != policy) {
        setHorizontalScrollBarPolicy(policy);
        setVerticalScrollBarPolicy(policy);
    }
    const QSize max = FGeometry.ScrollMax();
    const QSize page = FGeometry.ViewportSize();
    const QPointF pos = FGeometry.ScrollPos();
    QScrollBar *h = horizontalScrollBar();
    QScrollBar *v = verticalScrollBar();
    h->setRange(0, max.width());
    v->setRange(0, max.height());
    h->setPageStep(std::max(page.width(), 1));
    v->setPageStep(std::max(page.height(), 1));
    h->setSingleStep(ScrollStep);
    v->setSingleStep(ScrollStep);
    h->setValue(int(std::nearbyint(pos.x())));
    v->setValue(int(std::nearbyint(pos.y())));
    FSyncing = false;
}

// The user moved a scroll bar: its value becomes the position on that axis.
void TImgView32::scrollContentsBy(int, int)
{
    if (FSyncing)
        return;
    QPointF pos = FGeometry.ScrollPos();
    if (horizontalScrollBar()->value() != int(std::nearbyint(pos.x())))
        pos.setX(horizontalScrollBar()->value());
    if (verticalScrollBar()->value() != int(std::nearbyint(pos.y())))
        pos.setY(verticalScrollBar()->value());
    SetScrollPos(pos);
}

void TImgView32::resizeEvent(QResizeEvent *)
{
    UpdateClientSize();
}

// --- Looks -------------------------------------------------------------------

void TImgView32::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange) {
        FBackground = ThemeBackground(palette());
        Invalidate();
    }
    QAbstractScrollArea::changeEvent(event);
}

void TImgView32::SetViewCursor(const QCursor &cursor)
{
    FViewCursor = cursor;
    viewport()->setCursor(cursor);
}

// --- Current tool ------------------------------------------------------------

void TImgView32::SetTool(TViewTool *tool)
{
    if (tool == FTool)
        return;
    TViewTool *previous = FTool;
    FTool = tool;
    if (previous)
        previous->Deactivated(*this);
    Invalidate();
}

// --- Keys --------------------------------------------------------------------

void TImgView32::SetKeyHandler(KeyHandler handler)
{
    FKeyHandler = std::move(handler);
}

// Here rather than in keyPressEvent: Tab would move the focus on first.
bool TImgView32::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress && FKeyHandler) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (FKeyHandler(key->key(), key->modifiers())) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

// --- Layers ------------------------------------------------------------------

void TImgView32::AddLayerImpl(std::unique_ptr<TViewLayer> layer)
{
    layer->FView = this;
    FLayers.push_back(std::move(layer));
    Invalidate();
}

TViewLayer *TImgView32::Layer(int index) const
{
    return index >= 0 && index < LayerCount() ? FLayers[size_t(index)].get() : nullptr;
}

int TImgView32::IndexOfLayer(const TViewLayer *layer) const
{
    const auto it = std::find_if(FLayers.begin(), FLayers.end(), [layer](const auto &l) { return l.get() == layer; });
    return it == FLayers.end() ? -1 : int(it - FLayers.begin());
}

void TImgView32::BringLayerToTop(TViewLayer *layer)
{
    const int index = IndexOfLayer(layer);
    if (index < 0 || index == LayerCount() - 1)
        return;
    std::rotate(FLayers.begin() + index, FLayers.begin() + index + 1, FLayers.end());
    Invalidate();
}

void TImgView32::RemoveLayer(TViewLayer *layer)
{
    const int index = IndexOfLayer(layer);
    if (index < 0)
        return;
    if (FCapture == layer)
        FCapture = nullptr;
    FLayers.erase(FLayers.begin() + index);
    Invalidate();
}

// --- Overlays ----------------------------------------------------------------

void TImgView32::AddOverlay(TViewOverlay *overlay)
{
    FOverlays.push_back(overlay);
    Invalidate();
}

void TImgView32::RemoveOverlay(TViewOverlay *overlay)
{
    FOverlays.erase(std::remove(FOverlays.begin(), FOverlays.end(), overlay), FOverlays.end());
    Invalidate();
}

// --- Painting ----------------------------------------------------------------

void TImgView32::Invalidate()
{
    viewport()->update();
}

// Only the viewport is painted now. The scroll bars, which a scroll marks
// for repainting too, are held back and painted with the next pass of the
// event loop (enabling their updates again schedules that): a pan paints
// the photo on every mouse move, but both bars (the costlier part) once per
// pass, however many moves came in.
void TImgView32::Repaint()
{
    QScrollBar *const bars[] = {horizontalScrollBar(), verticalScrollBar()};
    for (QScrollBar *bar : bars)
        bar->setUpdatesEnabled(false);
    viewport()->repaint();
    for (QScrollBar *bar : bars)
        bar->setUpdatesEnabled(true);
}

// The painter's target image when the photo can be sampled straight into it:
// a 32-bit image (the widget's backing store, or a QImage) reached through a
// uniform scale (the device pixel ratio) and a whole-device-pixel
// translation, painted fully opaque. Otherwise nullptr.
QImage *TImgView32::DirectTarget(QPainter &painter, QPoint &offset, qreal &ratio)
{
    QPaintEngine *engine = painter.paintEngine();
    QPaintDevice *device = engine ? engine->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    auto *image = static_cast<QImage *>(device);
    const QTransform t = painter.deviceTransform();
    const bool opaque32 = image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32_Premultiplied
                       || image->format() == QImage::Format_ARGB32;
    if (!opaque32 || !image->isDetached() || t.type() > QTransform::TxScale || t.m11() != t.m22() || t.m11() <= 0
        || t.dx() != std::floor(t.dx()) || t.dy() != std::floor(t.dy()) || painter.opacity() != 1.0
        || painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return nullptr;
    offset = QPoint(int(t.dx()), int(t.dy()));
    ratio = t.m11();
    return image;
}

void TImgView32::PaintView(QPainter &painter, const QRect &area)
{
    const QRect r = area & ViewportRect();
    if (!r.isEmpty())
        PaintPhoto(painter, r);
    for (TViewOverlay *overlay : FOverlays)
        overlay->PaintUnder(painter, *this);
    for (const auto &layer : FLayers)
        if (layer->Visible())
            layer->Paint(painter, *this);
    if (FTool)
        FTool->Paint(painter, *this);
    for (TViewOverlay *overlay : FOverlays)
        overlay->PaintOver(painter, *this);
}

// The photo is sampled per device pixel (TDeviceMapping): on a HiDPI screen
// it is drawn at the screen's resolution, never scaled up from view pixels.
void TImgView32::PaintPhoto(QPainter &painter, const QRect &area)
{
    QPoint offset;
    qreal ratio = 1.0;
    if (QImage *target = DirectTarget(painter, offset, ratio)) {
        // Sample straight into the target, only where the painter may draw:
        // the paint event's region (the engine's system clip), the painter's
        // own clip and the image, all in device pixels.
        const TDeviceMapping mapping(FGeometry, ratio);
        QRegion allowed(mapping.ToDevice(area).translated(offset));
        const QRegion system = painter.paintEngine()->systemClip();
        if (!system.isEmpty())
            allowed &= system;
        if (painter.hasClipping())
            allowed &= painter.deviceTransform().map(painter.clipRegion());
        allowed &= target->rect();
        for (const QRect &part : allowed)
            RenderPhoto(mapping, *target, -offset, part.translated(-offset));
        return;
    }
    // Elsewhere through a scratch bitmap at the device's resolution, drawn
    // one to one. It keeps its size between paints, so that no paint
    // allocates (and faults in) fresh memory.
    const TDeviceMapping mapping(FGeometry, painter.device() ? painter.device()->devicePixelRatio() : 1.0);
    const QRect device = mapping.ToDevice(area);
    if (FScratch.width() < device.width() || FScratch.height() < device.height())
        FScratch = QImage(device.size().expandedTo(FScratch.size()), QImage::Format_RGB32);
    RenderPhoto(mapping, FScratch, device.topLeft(), device);
    painter.drawImage(QRectF(area), FScratch, QRectF(QPointF(0, 0), QSizeF(device.size())));
}

// A zoomed-out photo of at most twice the viewport's device pixels is
// sampled once per zoom (TSampledPhoto): making the copy then costs at most
// about two repaints, and it takes at most twice the backing store's memory
// and never more than a quarter of the photo's.
void TImgView32::RenderPhoto(const TDeviceMapping &mapping, QImage &target, QPoint origin, QRect area)
{
    const QRect viewport = mapping.ToDevice(ViewportRect());
    const QImage &photo = FPhoto.Pixels();
    const qint64 limit = std::min(2 * qint64(viewport.width()) * viewport.height(),
                                  qint64(photo.width()) * photo.height() / 4);
    FSampled.Render(photo, mapping, FBackground, target, origin, area, limit);
}

void TImgView32::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    PaintView(painter, event->rect());
}

// --- Mouse -------------------------------------------------------------------

TViewLayer *TImgView32::PressLayerAt(QPoint viewPos) const
{
    for (auto it = FLayers.rbegin(); it != FLayers.rend(); ++it)
        if ((*it)->TakesMousePresses() && (*it)->HitTest(*this, viewPos))
            return it->get();
    return nullptr;
}

// A handler may have removed the layer; then the signal carries none.
TViewLayer *TImgView32::StillHeld(TViewLayer *layer) const
{
    return layer && IndexOfLayer(layer) >= 0 ? layer : nullptr;
}

// Without a drag the cursor is that of the topmost layer that would take a
// press here, else the view's own; during a drag the view's own.
void TImgView32::UpdateCursor(QPoint viewPos, Qt::MouseButtons buttons)
{
    if (buttons == Qt::NoButton)
        if (const TViewLayer *layer = PressLayerAt(viewPos))
            if (const std::optional<QCursor> cursor = layer->CursorAt(*this, viewPos)) {
                viewport()->setCursor(*cursor);
                return;
            }
    viewport()->setCursor(FViewCursor);
}

// The road of every mouse event: the layers first (a press goes to the
// topmost taker under the pointer, which then holds the mouse until all
// buttons are up), then the current tool with the layer that took the event
// (read after the layer's step, which may have switched the tool), then the
// signals. A handler may remove the layer; the tool and the signals then
// get none.
void TImgView32::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (!FCapture)
        FCapture = PressLayerAt(pos);
    TViewLayer *layer = FCapture;
    if (layer)
        layer->MouseDown(*this, event->button(), event->buttons(), event->modifiers(), pos);
    if (FTool)
        FTool->MouseDown(*this, event->button(), event->buttons(), event->modifiers(), pos, StillHeld(layer));
    emit mouseDown(event->button(), event->buttons(), event->modifiers(), pos, StillHeld(layer));
}

void TImgView32::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    TViewLayer *layer = FCapture;
    if (layer)
        layer->MouseMove(*this, Qt::NoButton, event->buttons(), event->modifiers(), pos);
    else
        UpdateCursor(pos, event->buttons());
    if (FTool)
        FTool->MouseMove(*this, event->buttons(), event->modifiers(), pos, StillHeld(layer));
    emit mouseMove(Qt::NoButton, event->buttons(), event->modifiers(), pos, StillHeld(layer));
}

void TImgView32::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    TViewLayer *layer = FCapture;
    if (layer)
        layer->MouseUp(*this, event->button(), event->buttons(), event->modifiers(), pos);
    if (event->buttons() == Qt::NoButton)
        FCapture = nullptr;
    if (FTool)
        FTool->MouseUp(*this, event->button(), event->buttons(), event->modifiers(), pos, StillHeld(layer));
    emit mouseUp(event->button(), event->buttons(), event->modifiers(), pos, StillHeld(layer));
}

// Every whole notch (120 units of angle; finer wheels add up) is signalled.
// The event stays unhandled.
void TImgView32::wheelEvent(QWheelEvent *event)
{
    FWheelDelta += event->angleDelta().y();
    const QPoint pos = event->position().toPoint();
    while (FWheelDelta >= WheelNotch) {
        FWheelDelta -= WheelNotch;
        emit mouseWheelUp(event->modifiers(), pos);
    }
    while (FWheelDelta <= -WheelNotch) {
        FWheelDelta += WheelNotch;
        emit mouseWheelDown(event->modifiers(), pos);
    }
    event->ignore();
}
