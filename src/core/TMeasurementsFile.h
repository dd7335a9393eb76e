#pragma once

#include "core/TFloatRect.h"

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// One measurement of a measurements file: its number (1 to 11), the store
// entry of its line and how the line was placed.
struct TMeasurementEntry
{
    int Number = 0;
    TFloatRect Rect;
    bool Auto = false; // "placed": "auto" rather than "manual"

    friend bool operator==(const TMeasurementEntry &, const TMeasurementEntry &) = default;
};

// What a measurements file holds: the photo the lines were placed on and
// the entries of the measurements that have a line, in number order.
struct TMeasurements
{
    QString PhotoFile;      // as written: relative to the file's folder, or absolute
    QSize PhotoSize;        // pixels as shown
    QByteArray PhotoSha256; // 64 lower-case hex digits of the photo file's bytes
    QList<TMeasurementEntry> Entries;

    friend bool operator==(const TMeasurements &, const TMeasurements &) = default;
};

// Why a measurements file was refused: a language key of the fault's text
// and the values of its %1, %2, ...
struct TMeasurementsFault
{
    const char *Key = nullptr;
    QStringList Args;

    QString Text(const std::function<QString(const QString &key)> &lookup) const;
};

// The measurements file (UTF-8 JSON, extension ".orvessa.json"): its text,
// its checked reading and the photo reference it keeps.
//
//   {
//     "format": "orvessa-measurements",
//     "version": 1,
//     "photo": { "file": "portrait.jpg", "width": 512, "height": 512, "sha256": "<64 hex>" },
//     "measurements": [
//       { "number": 1, "left": 200.5, "top": 390, "right": 262.5, "bottom": 393, "placed": "manual" }
//     ]
//   }
class TMeasurementsFile
{
public:
    static constexpr const char *Extension = ".orvessa.json";
    static constexpr qint64 MaxSize = 1024 * 1024;
    // A value may lie up to this many times the photo's size outside it.
    static constexpr double Reach = 10.0;

    // Language keys of the faults; the texts live with the program's texts.
    static constexpr const char *FaultRead = "measurementsFault.Read";         // %1 system reason
    static constexpr const char *FaultTooLarge = "measurementsFault.TooLarge";
    static constexpr const char *FaultJson = "measurementsFault.Json";         // %1 byte offset
    static constexpr const char *FaultFormat = "measurementsFault.Format";
    static constexpr const char *FaultVersion = "measurementsFault.Version";   // %1 version
    static constexpr const char *FaultPhoto = "measurementsFault.Photo";       // %1 field
    static constexpr const char *FaultList = "measurementsFault.List";
    static constexpr const char *FaultEntry = "measurementsFault.Entry";       // %1 position
    static constexpr const char *FaultNumber = "measurementsFault.Number";     // %1 position
    static constexpr const char *FaultRepeat = "measurementsFault.Repeat";     // %1 number
    static constexpr const char *FaultValue = "measurementsFault.Value";       // %1 number, %2 field
    static constexpr const char *FaultRange = "measurementsFault.Range";       // %1 number, %2 field
    static constexpr const char *FaultPlaced = "measurementsFault.Placed";     // %1 number
    static const QStringList FaultKeys;

    // The file's text, keys in the order above. Every rectangle value must
    // be finite.
    static QByteArray Text(const TMeasurements &measurements);
    // The shortest decimal that the reader turns back into the same float.
    static QByteArray FloatText(float value);

    // Checks the whole text; the first fault found when it is refused.
    static std::optional<TMeasurements> Parse(const QByteArray &text, TMeasurementsFault &fault);
    // Reads and checks the file at path.
    static std::optional<TMeasurements> Read(const QString &path, TMeasurementsFault &fault);
    // Writes the file atomically; the system's reason on failure.
    static bool Write(const QString &path, const TMeasurements &measurements, QString &reason);

    // How the file at filePath names photoPath: relative to the file's
    // folder when the photo lies in it or below it, else absolute.
    static QString PhotoReference(const QString &filePath, const QString &photoPath);
    // The absolute path of the photo that the file at filePath names.
    static QString PhotoPath(const QString &filePath, const QString &reference);
    // The SHA-256 of a file's bytes as 64 lower-case hex digits; empty when
    // it cannot be read.
    static QByteArray Sha256(const QString &path);

    // The entries of the measurements with a line (hasLine(n)), from the store.
    static QList<TMeasurementEntry> Entries(const TMeasureStore &store, const std::function<bool(int n)> &hasLine);
    // A store (StoreLength entries) that holds the entries and zero elsewhere.
    static TMeasureStore Store(const QList<TMeasurementEntry> &entries);
};
