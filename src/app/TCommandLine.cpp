#include "TCommandLine.h"

#include "OrvessaBuild.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

constexpr int UsageError = 2;

} // namespace

TCommandLine::TCommandLine(const QStringList &arguments)
{
    FParser.setApplicationDescription(QStringLiteral("Rates the proportions of a face on a photo."));
    // Not addHelpOption(): its --help-all lists Qt's own options, which this
    // command line, read before the application object exists, does not take.
    FParser.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                         QStringLiteral("Displays help on commandline options.")));
    FParser.addVersionOption();
    FParser.addPositionalArgument(QStringLiteral("PHOTO"),
                                  QStringLiteral("A photo to open (JPEG, BMP, ICO, GIF, WMF or EMF)."),
                                  QStringLiteral("[PHOTO]"));
    if (!FParser.parse(arguments)) {
        FError = FParser.errorText();
        FExitStatus = UsageError;
    } else if (FParser.isSet(QStringLiteral("help")) || FParser.isSet(QStringLiteral("version"))) {
        FExitStatus = 0;
    } else if (FParser.positionalArguments().size() > 1) {
        FError = QStringLiteral("Only one photo can be opened.");
        FExitStatus = UsageError;
    }
}

bool TCommandLine::StartsProgram() const
{
    return FExitStatus < 0;
}

int TCommandLine::ExitStatus() const
{
    return FExitStatus;
}

QString TCommandLine::Output() const
{
    if (StartsProgram())
        return QString();
    if (FExitStatus == 0 && FParser.isSet(QStringLiteral("version")) && !FParser.isSet(QStringLiteral("help")))
        return QStringLiteral("Orvessa %1\n").arg(QString::fromUtf8(OrvessaBuild::Version));
    const QString usage = FParser.helpText();
    return FError.isEmpty() ? usage : FError + QLatin1Char('\n') + usage;
}

QString TCommandLine::Photo() const
{
    const QString photo = StartsProgram() ? FParser.positionalArguments().value(0) : QString();
    // As the open dialog gives it: absolute, so that messages name the file
    // wherever the program was started.
    return photo.isEmpty() ? photo : QDir::toNativeSeparators(QFileInfo(photo).absoluteFilePath());
}

int TCommandLine::Finish() const
{
    std::FILE *stream = FExitStatus == 0 ? stdout : stderr;
    std::fputs(Output().toLocal8Bit().constData(), stream);
    std::fflush(stream);
    return FExitStatus;
}
