#include "TCommandLine.h"

#include "OrvessaBuild.h"
#include "TMeasureCommand.h"
#include "core/TMeasurementsFile.h"
#include "evaluate/TBeautyResult.h"
#include "lang/TOurTexts.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int UsageError = 2;
constexpr int Unscorable = 1;
constexpr int Unreadable = 2;

QString scoreText(const TBeautyResult &result, bool json)
{
    if (!json)
        return GetCommandLineFigures(result);
    return QStringLiteral("{\"index\": \"%1\", \"dispersion\": \"%2\", \"error\": \"%3\"}\n")
        .arg(GetCommandLineFigure(result.Index), GetCommandLineFigure(result.Dispersion),
             GetCommandLineFigure(result.ErrorPercent()));
}

void print(const QString &text, std::FILE *stream)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

TCommandLine::TCommandLine(const QStringList &arguments)
{
    FParser.setApplicationDescription(QStringLiteral("Rates the proportions of a face on a photo."));
    // Not addHelpOption(): its --help-all lists Qt's own options, which this
    // command line, read before the application object exists, does not take.
    FParser.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                         QStringLiteral("Displays help on commandline options.")));
    FParser.addVersionOption();
    FParser.addOption(QCommandLineOption(QStringLiteral("score"),
                                         QStringLiteral("Scores the measurements files given instead of a photo and "
                                                        "prints their figures; no window opens.")));
    FParser.addOption(QCommandLineOption(QStringLiteral("json"),
                                         QStringLiteral("With --score: prints each file's figures as a JSON line.")));
    FParser.addOption(QCommandLineOption(QStringLiteral("measure"),
                                         QStringLiteral("Places the lines on the photos given automatically and prints "
                                                        "their measurements and figures; no window opens.")));
    FParser.addOption(QCommandLineOption(QStringLiteral("save"),
                                         QStringLiteral("With --measure: writes each photo's measurements file beside it.")));
    FParser.addPositionalArgument(QStringLiteral("PHOTO"),
                                  QStringLiteral("A photo to open (JPEG, BMP, ICO, GIF, WMF or EMF)."),
                                  QStringLiteral("[PHOTO]"));
    if (!FParser.parse(arguments)) {
        FError = FParser.errorText();
        FExitStatus = UsageError;
    } else if (FParser.isSet(QStringLiteral("help")) || FParser.isSet(QStringLiteral("version"))) {
        FExitStatus = 0;
    } else if (FParser.isSet(QStringLiteral("score"))) {
        FScore = !FParser.positionalArguments().isEmpty();
        FError = FScore ? QString() : QStringLiteral("--score needs at least one measurements file.");
        FExitStatus = FScore ? 0 : UsageError;
    } else if (FParser.isSet(QStringLiteral("measure"))) {
        FMeasure = !FParser.positionalArguments().isEmpty();
        FError = FMeasure ? QString() : QStringLiteral("--measure needs at least one photo.");
        FExitStatus = FMeasure ? 0 : UsageError;
    } else if (FParser.isSet(QStringLiteral("save"))) {
        FError = QStringLiteral("--save goes with --measure.");
        FExitStatus = UsageError;
    } else if (FParser.isSet(QStringLiteral("json"))) {
        FError = QStringLiteral("--json goes with --score.");
        FExitStatus = UsageError;
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
    if (StartsProgram() || FScore || FMeasure)
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
    if (FScore) {
        QString out;
        QString err;
        const int status = Score(FParser.positionalArguments(), FParser.isSet(QStringLiteral("json")), out, err);
        print(out, stdout);
        print(err, stderr);
        return status;
    }
    if (FMeasure) {
        QString out;
        QString err;
        const int status = TMeasureCommand::Run(FParser.positionalArguments(), FParser.isSet(QStringLiteral("json")),
                                                FParser.isSet(QStringLiteral("save")), out, err);
        print(out, stdout);
        print(err, stderr);
        return status;
    }
    print(Output(), FExitStatus == 0 ? stdout : stderr);
    return FExitStatus;
}

int TCommandLine::Score(const QStringList &files, bool json, QString &out, QString &err)
{
    int status = 0;
    for (const QString &file : files) {
        TMeasurementsFault fault;
        const std::optional<TMeasurements> measurements = TMeasurementsFile::Read(file, fault);
        if (!measurements) {
            err += TOurTexts::Fallback(QStringLiteral("errorMeasurementsFile"))
                       .arg(file, fault.Text(&TOurTexts::Fallback)) + QLatin1Char('\n');
            status = std::max(status, Unreadable);
            continue;
        }
        TFaceProportions proportions;
        const TBeautyResult result = GetBeautyResult(TMeasurementsFile::Store(measurements->Entries), proportions);
        if (result.Status != TBeautyStatus::Complete) {
            const char *key = result.Status == TBeautyStatus::Incomplete ? "scoreIncomplete" : "scoreDegenerate";
            err += TOurTexts::Fallback(QLatin1String(key)).arg(file) + QLatin1Char('\n');
            status = std::max(status, Unscorable);
            continue;
        }
        out += scoreText(result, json);
    }
    return status;
}
