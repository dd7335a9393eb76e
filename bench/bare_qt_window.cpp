// A bare main window: the start-up floor the program is measured against,
// started and probed exactly like the program.
#include "app/TStartupProbe.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(708, 498);
    window.show();
    TStartupProbe::arm(app);
    return app.exec();
}
