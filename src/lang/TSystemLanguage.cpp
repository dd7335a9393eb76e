#include "TSystemLanguage.h"

#include <QLocale>

std::optional<bool> &TSystemLanguage::override()
{
    static std::optional<bool> russian;
    return russian;
}

void TSystemLanguage::setOverride(std::optional<bool> russian)
{
    override() = russian;
}

bool TSystemLanguage::isRussian()
{
    if (override())
        return *override();
    return QLocale::system().language() == QLocale::Russian;
}
