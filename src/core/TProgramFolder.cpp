#include "TProgramFolder.h"

#include "OrvessaBuild.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString &TProgramFolder::override()
{
    static QString folder;
    return folder;
}

void TProgramFolder::setOverride(const QString &folder)
{
    override() = folder.isEmpty() ? folder : WithSeparator(folder);
}

QString TProgramFolder::fromExecutable()
{
    if (!override().isEmpty())
        return override();
    return ForExecutableIn(QCoreApplication::applicationDirPath());
}

QString TProgramFolder::ForExecutableIn(const QString &executableFolder)
{
    const QString installed = QDir(executableFolder).filePath(QString::fromUtf8(OrvessaBuild::DataFromExecutable));
    if (!HoldsData(executableFolder) && HoldsData(installed))
        return WithSeparator(installed);
    return WithSeparator(executableFolder);
}

QString TProgramFolder::PluginFolder()
{
    // The executable's folder, not the override: tests point that at a copy
    // of the data folders, while plugins are built beside the binary.
    return PluginFolderForExecutableIn(QCoreApplication::applicationDirPath());
}

QString TProgramFolder::PluginFolderForExecutableIn(const QString &executableFolder)
{
    if (HoldsData(executableFolder))
        return WithSeparator(executableFolder);
    return WithSeparator(QDir(executableFolder).filePath(QString::fromUtf8(OrvessaBuild::PluginsFromExecutable)));
}

bool TProgramFolder::HoldsData(const QString &folder)
{
    const QDir dir(folder);
    for (const char *name : {"lng", "pic", "res", "help"}) {
        if (!QFileInfo(dir.filePath(QString::fromLatin1(name))).isDir())
            return false;
    }
    return true;
}

QString TProgramFolder::WithSeparator(const QString &folder)
{
    const QString native = QDir::toNativeSeparators(QDir::cleanPath(folder));
    return native.endsWith(QDir::separator()) ? native : native + QDir::separator();
}
