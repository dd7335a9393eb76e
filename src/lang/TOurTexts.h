#pragma once

#include <QString>
#include <QStringList>

// The language keys this program added to the shipped language files beyond
// the original set, each with its English wording. A language file written
// for the original set lacks them; their English text is shown then, never
// "<UNTRANSLATED>".
class TOurTexts
{
public:
    // The English text of one of our keys; a null string for any other key.
    static QString Fallback(const QString &key);
    // Every key of ours, in table order.
    static QStringList Keys();
};
