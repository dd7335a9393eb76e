#include "TMeasurementsFile.h"

#include "TAtomicFile.h"
#include "TMeasureCatalogue.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

const QString FormatName = QStringLiteral("orvessa-measurements");
constexpr int Version = 1;
// The largest photo side the file may name: the photo loader's pixel limit.
constexpr double MaxSide = 268435456.0; // 2^28
const char *const RectFields[] = {"left", "top", "right", "bottom"};

// A JSON string: quotes, backslashes and control characters escaped, the
// rest as UTF-8.
QByteArray jsonString(const QString &text)
{
    QByteArray out = "\"";
    for (const char c : text.toUtf8()) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            out += "\\u00" + QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0');
        } else {
            out += c;
        }
    }
    return out + '"';
}

// A value as the fault message shows it: its compact JSON, cut short.
QString shown(const QJsonValue &value)
{
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2)).left(40);
}

bool isWhole(const QJsonValue &value, double low, double high)
{
    if (!value.isDouble())
        return false;
    const double v = value.toDouble();
    return v >= low && v <= high && v == std::floor(v);
}

std::optional<TMeasurements> fail(TMeasurementsFault &fault, const char *key, QStringList args = {})
{
    fault = {key, std::move(args)};
    return std::nullopt;
}

bool isHex(const QString &text)
{
    for (const QChar c : text)
        if (!c.isDigit() && !(c >= QLatin1Char('a') && c <= QLatin1Char('f')) && !(c >= QLatin1Char('A') && c <= QLatin1Char('F')))
            return false;
    return true;
}

// The photo object; false with the fault of its first bad field.
bool parsePhoto(const QJsonValue &value, TMeasurements &out, TMeasurementsFault &fault)
{
    const QJsonObject photo = value.toObject();
    const auto bad = [&fault](const char *field) {
        fault = {TMeasurementsFile::FaultPhoto, {QString::fromLatin1(field)}};
        return false;
    };
    if (!value.isObject())
        return bad("photo");
    const QJsonValue file = photo.value(QLatin1String("file"));
    if (!file.isString() || file.toString().isEmpty() || file.toString().contains(QChar(0)))
        return bad("file");
    const QJsonValue width = photo.value(QLatin1String("width"));
    if (!isWhole(width, 1.0, MaxSide))
        return bad("width");
    const QJsonValue height = photo.value(QLatin1String("height"));
    if (!isWhole(height, 1.0, MaxSide))
        return bad("height");
    const QString sha = photo.value(QLatin1String("sha256")).toString();
    if (sha.size() != 64 || !isHex(sha))
        return bad("sha256");
    out.PhotoFile = file.toString();
    out.PhotoSize = QSize(width.toInt(), height.toInt());
    out.PhotoSha256 = sha.toLatin1().toLower();
    return true;
}

// Entry number `position` (from 1) of the list; false with its fault.
bool parseEntry(const QJsonValue &value, int position, const QSize &size, quint32 &seen, TMeasurementEntry &entry,
                TMeasurementsFault &fault)
{
    const QString where = QString::number(position);
    if (!value.isObject()) {
        fault = {TMeasurementsFile::FaultEntry, {where}};
        return false;
    }
    const QJsonObject object = value.toObject();
    const QJsonValue number = object.value(QLatin1String("number"));
    if (!isWhole(number, 1.0, MeasureCount)) {
        fault = {TMeasurementsFile::FaultNumber, {where}};
        return false;
    }
    entry.Number = number.toInt();
    const QString n = QString::number(entry.Number);
    if (seen & (1u << entry.Number)) {
        fault = {TMeasurementsFile::FaultRepeat, {n}};
        return false;
    }
    seen |= 1u << entry.Number;
    float *const fields[] = {&entry.Rect.Left, &entry.Rect.Top, &entry.Rect.Right, &entry.Rect.Bottom};
    for (int i = 0; i < 4; ++i) {
        const QJsonValue field = object.value(QLatin1String(RectFields[i]));
        // Read as double, kept as the float nearest to it; a value beyond
        // the float range becomes infinite and is refused with the rest.
        const float v = static_cast<float>(field.toDouble());
        if (!field.isDouble() || !std::isfinite(v)) {
            fault = {TMeasurementsFile::FaultValue, {n, QString::fromLatin1(RectFields[i])}};
            return false;
        }
        // left and right (i even) lie along the width, top and bottom along
        // the height: within Reach sides before 0 or beyond the far edge.
        const double side = i % 2 == 0 ? size.width() : size.height();
        if (v < -TMeasurementsFile::Reach * side || v > (1.0 + TMeasurementsFile::Reach) * side) {
            fault = {TMeasurementsFile::FaultRange, {n, QString::fromLatin1(RectFields[i])}};
            return false;
        }
        *fields[i] = v;
    }
    const QString placed = object.value(QLatin1String("placed")).toString();
    if (placed != QLatin1String("manual") && placed != QLatin1String("auto")) {
        fault = {TMeasurementsFile::FaultPlaced, {n}};
        return false;
    }
    entry.Auto = placed == QLatin1String("auto");
    return true;
}

} // namespace

const QStringList TMeasurementsFile::FaultKeys = {
    QLatin1String(FaultRead),  QLatin1String(FaultTooLarge), QLatin1String(FaultJson),  QLatin1String(FaultFormat),
    QLatin1String(FaultVersion), QLatin1String(FaultPhoto),  QLatin1String(FaultList),  QLatin1String(FaultEntry),
    QLatin1String(FaultNumber), QLatin1String(FaultRepeat),  QLatin1String(FaultValue), QLatin1String(FaultRange),
    QLatin1String(FaultPlaced)};

QString TMeasurementsFault::Text(const std::function<QString(const QString &key)> &lookup) const
{
    QString text = lookup(QLatin1String(Key));
    for (const QString &arg : Args)
        text = text.arg(arg);
    return text;
}

QByteArray TMeasurementsFile::FloatText(float value)
{
    // -0 is written as 0: the reader cannot tell them apart, and both are
    // the same point of the photo.
    if (value == 0.0f)
        return "0";
    // The shortest digits that round back to the float. The reader goes
    // through double, and in the rare case that this second rounding lands
    // elsewhere, the float's exact value as the shortest double is written
    // instead (it reads back to the same double, hence the same float).
    char buffer[64];
    std::to_chars_result end = std::to_chars(buffer, buffer + sizeof buffer, value);
    QByteArray text(buffer, end.ptr - buffer);
    if (static_cast<float>(std::strtod(text.constData(), nullptr)) != value) {
        end = std::to_chars(buffer, buffer + sizeof buffer, double(value));
        text = QByteArray(buffer, end.ptr - buffer);
    }
    return text;
}

QByteArray TMeasurementsFile::Text(const TMeasurements &m)
{
    QByteArray text = "{\n  \"format\": " + jsonString(FormatName) + ",\n  \"version\": " + QByteArray::number(Version)
        + ",\n  \"photo\": { \"file\": " + jsonString(m.PhotoFile) + ", \"width\": "
        + QByteArray::number(m.PhotoSize.width()) + ", \"height\": " + QByteArray::number(m.PhotoSize.height())
        + ", \"sha256\": \"" + m.PhotoSha256 + "\" },\n  \"measurements\": [";
    for (qsizetype i = 0; i < m.Entries.size(); ++i) {
        const TMeasurementEntry &e = m.Entries[i];
        text += (i == 0 ? "\n" : ",\n");
        text += "    { \"number\": " + QByteArray::number(e.Number) + ", \"left\": " + FloatText(e.Rect.Left)
            + ", \"top\": " + FloatText(e.Rect.Top) + ", \"right\": " + FloatText(e.Rect.Right)
            + ", \"bottom\": " + FloatText(e.Rect.Bottom) + ", \"placed\": " + (e.Auto ? "\"auto\"" : "\"manual\"")
            + " }";
    }
    text += m.Entries.isEmpty() ? "]\n}\n" : "\n  ]\n}\n";
    return text;
}

std::optional<TMeasurements> TMeasurementsFile::Parse(const QByteArray &text, TMeasurementsFault &fault)
{
    if (text.size() > MaxSize)
        return fail(fault, FaultTooLarge);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError)
        return fail(fault, FaultJson, {QString::number(error.offset)});
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(QLatin1String("format")).toString() != FormatName)
        return fail(fault, FaultFormat);
    const QJsonValue version = root.value(QLatin1String("version"));
    if (!isWhole(version, Version, Version))
        return fail(fault, FaultVersion, {shown(version)});
    TMeasurements out;
    if (!parsePhoto(root.value(QLatin1String("photo")), out, fault))
        return std::nullopt;
    const QJsonValue list = root.value(QLatin1String("measurements"));
    if (!list.isArray())
        return fail(fault, FaultList);
    const QJsonArray entries = list.toArray();
    quint32 seen = 0;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        TMeasurementEntry entry;
        if (!parseEntry(entries[i], int(i) + 1, out.PhotoSize, seen, entry, fault))
            return std::nullopt;
        out.Entries.append(entry);
    }
    std::sort(out.Entries.begin(), out.Entries.end(),
              [](const TMeasurementEntry &a, const TMeasurementEntry &b) { return a.Number < b.Number; });
    return out;
}

std::optional<TMeasurements> TMeasurementsFile::Read(const QString &path, TMeasurementsFault &fault)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(fault, FaultRead, {file.errorString()});
    // One byte more than allowed tells a file that is too large without
    // reading all of it.
    const QByteArray text = file.read(MaxSize + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(fault, FaultRead, {file.errorString()});
    return Parse(text, fault);
}

bool TMeasurementsFile::Write(const QString &path, const TMeasurements &measurements, QString &reason)
{
    return TAtomicFile::Write(path, Text(measurements), reason);
}

QString TMeasurementsFile::PhotoReference(const QString &filePath, const QString &photoPath)
{
    QString folder = QFileInfo(filePath).absolutePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    const QString photo = QDir::cleanPath(QFileInfo(photoPath).absoluteFilePath());
    return photo.startsWith(folder) ? photo.mid(folder.size()) : photo;
}

QString TMeasurementsFile::PhotoPath(const QString &filePath, const QString &reference)
{
    return QDir::cleanPath(QDir(QFileInfo(filePath).absolutePath()).absoluteFilePath(reference));
}

QByteArray TMeasurementsFile::Sha256(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return QByteArray();
    return hash.result().toHex();
}

QList<TMeasurementEntry> TMeasurementsFile::Entries(const TMeasureStore &store, const std::function<bool(int n)> &hasLine)
{
    QList<TMeasurementEntry> entries;
    for (int n = 1; n <= MeasureCount; ++n)
        if (hasLine(n))
            entries.append({n, store.value(n), false});
    return entries;
}

TMeasureStore TMeasurementsFile::Store(const QList<TMeasurementEntry> &entries)
{
    TMeasureStore store(StoreLength);
    for (const TMeasurementEntry &entry : entries)
        store[entry.Number] = entry.Rect;
    return store;
}
