#pragma once

#include "core/TFloatRect.h"

#include <QPoint>
#include <QRectF>
#include <Qt>

// The arithmetic of the selection frame that moves and resizes a guide line:
// which grab zone a view point hits, how a drag changes the rectangle, and the
// symmetric resize with Ctrl. Plain functions, no widgets.
namespace TFrameGeometry {

// Drag states, numbered as the resizing hook receives them.
enum TDragState {
    dsNone = 0,
    dsMove = 1,
    dsLeft = 2,
    dsTop = 3,
    dsRight = 4,
    dsBottom = 5,
    dsTopLeft = 6,
    dsTopRight = 7,
    dsBottomLeft = 8,
    dsBottomRight = 9,
};

constexpr int HandleSize = 3;              // view pixels
constexpr int Tolerance = HandleSize + 1;  // grab distance, view pixels
constexpr float MinimumSize = 1.0f;        // photo pixels, without Ctrl
constexpr float MinimumHalfCtrl = 2.0f;    // photo pixels per half, with Ctrl

// The grab zone under view point p of a frame drawn at viewRect (view
// pixels, fractional); dsNone when the frame does not take the point.
TDragState handleAt(const QRectF &viewRect, QPoint p, int tolerance = Tolerance);

// The cursor shown over a grab zone while no drag is in progress.
Qt::CursorShape cursorFor(TDragState state);

// Photo point under view point p by proportion within the frame's view
// rectangle: x = Left + (p.x − view left) / view width × (Right − Left).
QPointF viewToFrame(const TFloatRect &frame, const QRectF &viewRect, QPointF p);

// The rectangle a drag in state `state` to photo point (x, y) gives, starting
// from the rectangle at the press; sides stop MinimumSize short of each other.
TFloatRect dragTo(const TFloatRect &old, TDragState state, float x, float y);

// The resizing hook: with Ctrl held (and not moving), resizes about the
// centre the rectangle had at the press, each half at least MinimumHalfCtrl.
void RBResizing(const TFloatRect &oldRect, TFloatRect &newRect, TDragState state, Qt::KeyboardModifiers shift);

} // namespace TFrameGeometry
