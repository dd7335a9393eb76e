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
    std::unique_ptr<QSettings> settings = openSettings(keyPath);
    if (!settings || !settings->isWritable())
        return false;
    settings->setValue(ValueName, path);
    settings->sync();
    // The status also reports a format error of the file as it was before,
    // which the write has replaced: only a failed write is an access error.
    // The write counts as done when the value reads back from the new file.
    if (settings->status() == QSettings::AccessError)
        return false;
    settings = openSettings(keyPath);
    const QVariant stored = settings->value(ValueName);
    return settings->status() == QSettings::NoError && stored.typeId() == QMetaType::QString && stored.toString() == path;
}
