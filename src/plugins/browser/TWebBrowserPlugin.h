#pragma once

#include "report/TBrowserFactory.h"

#include <QObject>

// The report window's browser, built on the web engine.
class TWebBrowserPlugin : public QObject, public TBrowserFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TBrowserFactory_iid)
    Q_INTERFACES(TBrowserFactory)

public:
    QWidget *CreateBrowser(QWidget *parent) override;
    void Navigate(QWidget *browser, const QString &filePath) override;
    void Trigger(QWidget *browser, TPageAction action) override;
    void Print(QWidget *browser) override;
    void PrintToPdf(QWidget *browser, const TPdfDone &done) override;
};
