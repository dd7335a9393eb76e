#pragma once

#include "core/TFloatRect.h"

#include <Qt>

// What a key press does to the selected guide line, without any window. All
// sizes are photo pixels, the unit of a line's rectangle, so a step is one
// photo pixel at every zoom (scale view pixels on screen).
//
//   Left, Right, Up, Down             move the line by one photo pixel
//   Ctrl + Left / Right (horizontal)  shorten / lengthen it by one pixel at
//   Ctrl + Up / Down (vertical)       each end, about its centre
//   Shift with any of them            ten pixels instead of one
class TLineKeyStep
{
public:
    enum TKind { None, Move, Resize };

    struct TResult
    {
        TKind kind = None;
        TFloatRect rect;
    };

    static constexpr float Step = 1.0f;      // photo pixels
    static constexpr float ShiftStep = 10.0f; // photo pixels, with Shift

    // Whether the key is one of the four arrows.
    static bool IsArrow(int key);
    // The step of an arrow key on a line with rectangle `rect` (a vertical
    // line when `vertical`); kind None for any other key or combination
    // (Alt or Meta held, Ctrl with the arrows across the line).
    static TResult Apply(const TFloatRect &rect, bool vertical, int key, Qt::KeyboardModifiers modifiers);

    static TFloatRect Moved(const TFloatRect &rect, float dx, float dy);
    // Each end of the line's length moves out by `delta` (in when negative);
    // the length never falls below the drag minimum of 1.0.
    static TFloatRect Resized(const TFloatRect &rect, bool vertical, float delta);
};
