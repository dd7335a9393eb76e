// A bare main window: the start-up floor the program is measured against.
// Prints the milliseconds from process start until the window is shown and
// the event loop is idle, then quits.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include "startup_clock.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(708, 498);
    window.show();
    QTimer::singleShot(0, &app, [] { StartupClock::reportAndQuit(); });
    return app.exec();
}
