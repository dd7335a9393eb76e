#pragma once

#include <QVector>

// A rectangle of four 32-bit floats in photo pixels: the shape of a guide
// line and of an entry of the measurement store.
struct TFloatRect
{
    float Left = 0.0f;
    float Top = 0.0f;
    float Right = 0.0f;
    float Bottom = 0.0f;

    friend bool operator==(const TFloatRect &, const TFloatRect &) = default;
};

// The measurement store: entry n belongs to measurement n (1 to 11); the
// main window sizes it to StoreLength zero entries at creation.
using TMeasureStore = QVector<TFloatRect>;
constexpr int StoreLength = 20;
