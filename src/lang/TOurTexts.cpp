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
    {"acPlaceLinesAuto", "Place Lines Automatically"},
    {"acPlaceLinesAuto.Hint", "Place lines automatically|Finds the face on the photo and places the eleven guide lines on it"},
    {"ToolPanelMeasure.Section2", "Automatic"},
    {"ToolPanelMeasure.Section2.Item0", "Place Lines Automatically"},
    {"autoPlaceLooking", "Looking for the face..."},
    {"autoPlaceCheck", "check"},
    {"autoPlaceTilted", "The head is tilted by %1°. Straighten the photo for a more exact result."},
    {"autoPlaceReplaceQuestion", "Some guide lines were placed by hand. Replace them with the automatic placement?"},
    {"errorNoFace", "No face was found on the photo. The guide lines are unchanged."},
    {"errorLandmarkModelMissing", "The face landmark model is not installed (package libdlib-data), so the lines cannot be placed automatically. Place them by hand."},
    {"AboutBox.LabLandmarks.Caption", "The face landmark model was trained on the iBUG 300-W data, whose licence excludes commercial use."},
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
