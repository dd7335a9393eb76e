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
    {"AboutBox.LabAtt.Caption", "Attention:"},
    {"AboutBox.LabLawProtected.Caption", "This program is protected by copyright law and international treaties."},
    {"AboutBox.LabLawInfo.Caption", "Unauthorised reproduction or distribution of this program, or any part of it, "
                                    "may result in civil and criminal liability."},
    {"AboutBox.LabCopyright.Caption", "Copyright © 2026 Tallowmere"},
    {"AboutBox.LabHomePage.Caption", "www.tallowmere.example"},
    {"frmOrvessaView.Caption", "Orvessa"},
    {"frmOrvessaView.Copy", "Copy"},
    {"frmOrvessaView.SelectAll", "Select All"},
    {"frmOrvessaView.Print", "Print..."},
    {"frmOrvessaView.SaveAsPdf", "Save as PDF..."},
    {"frmOrvessaView.PdfFilter", "PDF documents|*.pdf"},
    {"Edit1", "&Edit"},
    {"acEditUndo", "Undo"},
    {"acEditUndo.Hint", "Undo|Takes back the last change of the guide lines"},
    {"acEditRedo", "Redo"},
    {"acEditRedo.Hint", "Redo|Makes the change taken back again"},
    {"acRecentreLine", "Re-centre Line"},
    {"acRecentreLine.Hint", "Re-centre line|Puts the current measurement's line back on the centre of the view"},
    {"acEditUndo.Step", "Undo %1"},
    {"acEditRedo.Step", "Redo %1"},
    {"Step.MoveLine", "Move Line %1"},
    {"Step.ResizeLine", "Resize Line %1"},
    {"Step.CreateLine", "Create Line %1"},
    {"Step.RecentreLine", "Re-centre Line %1"},
    {"acShowAllLines", "Show All Lines"},
    {"acShowAllLines.Hint", "Show all lines|Draws the lines of every measurement, each with its number"},
    {"StatusLineReading", "%1 · %2 · %3 px"},
    {"acSaveMeasurements", "Save Measurements..."},
    {"acSaveMeasurements.Hint", "Save measurements|Saves the guide lines of the photo to a measurements file"},
    {"acOpenMeasurements", "Open Measurements..."},
    {"acOpenMeasurements.Hint", "Open measurements|Opens a measurements file and places its guide lines"},
    {"errorMeasurementsFile", "The measurements file %1 cannot be opened: %2."},
    {"errorSaveNoPhoto", "Open a photo first, then save its measurements."},
    {"errorSaveNoPhotoFile", "The photo was not opened from a file. Open it from a file to save its measurements."},
    {"errorSaveNoLines", "Place at least one guide line, then save the measurements."},
    {"errorSaveFailed", "The measurements could not be saved to %1: %2"},
    {"warningPhotoMissing", "The photo %1 of the measurements file was not found. The measurements are placed on the current photo."},
    {"errorMeasurementsNoPhoto", "The photo %1 of the measurements file was not found, and no photo is open."},
    {"errorPhotoSize", "The photo %1 is %2 x %3 pixels, but the measurements were taken on a photo of %4 x %5 pixels."},
    {"questionPhotoChanged", "The photo %1 is not the file the measurements were taken on: its contents differ. Use the measurements anyway?"},
    {"scoreIncomplete", "%1: not every measurement has a guide line."},
    {"scoreDegenerate", "%1: the guide lines give no valid result."},
    {"measurementsFault.Read", "it cannot be read (%1)"},
    {"measurementsFault.TooLarge", "it is larger than 1 MiB"},
    {"measurementsFault.Json", "it is not valid JSON (the fault is at byte %1)"},
    {"measurementsFault.Format", "it is not an Orvessa measurements file"},
    {"measurementsFault.Version", "its version %1 is not one this program reads"},
    {"measurementsFault.Photo", "its photo has no valid \"%1\""},
    {"measurementsFault.List", "it has no list of measurements"},
    {"measurementsFault.Entry", "entry %1 of its measurements is not an object"},
    {"measurementsFault.Number", "entry %1 of its measurements has no number from 1 to 11"},
    {"measurementsFault.Repeat", "measurement %1 appears more than once"},
    {"measurementsFault.Value", "measurement %1 has no finite \"%2\""},
    {"measurementsFault.Range", "the \"%2\" of measurement %1 lies more than ten times the photo's size outside the photo"},
    {"Step.OpenMeasurements", "Open Measurements"},
    {"measurementsFilter", "Orvessa measurements"},
    {"measurementsFault.Placed", "the \"placed\" of measurement %1 is neither \"manual\" nor \"auto\""},
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
    {"Step.PlaceLinesAuto", "Automatic Placement"},
    {"AboutBox.LabLandmarks.Caption", "The face model's data (iBUG 300-W) excludes commercial use."},
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
