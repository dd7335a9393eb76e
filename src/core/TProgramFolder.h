#pragma once

#include <QString>

// The folder of the running executable, absolute and ending in a separator.
// Every path the program builds starts here, never at the working directory.
class TProgramFolder
{
public:
    static QString fromExecutable();

    // Tests run a program folder of their own (a copy of the data folders).
    static void setOverride(const QString &folder);

private:
    static QString &override();
};
