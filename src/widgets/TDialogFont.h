#pragma once

#include <QFont>
#include <QString>

// The classic dialog font, "MS Sans Serif", with metric-alike fallbacks for
// systems that lack it (the font matcher would otherwise pick a much wider
// face, and fixed-size dialog texts would no longer fit).
class TDialogFont
{
public:
    static QFont Make(int pixelSize);
};
