#include "TDialogFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// The installed families, without the foundry that the font database adds
// to a name that several foundries share ("Nimbus Sans [urw]").
QStringList installedFamilies()
{
    QStringList names = QFontDatabase::families();
    for (QString &name : names) {
        const qsizetype foundry = name.indexOf(QStringLiteral(" ["));
        if (foundry > 0)
            name.truncate(foundry);
    }
    return names;
}

} // namespace

QFont TDialogFont::Make(int pixelSize)
{
    // Arial's metric twin comes before Helvetica's: both set text alike, but
    // the TrueType face loads in half the time of the Type 1 one.
    return Resolve({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                    QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans")},
                   pixelSize);
}

QFont TDialogFont::Resolve(const QStringList &families, int pixelSize)
{
    // Naming a family the system lacks would send every text through the
    // font matcher's slow fallback search: only installed families are
    // named, else the application's default face is used.
    // (QFontDatabase::hasFamily would run that search itself.)
    static const QStringList installed = installedFamilies();
    QFont font;
    for (const QString &family : families) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            font.setFamily(family);
            break;
        }
    }
    font.setPixelSize(pixelSize);
    return font;
}
