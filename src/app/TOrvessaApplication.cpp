#include "TOrvessaApplication.h"

#include "core/EOrvessaError.h"
#include "OrvessaBuild.h"
#include "TCommandLine.h"
#include "TStartupWarmUp.h"
#include "TMainForm.h"
#include "widgets/TMessageBox.h"
#include "TStartupProbe.h"
#include "widgets/TOrvessaStyle.h"

#include <QScopeGuard>
#include <QTimer>

TOrvessaApplication::TOrvessaApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setStyle(new TOrvessaStyle);
    // The menu stays in the window, where the layout puts it, even on
    // desktops that offer a global menu (asking the session bus for one
    // would also hold up start-up).
    setAttribute(Qt::AA_DontUseNativeMenuBar);
    setApplicationName(QStringLiteral("Orvessa"));
    setOrganizationName(QStringLiteral("Tallowmere"));
    setApplicationVersion(QString::fromUtf8(OrvessaBuild::Version));
    // Window managers match the windows to the desktop entry by this id.
    setDesktopFileName(QString::fromUtf8(OrvessaBuild::DesktopId));
}

bool TOrvessaApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &failure) {
        showException(failure);
    }
    return true;
}

QString TOrvessaApplication::errorBoxText(const QString &message)
{
    // The stop is added when the last character's code is above that of '.',
    // so "done." and "(x)-" stay as they are but "done" gets one.
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void TOrvessaApplication::showException(const std::exception &failure)
{
    const auto *own = dynamic_cast<const EOrvessaError *>(&failure);
    const QString message = own ? own->message() : QString::fromLocal8Bit(failure.what());
    TMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Orvessa"), errorBoxText(message));
}

QStringList TOrvessaApplication::argumentList(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

std::optional<int> &TOrvessaApplication::PendingExit()
{
    static std::optional<int> code;
    return code;
}

void TOrvessaApplication::exitSoon(int code)
{
    PendingExit() = code;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [code] { QCoreApplication::exit(code); }, Qt::QueuedConnection);
}

int TOrvessaApplication::run(int &argc, char **argv)
{
    const TCommandLine commandLine(argumentList(argc, argv));
    if (!commandLine.StartsProgram()) {
        // No display is needed to answer; the core application only names
        // the executable in the usage.
        const QCoreApplication core(argc, argv);
        return commandLine.Finish();
    }
    TStartupWarmUp warmUp;
    TOrvessaApplication app(argc, argv);
    warmUp.applicationReady();
    const auto waitForWarmUp = qScopeGuard([&warmUp] { warmUp.wait(); });
    TMainForm mainForm;
    mainForm.show();
    if (!commandLine.Photo().isEmpty())
        mainForm.OpenOnceShown(commandLine.Photo());
    TStartupProbe::arm(app);
    // Nothing runs between here and the loop: the timer fires in it.
    QTimer::singleShot(0, &app, [] {
        if (PendingExit())
            QCoreApplication::exit(*PendingExit());
    });
    return app.exec();
}
