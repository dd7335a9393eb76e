#include "TOrvessaApplication.h"

#include "core/EOrvessaError.h"
#include "TStartupWarmUp.h"
#include "TMainForm.h"
#include "widgets/TMessageBox.h"
#include "TStartupProbe.h"
#include "widgets/TOrvessaStyle.h"

#include <QScopeGuard>

TOrvessaApplication::TOrvessaApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setStyle(new TOrvessaStyle);
    // The menu stays in the window, where the layout puts it, even on
    // desktops that offer a global menu (asking the session bus for one
    // would also hold up start-up).
    setAttribute(Qt::AA_DontUseNativeMenuBar);
    setApplicationName(QStringLiteral("Orvessa"));
    setOrganizationName(QStringLiteral("Tallowmere"));
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

int TOrvessaApplication::run(int &argc, char **argv)
{
    TStartupWarmUp warmUp;
    TOrvessaApplication app(argc, argv);
    warmUp.applicationReady();
    const auto waitForWarmUp = qScopeGuard([&warmUp] { warmUp.wait(); });
    TMainForm mainForm;
    mainForm.show();
    TStartupProbe::arm(app);
    return app.exec();
}
