#include "TfrmOrvessaView.h"

#include "TBrowserFactory.h"
#include "core/TPluginLoader.h"

#include <QVBoxLayout>

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
    if (!FBrowser)
        createBrowser();
    FFactory->Navigate(FBrowser, filePath);
    if (!isVisible())
        centreOverParent();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

QWidget *TfrmOrvessaView::Browser() const
{
    return FBrowser;
}

void TfrmOrvessaView::createBrowser()
{
    FFactory = TPluginLoader::Load<TBrowserFactory>(QStringLiteral("orvessa_browser"),
                                                    QStringLiteral("Cannot load the report browser"));
    FBrowser = FFactory->CreateBrowser(this);
    layout()->addWidget(FBrowser);
}

void TfrmOrvessaView::centreOverParent()
{
    if (const QWidget *owner = parentWidget())
        move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
}
