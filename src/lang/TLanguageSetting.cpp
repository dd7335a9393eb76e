#include "TLanguageSetting.h"

#include <QFileInfo>
#include <QSettings>

#include <memory>

const QString TLanguageSetting::KeyPath = QStringLiteral("Software\\Tallowmere\\Orvessa");

namespace {

const QString ValueName = QStringLiteral("Language");

// The settings a registry-style key path stands for; null for a path that
// names no organisation and application.
std::unique_ptr<QSettings> openSettings(const QString &keyPath)
{
    QStringList segments = keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (!segments.isEmpty() && segments.first().compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0)
        segments.removeFirst();
    if (segments.size() < 2)
        return nullptr;
    const QString organisation = segments.takeFirst();
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation,
                                       segments.join(QLatin1Char('/')));
}

} // namespace

bool TLanguageSetting::ReadLanguageSetting(const QString &keyPath, QString &path)
{
    path.clear();
    const std::unique_ptr<QSettings> settings = openSettings(keyPath);
    if (!settings)
        return false;
    const QVariant value = settings->value(ValueName);
    if (value.typeId() != QMetaType::QString)
        return false;
    path = value.toString();
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool TLanguageSetting::WriteLanguageSetting(const QString &keyPath, const QString &path)
{
    const std::unique_ptr<QSettings> settings = openSettings(keyPath);
    if (!settings || !settings->isWritable())
        return false;
    settings->setValue(ValueName, path);
    settings->sync();
    return settings->status() == QSettings::NoError;
}
