#pragma once

#include "TTransStorage.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The language file in force and the lookup of its texts by key.
//
// A language file is 8-bit text read whole, byte for byte (the first NUL
// byte ends it). Lines end at CR, LF or CR LF. A line holding "=" is a key
// line (key before the first "=", value after it, both verbatim); otherwise a
// line starting with "[" is a section header named by the text up to the
// first "]" (empty without one); every other line is ignored. A key line
// above the first header makes the file invalid: loading it leaves an empty
// table and tells the caller, who ends the program. A file larger than
// MaxFileBytes counts as unreadable.
class TMultiLang
{
public:
    // The text of a missing key or an empty value.
    static const QString Untranslated;
    // The key of the language's country code (ten letters).
    static const QString CountryCodeKey;

    // Language files beyond this size are refused as unreadable.
    static constexpr qint64 MaxFileBytes = qint64(16) << 20;

    enum class TLoadResult {
        Read,       // the file is the table now
        Unreadable, // it could not be opened or read, or is too large: the previous table stays
        Invalid,    // it was read and is invalid: the table is empty
    };

    // Reads the file into the section table. A file named exactly "English"
    // (no extension) is not read at all and counts as read.
    TLoadResult LoadLanguageFile(const QString &path);

    // Index of the first section whose name equals name (as UTF-8) byte for
    // byte; -1 when there is none.
    int FindSection(const QString &name) const;

    // The text of key in the section, decoded for display (TLangText). The
    // key must match a line's whole key, ignoring case. A missing key, an
    // empty value, or a section that is not in the table gives Untranslated.
    QString GetLangText(int section, const QString &key) const;

    // The file the interface translation uses: the stored choice when it
    // names an existing file, else "russian.lng" or "english.lng" in
    // languageFolder (which ends in a separator) by the system's language.
    static QString ChooseLanguageFile(const QString &languageFolder);
    // Makes path the language file in force: loads it (a failed read keeps
    // the previous texts), sets CurrentLanguageFile, and sets MainSection to
    // the section named mainSectionName. Returns how the load went.
    TLoadResult UseLanguageFile(const QString &path, const QString &mainSectionName);

    QString CurrentLanguageFile() const;
    int MainSection() const;
    // The language lookup every part of the program uses: GetLangText on
    // MainSection; a key of ours the file lacks gives its English text.
    QString Text(const QString &key) const;

    // The language's country code ("countryCod"), empty when the file has
    // none; with appendSeparator a backslash follows a non-empty code.
    QString GetCountryCode(bool appendSeparator) const;

    // path equals CurrentLanguageFile when the letters A to Z are taken
    // without case (the check mark of the language menu).
    bool IsCurrentLanguageFile(const QString &path) const;

    const TTransStorage &Storage() const;

    // The lines of a file's bytes: cut at the first NUL, split at CR, LF and
    // CR LF; a line break at the very end starts no further line.
    static QList<QByteArray> SplitLines(const QByteArray &text);

private:
    // Where the text of a file's bytes ends: at the first NUL.
    static const char *TextEnd(const QByteArray &text);
    // The first header line starting at or after from, which starts a line.
    static const char *NextHeader(const char *from, const char *stop);
    // False, leaving an empty table, when a key line comes before the first
    // header.
    bool BuildSections(const QByteArray &content);

    TTransStorage FStorage;
    QString FCurrentLanguageFile;
    int FMainSection = -1;
};
