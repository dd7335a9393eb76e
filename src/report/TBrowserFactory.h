#pragma once

#include <QByteArray>
#include <QString>
#include <QtPlugin>
#include <functional>

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

    // The page commands of the report window's context menu.
    enum class TPageAction { Copy, SelectAll };
    virtual void Trigger(QWidget *browser, TPageAction action) = 0;
    // Shows the system's print dialog over the browser's window and prints
    // the page when the user accepts it.
    virtual void Print(QWidget *browser) = 0;
    // Lays the page out as PDF and hands the document's bytes to done, later,
    // from the event loop; empty bytes when that failed.
    using TPdfDone = std::function<void(const QByteArray &pdf)>;
    virtual void PrintToPdf(QWidget *browser, const TPdfDone &done) = 0;
};

#define TBrowserFactory_iid "org.tallowmere.Orvessa.BrowserFactory/1.1"
Q_DECLARE_INTERFACE(TBrowserFactory, TBrowserFactory_iid)
