#pragma once

#include <QImage>

// The program's raster pictures, drawn with QPainter. Every function returns
// a picture of its final size; main.cpp writes them to their files.
class TPictures
{
public:
    enum class THeart { Whole, Broken, Delete };

    // Sample picture of measurement n (1 .. 11): the face with that distance marked.
    static QImage sample(int n);
    // The measure panel's preview before any measurement is picked.
    static QImage preview();
    // The wizard's requirement pictures, page 0 .. 2 (imp0 .. imp2).
    static QImage requirement(int page);
    // The tall decorative strip of the wizard's first page.
    static QImage border();
    static QImage heart(THeart kind);
    static QImage warning();
    // Seamless background tile of the report page.
    static QImage backgroundTile();
    // Guide line picture: 120 x 3 horizontal or 3 x 120 vertical.
    static QImage guideLine(Qt::Orientation orientation);
};
