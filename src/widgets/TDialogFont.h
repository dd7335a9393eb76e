#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The classic dialog font, "MS Sans Serif", with metric-alike fallbacks for
// systems that lack it (the font matcher would otherwise pick a much wider
// face, and fixed-size dialog texts would no longer fit).
class TDialogFont
{
public:
    static QFont Make(int pixelSize);
    // The first of the families that the system has (else the default
    // face), at the pixel size.
    static QFont Resolve(const QStringList &families, int pixelSize);
};
