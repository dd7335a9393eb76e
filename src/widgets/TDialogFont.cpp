#include "TDialogFont.h"

#include <QStringList>

QFont TDialogFont::Make(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(pixelSize);
    return font;
}
