#pragma once

#include <QByteArray>
#include <QString>

// How the bytes of a language file become text. The reader keeps every line
// as the bytes of the file; a text turns into characters only when it is
// shown or compared.
//
// Decoding: bytes that form valid UTF-8 are UTF-8; anything else is taken as
// Windows-1251 (the 8-bit Cyrillic code page the older language files were
// written in). Plain ASCII reads the same either way.
//
// Comparison: the language files compare keys and lines ignoring case under
// the user's locale. Both sides are decoded, case-folded and collated with
// QString::localeAwareCompare; texts the collation ranks equal are then
// ordered by code point, so two texts compare equal exactly when their
// case-folded forms are equal.
class TLangText
{
public:
    static QString toDisplay(const QByteArray &bytes);
    static QString fromWindows1251(const QByteArray &bytes);

    // The key under which a text is compared: decoded and case-folded.
    static QString foldCase(const QByteArray &bytes);
    static QString foldCase(const QString &text);
    // < 0, 0, > 0 for two texts already passed through foldCase.
    static int compareFolded(const QString &a, const QString &b);
};
