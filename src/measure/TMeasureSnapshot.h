#pragma once

#include "core/TFloatRect.h"

#include <QImage>
#include <QList>
#include <QPixmap>

#include <optional>

// One guide line as a step found or left it: its rectangle, or none when the
// measurement had no line, and its store entry.
struct TLineShot
{
    int n = 0;
    std::optional<TFloatRect> rect;
    TFloatRect entry;
    QImage picture; // rebuilds a line that was taken away; not compared

    friend bool operator==(const TLineShot &a, const TLineShot &b)
    {
        return a.n == b.n && a.rect == b.rect && a.entry == b.entry;
    }
};

// What one step of the lines can change: the current measurement, the
// Measure items' glyphs and "(check)" marks, the sample preview and the
// lines it touched.
struct TMeasureSnapshot
{
    int current = 0;
    QList<int> glyphs;  // of the Measure items, in order
    QList<bool> marks;  // of the Measure items, in order
    QPixmap preview;
    QList<TLineShot> lines;

    friend bool operator==(const TMeasureSnapshot &a, const TMeasureSnapshot &b)
    {
        return a.current == b.current && a.glyphs == b.glyphs && a.marks == b.marks
            && a.preview.cacheKey() == b.preview.cacheKey() && a.lines == b.lines;
    }
};
