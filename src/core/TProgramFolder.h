#pragma once

#include <QString>

// The program folder, absolute and ending in a separator. Every path the
// program builds starts here, never at the working directory:
// - the executable's own folder when the data folders (lng, pic, res, help)
//   lie beside it: the build folder or a copied portable folder;
// - otherwise the installed data folder found relative to the executable
//   (../share/orvessa/ for the installed layout);
// - the executable's folder again when neither holds the data, so that the
//   missing files are reported where a portable copy would keep them.
class TProgramFolder
{
public:
    static QString fromExecutable();

    // The same rule for an executable in executableFolder.
    static QString ForExecutableIn(const QString &executableFolder);

    // The folder of the program's plugins, ending in a separator: the
    // executable's folder when it is a program folder of its own, otherwise
    // the installed plugin folder relative to the executable (../lib/orvessa/).
    static QString PluginFolder();
    static QString PluginFolderForExecutableIn(const QString &executableFolder);

    // Tests run a program folder of their own (a copy of the data folders).
    static void setOverride(const QString &folder);

private:
    static QString &override();
    static bool HoldsData(const QString &folder);
    static QString WithSeparator(const QString &folder);
};
