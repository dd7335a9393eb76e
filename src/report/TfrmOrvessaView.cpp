#include "TfrmOrvessaView.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

TfrmOrvessaView::TfrmOrvessaView(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmOrvessaView"));
    setWindowTitle(QStringLiteral("Orvessa"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    resize(652, 578);
}

void TfrmOrvessaView::ShowPage(const QString &filePath)
{
    QWebEngineView *browser = FBrowser ? FBrowser : createBrowser();
    browser->setUrl(QUrl::fromLocalFile(filePath));
    if (!isVisible())
        centreOverParent();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

QWebEngineView *TfrmOrvessaView::Browser() const
{
    return FBrowser;
}

QWebEngineView *TfrmOrvessaView::createBrowser()
{
    FBrowser = new QWebEngineView(this);
    FBrowser->setObjectName(QStringLiteral("Browser"));
    layout()->addWidget(FBrowser);
    return FBrowser;
}

void TfrmOrvessaView::centreOverParent()
{
    if (const QWidget *owner = parentWidget())
        move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
}
