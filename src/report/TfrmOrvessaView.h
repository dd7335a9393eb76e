#pragma once

#include <QWidget>
#include <functional>

class QAction;
class QMenu;
class TBrowserFactory;
class TOpenDialog;

// The report window: a top-level window over the main window that shows the
// report page in a web-browser control. The browser comes from a plugin that
// is loaded with the first page, so that start-up does not pay for the web
// engine. Closing the window only hides it.
//
// The browser's context menu offers what suits a report: Copy, Select All,
// Print... (the system's print dialog) and Save as PDF... (a save dialog,
// then the page laid out as PDF and written in one step; a failed write
// reaches the default error box).
class TfrmOrvessaView : public QWidget
{
    Q_OBJECT

public:
    using TLookup = std::function<QString(const QString &key)>;

    explicit TfrmOrvessaView(QWidget *parent = nullptr);

    // Loads the page file into the browser and shows the window without
    // making it modal, bringing it to the front when it is already open.
    // Relative picture paths of the page resolve against its folder.
    // Throws EOrvessaError when the browser plugin cannot be loaded.
    void ShowPage(const QString &filePath);

    // The web-browser control "Browser"; null until the first page is shown.
    QWidget *Browser() const;

    // The language lookup of the context menu's texts, read each time the
    // menu opens; without one the menu speaks English.
    void SetLookup(TLookup lookup);
    // The context menu "BrowserMenu" with its texts of the language in force.
    QMenu *ContextMenu();

    // The menu's commands.
    void acCopyExecute();
    void acSelectAllExecute();
    void acPrintExecute();
    // Asks for the file, lays the page out and writes it once the browser
    // is done (from the event loop).
    void acSaveAsPdfExecute();

private:
    void createBrowser();
    void createMenu();
    void centreOverParent();
    // The text of key, or english without a lookup.
    QString text(const char *key, const char *english) const;

    TBrowserFactory *FFactory = nullptr;
    QWidget *FBrowser = nullptr;
    TLookup FLookup;
    TOpenDialog *FSaveDialog = nullptr;
    QMenu *FMenu = nullptr;
};
