#include "TPluginLoader.h"

#include "EOrvessaError.h"
#include "TProgramFolder.h"

#include <QDir>
#include <QPluginLoader>

QString TPluginLoader::Path(const QString &name)
{
    return TProgramFolder::PluginFolder() + name + QStringLiteral(".so");
}

QObject *TPluginLoader::Instance(const QString &name, const QString &failure)
{
    QPluginLoader loader(Path(name));
    QObject *instance = loader.instance();
    if (!instance)
        Fail(name, failure, loader.errorString());
    return instance;
}

void TPluginLoader::Fail(const QString &name, const QString &failure, const QString &reason)
{
    throw EOrvessaError(QStringLiteral("%1 \"%2\". %3").arg(failure, QDir::toNativeSeparators(Path(name)), reason));
}
