#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

// The program's command line: orvessa [--help] [--version] [PHOTO].
// It is read before the application object exists, so that --help and
// --version answer without a display.
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
    // Empty while the program starts; "Orvessa <version>" for --version, the
    // usage for --help, the error and the usage otherwise.
    QString Output() const;

    // The photo to open once the main window is shown, as an absolute path
    // (a relative one is taken from the working directory); empty for none.
    QString Photo() const;

    // Prints Output() (standard output for status 0, else standard error)
    // and returns ExitStatus().
    int Finish() const;

private:
    QCommandLineParser FParser;
    int FExitStatus = -1;
    QString FError;
};
