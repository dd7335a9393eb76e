#include "TPluginLoader.h"

#include "EOrvessaError.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>

QString TPluginLoader::Path(const QString &name)
{
    return QCoreApplication::applicationDirPath() + QDir::separator() + name + QStringLiteral(".so");
}

QObject *TPluginLoader::Instance(const QString &name, QString &reason)
{
    QPluginLoader loader(Path(name));
    QObject *instance = loader.instance();
    reason = instance ? QStringLiteral("The file is not the expected plugin.") : loader.errorString();
    return instance;
}

void TPluginLoader::Fail(const QString &name, const QString &failure, const QString &reason)
{
    throw EOrvessaError(QStringLiteral("%1 \"%2\". %3").arg(failure, QDir::toNativeSeparators(Path(name)), reason));
}
