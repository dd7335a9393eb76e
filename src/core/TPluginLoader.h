#pragma once

#include <QObject>
#include <QString>

// Loads one of the program's plugins: libraries in the plugin folder that
// hold what start-up must not link (the web engine, the photo decoders).
// A plugin stays loaded for the rest of the run.
class TPluginLoader
{
public:
    // The plugin's file: the plugin folder, the name, ".so".
    static QString Path(const QString &name);

    // The plugin's instance as the interface; throws EOrvessaError
    // ("<failure> \"<path>\". <reason>") when the file is missing or is not
    // such a plugin.
    template <class TInterface>
    static TInterface *Load(const QString &name, const QString &failure)
    {
        auto *plugin = qobject_cast<TInterface *>(Instance(name, failure));
        if (!plugin)
            Fail(name, failure, QStringLiteral("The file is not the expected plugin."));
        return plugin;
    }

private:
    // Never null: throws when the file cannot be loaded.
    static QObject *Instance(const QString &name, const QString &failure);
    [[noreturn]] static void Fail(const QString &name, const QString &failure, const QString &reason);
};
