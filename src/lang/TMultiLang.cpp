#include "TMultiLang.h"

#include "TLangText.h"
#include "TLanguageSetting.h"
#include "TSystemLanguage.h"
#include "widgets/TMessageBox.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>

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
    const qsizetype nul = text.indexOf('\0');
    const QByteArray content = nul < 0 ? text : text.left(nul);

    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < content.size(); ++i) {
        const char c = content[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(content.mid(start, i - start));
        if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n')
            ++i; // CR LF is one line break
        start = i + 1;
    }
    if (start < content.size())
        lines.append(content.mid(start));
    return lines;
}

bool TMultiLang::LoadLanguageFile(const QString &path)
{
    if (QFileInfo(path).fileName() == QLatin1String("English"))
        return true;

    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;

    if (!BuildSections(SplitLines(content)))
        ReportInvalidFile();
    return true;
}

bool TMultiLang::BuildSections(const QList<QByteArray> &lines)
{
    FStorage.clear();
    int current = -1;
    for (const QByteArray &line : lines) {
        if (line.contains('=')) {
            if (current < 0)
                return false;
            FStorage.addLine(current, line);
        } else if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            current = FStorage.addSection(close < 0 ? QByteArray() : line.mid(1, close - 1));
        }
    }
    return true;
}

void TMultiLang::ReportInvalidFile()
{
    TMessageBox::fatalTopMost(QStringLiteral("Fatal error"), QStringLiteral("Invalid language file"));
    // The program ends once control is back in the event loop, so the
    // handler that loaded the file finishes first.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
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

void TMultiLang::UseLanguageFile(const QString &path, const QString &mainSectionName)
{
    LoadLanguageFile(path); // a failed read keeps the previous texts
    FCurrentLanguageFile = path;
    FMainSection = FindSection(mainSectionName);
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
    return GetLangText(FMainSection, key);
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
