#pragma once

#include <optional>

// The language the system's interface speaks, as far as the choice of the
// default language file needs it.
class TSystemLanguage
{
public:
    // QLocale::system() speaks Russian (any country), unless a test has
    // set an override.
    static bool isRussian();

    // Tests simulate a Russian or a non-Russian system; nullopt restores the
    // real answer.
    static void setOverride(std::optional<bool> russian);

private:
    static std::optional<bool> &override();
};
