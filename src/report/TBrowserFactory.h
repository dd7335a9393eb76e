#pragma once

#include <QString>
#include <QtPlugin>

class QWidget;

// Makes the report window's web-browser control. The browser engine is large
// and slow to load, so it lives in a plugin beside the executable that is
// loaded when the first report is shown, never at start-up.
class TBrowserFactory
{
public:
    virtual ~TBrowserFactory() = default;

    // A new browser control, named "Browser", as a child of parent.
    virtual QWidget *CreateBrowser(QWidget *parent) = 0;
    // Shows the local file in the browser; relative paths in the page
    // resolve against the file's folder.
    virtual void Navigate(QWidget *browser, const QString &filePath) = 0;
};

#define TBrowserFactory_iid "org.tallowmere.Orvessa.BrowserFactory/1.0"
Q_DECLARE_INTERFACE(TBrowserFactory, TBrowserFactory_iid)
