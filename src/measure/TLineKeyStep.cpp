#include "TLineKeyStep.h"

#include "TFrameGeometry.h"

namespace {

// The ends [low, high] moved out by delta each. Below the minimum the line
// keeps its centre: low = c − m/2, high = c + m/2 with c = (low + high) / 2.
void stretch(float &low, float &high, float delta)
{
    const float newLow = low - delta;
    const float newHigh = high + delta;
    if (newHigh - newLow >= TFrameGeometry::MinimumSize) {
        low = newLow;
        high = newHigh;
        return;
    }
    const float centre = (low + high) / 2;
    low = centre - TFrameGeometry::MinimumSize / 2;
    high = centre + TFrameGeometry::MinimumSize / 2;
}

} // namespace

bool TLineKeyStep::IsArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

TLineKeyStep::TResult TLineKeyStep::Apply(const TFloatRect &rect, bool vertical, int key,
                                          Qt::KeyboardModifiers modifiers)
{
    // The keypad's arrows count as arrows.
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
    if (!IsArrow(key) || (held & (Qt::AltModifier | Qt::MetaModifier)))
        return {};
    const float step = (held & Qt::ShiftModifier) ? ShiftStep : Step;
    const bool back = key == Qt::Key_Left || key == Qt::Key_Up;
    if (held & Qt::ControlModifier) {
        const bool along = vertical ? (key == Qt::Key_Up || key == Qt::Key_Down)
                                    : (key == Qt::Key_Left || key == Qt::Key_Right);
        if (!along)
            return {};
        return {Resize, Resized(rect, vertical, back ? -step : step)};
    }
    const bool horizontalKey = key == Qt::Key_Left || key == Qt::Key_Right;
    const float d = back ? -step : step;
    return {Move, horizontalKey ? Moved(rect, d, 0) : Moved(rect, 0, d)};
}

TFloatRect TLineKeyStep::Moved(const TFloatRect &rect, float dx, float dy)
{
    return {rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy};
}

TFloatRect TLineKeyStep::Resized(const TFloatRect &rect, bool vertical, float delta)
{
    TFloatRect result = rect;
    if (vertical)
        stretch(result.Top, result.Bottom, delta);
    else
        stretch(result.Left, result.Right, delta);
    return result;
}
