#pragma once

#include <QString>
#include <QStringList>

// orvessa --measure PHOTO... [--json] [--save]: places the lines of each
// photo automatically, without a window, and prints its measurements and
// figures.
class TMeasureCommand
{
public:
    // For each photo, to out: a text block ("photo P", "measurement N
    // LENGTH" per line, then the figures as --score prints them) or, with
    // json, one line: the measurements file's object (every line "placed":
    // "auto") with "face" and, with a face, "result". With save, each
    // photo with a face gets its measurements file beside it
    // (portrait.jpg -> portrait.orvessa.json). Messages go to err. Returns
    // 0 when every photo had a face, 1 when some had none, 2 when some
    // could not be read (or the model is not installed).
    static int Run(const QStringList &photos, bool json, bool save, QString &out, QString &err);

    // Where --save writes the measurements of photoPath.
    static QString SavePath(const QString &photoPath);
};
