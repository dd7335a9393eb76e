#pragma once

#include <QApplication>
#include <exception>
#include <optional>

// The application object. Its event loop is the last stop of every failure
// that no handler catches: the failure is shown in the default error box and
// the program carries on with the next event.
class TOrvessaApplication : public QApplication
{
    Q_OBJECT

public:
    TOrvessaApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // The default error box: title "Orvessa", the failure's message, a full
    // stop added where the message does not end in one (or in a character
    // that sorts below it).
    static void showException(const std::exception &failure);
    static QString errorBoxText(const QString &message);

    // Ends the program with code once control is back in the main event
    // loop. Asked for during start-up, before that loop runs, it is kept and
    // carried out when the loop starts: an exit asked of Qt then would be
    // lost, taken by a dialog's own loop or by none.
    static void exitSoon(int code);

    // Starts the program: reads the command line (--help and --version
    // answer and return at once), then the windows in their order, the photo
    // given on the command line, and the event loop.
    static int run(int &argc, char **argv);

private:
    static QStringList argumentList(int argc, char **argv);
    static std::optional<int> &PendingExit();
};
