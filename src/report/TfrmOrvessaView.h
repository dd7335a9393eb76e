#pragma once

#include <QWidget>

class TBrowserFactory;

// The report window: a top-level window over the main window that shows the
// report page in a web-browser control. The browser comes from a plugin that
// is loaded with the first page, so that start-up does not pay for the web
// engine. Closing the window only hides it.
class TfrmOrvessaView : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmOrvessaView(QWidget *parent = nullptr);

    // Loads the page file into the browser and shows the window without
    // making it modal, bringing it to the front when it is already open.
    // Relative picture paths of the page resolve against its folder.
    // Throws EOrvessaError when the browser plugin cannot be loaded.
    void ShowPage(const QString &filePath);

    // The web-browser control "Browser"; null until the first page is shown.
    QWidget *Browser() const;

private:
    void createBrowser();
    void centreOverParent();

    TBrowserFactory *FFactory = nullptr;
    QWidget *FBrowser = nullptr;
};
