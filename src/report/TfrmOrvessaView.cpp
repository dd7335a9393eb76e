#include "TfrmOrvessaView.h"

#include "TBrowserFactory.h"
#include "app/EOrvessaError.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>
#include <QVBoxLayout>

TfrmOrvessaView::TfrmOrvessaView(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmOrvessaView"));
    setWindowTitle(QStringLiteral("Orvessa"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    resize(652, 578);
}

QString TfrmOrvessaView::BrowserPluginPath()
{
    return QCoreApplication::applicationDirPath() + QDir::separator() + QStringLiteral("orvessa_browser.so");
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
    QPluginLoader loader(BrowserPluginPath());
    FFactory = qobject_cast<TBrowserFactory *>(loader.instance());
    if (!FFactory)
        throw EOrvessaError(QStringLiteral("Cannot load the report browser \"%1\". %2")
                                .arg(QDir::toNativeSeparators(loader.fileName()), loader.errorString()));
    FBrowser = FFactory->CreateBrowser(this);
    layout()->addWidget(FBrowser);
}

void TfrmOrvessaView::centreOverParent()
{
    if (const QWidget *owner = parentWidget())
        move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
}
