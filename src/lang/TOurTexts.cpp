#include "TOurTexts.h"

#include <QHash>

namespace {

struct TOurText
{
    const char *key;
    const char *english; // UTF-8
};

// New keys are appended here and to both shipped language files.
const TOurText OurTexts[] = {
    {"acFitToWindow", "Fit to Window"},
    {"acFitToWindow.Hint", "Fit to window|Shows the whole photo in the window"},
    {"acShowAllLines", "Show All Lines"},
    {"acShowAllLines.Hint", "Show all lines|Draws the lines of every measurement, each with its number"},
    {"StatusLineReading", "%1 · %2 · %3 px"},
};

const QHash<QString, QString> &fallbacks()
{
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> texts;
        for (const TOurText &text : OurTexts)
            texts.insert(QString::fromLatin1(text.key), QString::fromUtf8(text.english));
        return texts;
    }();
    return table;
}

} // namespace

QString TOurTexts::Fallback(const QString &key)
{
    return fallbacks().value(key);
}

QStringList TOurTexts::Keys()
{
    QStringList keys;
    for (const TOurText &text : OurTexts)
        keys.append(QString::fromLatin1(text.key));
    return keys;
}
