#pragma once

#include <QString>

// The user's choice of language file, kept in the per-user settings as the
// string value "Language".
//
// The key path names the settings in the registry's manner,
// "Software\<organisation>\<application>": the segment after "Software" is
// the organisation, the remaining segments (joined by "/") the application.
// "Software\Tallowmere\Orvessa" thus opens
// QSettings(NativeFormat, UserScope, "Tallowmere", "Orvessa"), on Linux the
// file ~/.config/Tallowmere/Orvessa.conf. A path without an organisation and
// an application names no settings: reading and writing it fail.
class TLanguageSetting
{
public:
    static const QString KeyPath; // "Software\Tallowmere\Orvessa"

    // Sets path to the stored value (empty when there is none) and returns
    // whether it names an existing file; a folder does not count. A value
    // that is not a string reads as no value.
    static bool ReadLanguageSetting(const QString &keyPath, QString &path);
    // Stores path; false, without a message, when it could not be written.
    static bool WriteLanguageSetting(const QString &keyPath, const QString &path);
};
