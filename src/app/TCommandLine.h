#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

// The program's command line: orvessa [--help] [--version] [PHOTO], or
// orvessa --score [--json] FILE.orvessa.json... to score measurements files,
// or orvessa --measure PHOTO... [--json] [--save] to place lines on photos.
// It is read before the application object exists, so that --help,
// --version and --score answer without a display.
class TCommandLine
{
public:
    // arguments as the program got them, its own name first.
    explicit TCommandLine(const QStringList &arguments);

    // Whether the program starts its window; otherwise it prints Output()
    // and exits with ExitStatus(): 0 after --help and --version, 2 after an
    // unknown option or more than one photo.
    bool StartsProgram() const;
    int ExitStatus() const;
    // Empty while the program starts or scores; "Orvessa <version>" for --version, the
    // usage for --help, the error and the usage otherwise.
    QString Output() const;

    // The photo to open once the main window is shown, as an absolute path
    // (a relative one is taken from the working directory); empty for none.
    QString Photo() const;

    // Prints Output() (standard output for status 0, else standard error)
    // and returns ExitStatus(); after --score, scores the files instead.
    int Finish() const;

    // Scores each measurements file: its figures go to out (three lines
    // "index X", "dispersion Y", "error Z", or one JSON line), the English
    // message of a file that cannot be scored to err. Returns 0 when every
    // file was scored, else 1 when a file's measurements are incomplete or
    // degenerate, 2 when a file could not be read.
    static int Score(const QStringList &files, bool json, QString &out, QString &err);

private:
    QCommandLineParser FParser;
    int FExitStatus = -1;
    bool FScore = false;
    bool FMeasure = false;
    QString FError;
};
