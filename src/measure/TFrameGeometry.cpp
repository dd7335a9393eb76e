#include "TFrameGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace TFrameGeometry {

TDragState handleAt(const QRectF &viewRect, QPoint p, int tolerance)
{
    // Rounded to whole view pixels, right and bottom taken one pixel in.
    const int left = int(std::lround(viewRect.left()));
    const int top = int(std::lround(viewRect.top()));
    const int right = int(std::lround(viewRect.right()));
    const int bottom = int(std::lround(viewRect.bottom()));
    const int x = p.x();
    const int y = p.y();
    auto near = [tolerance](int edge, int v) { return std::abs(edge - v) <= tolerance; };

    const bool nearLeft = near(left, x);
    const bool nearRight = near(right - 1, x);
    const bool nearMiddleX = near((left + right - 1) / 2, x);
    const bool nearTop = near(top, y);
    const bool nearBottom = near(bottom - 1, y);
    const bool nearMiddleY = near((top + bottom - 1) / 2, y);

    // First match wins: corners, then sides, then the inside.
    if (nearRight && nearBottom)
        return dsBottomRight;
    if (nearLeft && nearBottom)
        return dsBottomLeft;
    if (nearRight && nearTop)
        return dsTopRight;
    if (nearLeft && nearTop)
        return dsTopLeft;
    if (nearRight && nearMiddleY)
        return dsRight;
    if (nearMiddleX && nearBottom)
        return dsBottom;
    if (nearLeft && nearMiddleY)
        return dsLeft;
    if (nearMiddleX && nearTop)
        return dsTop;
    if (left <= x && x < right - 1 && top <= y && y < bottom - 1)
        return dsMove;
    return dsNone;
}

Qt::CursorShape cursorFor(TDragState state)
{
    switch (state) {
    case dsLeft:
    case dsRight:
        return Qt::SizeHorCursor;
    case dsTop:
    case dsBottom:
        return Qt::SizeVerCursor;
    case dsTopLeft:
    case dsBottomRight:
        return Qt::SizeFDiagCursor;
    case dsTopRight:
    case dsBottomLeft:
        return Qt::SizeBDiagCursor;
    case dsNone:
    case dsMove:
        break;
    }
    return Qt::ArrowCursor;
}

QPointF viewToFrame(const TFloatRect &frame, const QRectF &viewRect, QPointF p)
{
    const double x = frame.Left + (p.x() - viewRect.left()) / viewRect.width() * (double(frame.Right) - frame.Left);
    const double y = frame.Top + (p.y() - viewRect.top()) / viewRect.height() * (double(frame.Bottom) - frame.Top);
    return {x, y};
}

TFloatRect dragTo(const TFloatRect &old, TDragState state, float x, float y)
{
    TFloatRect r = old;
    if (state == dsMove) {
        const float w = old.Right - old.Left;
        const float h = old.Bottom - old.Top;
        return {x, y, x + w, y + h};
    }
    if (state == dsLeft || state == dsTopLeft || state == dsBottomLeft) {
        r.Left = x;
        if (r.Right - r.Left < MinimumSize)
            r.Left = r.Right - MinimumSize;
    }
    if (state == dsRight || state == dsTopRight || state == dsBottomRight) {
        r.Right = x;
        if (r.Right - r.Left < MinimumSize)
            r.Right = r.Left + MinimumSize;
    }
    if (state == dsTop || state == dsTopLeft || state == dsTopRight) {
        r.Top = y;
        if (r.Bottom - r.Top < MinimumSize)
            r.Top = r.Bottom - MinimumSize;
    }
    if (state == dsBottom || state == dsBottomLeft || state == dsBottomRight) {
        r.Bottom = y;
        if (r.Bottom - r.Top < MinimumSize)
            r.Bottom = r.Top + MinimumSize;
    }
    return r;
}

void RBResizing(const TFloatRect &oldRect, TFloatRect &newRect, TDragState state, Qt::KeyboardModifiers shift)
{
    if (state == dsMove || state == dsNone || !(shift & Qt::ControlModifier))
        return;
    // Centre and half sizes of the rectangle at the press; the dragged side
    // sets the new half size, the opposite side mirrors it about the centre.
    const float cx = (oldRect.Left + oldRect.Right) / 2;
    const float cy = (oldRect.Top + oldRect.Bottom) / 2;
    float hw = (oldRect.Right - oldRect.Left) / 2;
    float hh = (oldRect.Bottom - oldRect.Top) / 2;

    if (state == dsLeft || state == dsTopLeft || state == dsBottomLeft)
        hw = cx - newRect.Left;
    if (state == dsRight || state == dsTopRight || state == dsBottomRight)
        hw = newRect.Right - cx;
    if (state == dsTop || state == dsTopLeft || state == dsTopRight)
        hh = cy - newRect.Top;
    if (state == dsBottom || state == dsBottomLeft || state == dsBottomRight)
        hh = newRect.Bottom - cy;

    hw = std::max(hw, MinimumHalfCtrl);
    hh = std::max(hh, MinimumHalfCtrl);
    newRect = {cx - hw, cy - hh, cx + hw, cy + hh};
}

} // namespace TFrameGeometry
