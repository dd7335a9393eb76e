#include "TWebBrowserPlugin.h"

#include <QUrl>
#include <QWebEngineView>

QWidget *TWebBrowserPlugin::CreateBrowser(QWidget *parent)
{
    auto *browser = new QWebEngineView(parent);
    browser->setObjectName(QStringLiteral("Browser"));
    return browser;
}

void TWebBrowserPlugin::Navigate(QWidget *browser, const QString &filePath)
{
    if (auto *view = qobject_cast<QWebEngineView *>(browser))
        view->setUrl(QUrl::fromLocalFile(filePath));
}
