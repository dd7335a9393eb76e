#include "TProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

QString &TProgramFolder::override()
{
    static QString folder;
    return folder;
}

void TProgramFolder::setOverride(const QString &folder)
{
    override() = folder.isEmpty() || folder.endsWith(QDir::separator()) ? folder : folder + QDir::separator();
}

QString TProgramFolder::fromExecutable()
{
    if (!override().isEmpty())
        return override();
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator();
}
