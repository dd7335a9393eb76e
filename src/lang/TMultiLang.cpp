#include "TMultiLang.h"

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

template <typename TVisit>
bool TMultiLang::ForEachLine(const QByteArray &text, TVisit visit)
{
    // The bytes end in a NUL (QByteArray keeps one after them), so strcspn
    // finds the next line break or the NUL that ends the text.
    const char *start = text.constData();
    for (;;) {
        const char *const end = start + std::strcspn(start, "\r\n");
        if (*end == '\0')
            return end == start || visit(QByteArrayView(start, end - start));
        if (!visit(QByteArrayView(start, end - start)))
            return false;
        start = end + (end[0] == '\r' && end[1] == '\n' ? 2 : 1); // CR LF is one line break
    }
}

QList<QByteArray> TMultiLang::SplitLines(const QByteArray &text)
{
    QList<QByteArray> lines;
    ForEachLine(text, [&lines](QByteArrayView line) {
        lines.append(line.toByteArray());
        return true;
    });
    return lines;
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
    // The key lines stay views into the file's bytes, which the table keeps:
    // a large file is split without a copy of every line.
    FStorage.keepText(content);
    int current = -1;
    const bool valid = ForEachLine(content, [this, &current](QByteArrayView line) {
        if (std::memchr(line.data(), '=', size_t(line.size()))) {
            if (current < 0)
                return false;
            FStorage.addLine(current, QByteArray::fromRawData(line.data(), line.size()));
        } else if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            current = FStorage.addSection(close < 0 ? QByteArray() : line.sliced(1, close - 1).toByteArray());
        }
        return true;
    });
    if (!valid)
        FStorage.clear();
    return valid;
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
