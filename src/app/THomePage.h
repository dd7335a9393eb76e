#pragma once

#include <QList>
#include <QString>

class QWidget;

// The maker's home page: its address, with a query that names the program
// version and the window the user came from, and the shell launch.
class THomePage
{
public:
    static constexpr const char *HomePage = "http://www.tallowmere.example/";

    // homePage + countryPiece + "?orvessa" + version, then "_" + originTag
    // when the tag is not empty. The country piece is the language's country
    // code followed by a backslash, or empty.
    static QString Address(const QString &homePage, const QString &countryPiece, const QString &version,
                           const QString &originTag);

    // Where the user was: "." + the main window's focused control; else the
    // first of the secondary windows (in the order given) that is the active
    // window, by name, with "." + its focused control when it has one; else
    // empty.
    static QString OriginTag(const QWidget *mainWindow, const QList<QWidget *> &secondaryWindows);

    // Asks the shell to open the address; throws EOrvessaError when it fails.
    static void Open(const QString &address);

private:
    // The window's focused control (the one that has, or last had, the
    // keyboard focus in it); null when there is none.
    static const QWidget *focusedControl(const QWidget *window);
};
