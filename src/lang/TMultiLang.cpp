#include "TMultiLang.h"

#include "TLangLines.h"
#include "TLangText.h"
#include "TLanguageSetting.h"
#include "TOurTexts.h"
#include "TSystemLanguage.h"

#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>

#include <cstring>

const QString TMultiLang::Untranslated = QStringLiteral("<UNTRANSLATED>");
const QString TMultiLang::CountryCodeKey = QStringLiteral("countryCod");

namespace {

// Lower-cases the letters A to Z only.
QString asciiLower(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return result;
}

} // namespace

QList<QByteArray> TMultiLang::SplitLines(const QByteArray &text)
{
    QList<QByteArray> lines;
    TLangLines::ForEach(text.constData(), TextEnd(text), [&lines](QByteArrayView line) {
        lines.append(line.toByteArray());
        return true;
    });
    return lines;
}

const char *TMultiLang::TextEnd(const QByteArray &text)
{
    return text.constData() + qstrnlen(text.constData(), size_t(text.size())); // a NUL ends the text
}

TMultiLang::TLoadResult TMultiLang::LoadLanguageFile(const QString &path)
{
    if (QFileInfo(path).fileName() == QLatin1String("English"))
        return TLoadResult::Read;

    if (path.isEmpty())
        return TLoadResult::Unreadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TLoadResult::Unreadable;
    // One byte more than allowed tells a file that is too large, whatever
    // size the file system reports.
    const QByteArray content = file.read(MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError || content.size() > MaxFileBytes)
        return TLoadResult::Unreadable;

    return BuildSections(content) ? TLoadResult::Read : TLoadResult::Invalid;
}

bool TMultiLang::BuildSections(const QByteArray &content)
{
    FStorage.clear();
    // The sections keep their key lines as a stretch of the file's bytes,
    // which the table keeps, and split them when first asked: loading looks
    // only at the lines above the first header and at the headers.
    FStorage.keepText(content);
    const char *const stop = TextEnd(content);
    const char *header = nullptr;
    const bool keyLineFirst = !TLangLines::ForEach(content.constData(), stop, [&header](QByteArrayView line) {
        if (std::memchr(line.data(), '=', size_t(line.size())))
            return false;
        if (line.startsWith('['))
            header = line.data();
        return header == nullptr;
    }) && header == nullptr;
    if (keyLineFirst) {
        FStorage.clear();
        return false;
    }
    while (header != nullptr) {
        const char *const headerEnd = TLangLines::LineEnd(header);
        const char *const body = TLangLines::AfterBreak(headerEnd);
        const char *const next = NextHeader(body, stop);
        const QByteArrayView name(header + 1, headerEnd - header - 1);
        const qsizetype close = name.indexOf(']');
        FStorage.addSection(close < 0 ? QByteArray() : name.first(close).toByteArray(),
                            QByteArrayView(body, (next != nullptr ? next : stop) - body));
        header = next;
    }
    return true;
}

const char *TMultiLang::NextHeader(const char *from, const char *stop)
{
    // A header is a line that starts with "[" and holds no "=".
    for (const char *p = from; p < stop; ++p) {
        p = static_cast<const char *>(std::memchr(p, '[', size_t(stop - p)));
        if (p == nullptr)
            return nullptr;
        if (p != from && p[-1] != '\r' && p[-1] != '\n')
            continue; // inside a line
        const char *const end = TLangLines::LineEnd(p);
        if (!std::memchr(p, '=', size_t(end - p)))
            return p;
        p = end - 1; // a key line: look on after it
    }
    return nullptr;
}

int TMultiLang::FindSection(const QString &name) const
{
    return FStorage.findSection(name.toUtf8());
}

QString TMultiLang::GetLangText(int section, const QString &key) const
{
    const QByteArray value = FStorage.value(section, key);
    return value.isEmpty() ? Untranslated : TLangText::toDisplay(value);
}

QString TMultiLang::ChooseLanguageFile(const QString &languageFolder)
{
    QString stored;
    if (TLanguageSetting::ReadLanguageSetting(TLanguageSetting::KeyPath, stored))
        return stored;
    return languageFolder + (TSystemLanguage::isRussian() ? QStringLiteral("russian.lng") : QStringLiteral("english.lng"));
}

TMultiLang::TLoadResult TMultiLang::UseLanguageFile(const QString &path, const QString &mainSectionName)
{
    const TLoadResult result = LoadLanguageFile(path); // a failed read keeps the previous texts
    FCurrentLanguageFile = path;
    FMainSection = FindSection(mainSectionName);
    return result;
}

QString TMultiLang::CurrentLanguageFile() const
{
    return FCurrentLanguageFile;
}

int TMultiLang::MainSection() const
{
    return FMainSection;
}

QString TMultiLang::Text(const QString &key) const
{
    const QString text = GetLangText(FMainSection, key);
    if (text != Untranslated)
        return text;
    const QString english = TOurTexts::Fallback(key);
    return english.isNull() ? text : english;
}

QString TMultiLang::GetCountryCode(bool appendSeparator) const
{
    const QString code = Text(CountryCodeKey);
    if (code == Untranslated)
        return QString();
    return appendSeparator ? code + QLatin1Char('\\') : code;
}

bool TMultiLang::IsCurrentLanguageFile(const QString &path) const
{
    return asciiLower(path) == asciiLower(FCurrentLanguageFile);
}

const TTransStorage &TMultiLang::Storage() const
{
    return FStorage;
}
