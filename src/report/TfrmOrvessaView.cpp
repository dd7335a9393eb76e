#include "TfrmOrvessaView.h"

#include "TBrowserFactory.h"
#include "TPdfFile.h"
#include "core/TPluginLoader.h"
#include "input/TOpenDialog.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QVBoxLayout>

namespace {

// The context menu's commands: object name, language key, English text.
struct TMenuCommand
{
    const char *name;
    const char *key;
    const char *english;
};

const TMenuCommand MenuCommands[] = {
    {"acCopy", "frmOrvessaView.Copy", "Copy"},
    {"acSelectAll", "frmOrvessaView.SelectAll", "Select All"},
    {"acPrint", "frmOrvessaView.Print", "Print..."},
    {"acSaveAsPdf", "frmOrvessaView.SaveAsPdf", "Save as PDF..."},
};


} // namespace

TfrmOrvessaView::TfrmOrvessaView(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmOrvessaView"));
    setWindowTitle(QStringLiteral("Orvessa"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    resize(652, 578);
    FSaveDialog = new TOpenDialog(this);
    FSaveDialog->setObjectName(QStringLiteral("SaveDialog"));
    createMenu();
}

void TfrmOrvessaView::createMenu()
{
    FMenu = new QMenu(this);
    FMenu->setObjectName(QStringLiteral("BrowserMenu"));
    const std::function<void()> handlers[] = {
        [this] { acCopyExecute(); },
        [this] { acSelectAllExecute(); },
        [this] { acPrintExecute(); },
        [this] { acSaveAsPdfExecute(); },
    };
    for (int i = 0; i < int(std::size(MenuCommands)); ++i) {
        if (i == 2)
            FMenu->addSeparator();
        QAction *action = FMenu->addAction(QString());
        action->setObjectName(QString::fromLatin1(MenuCommands[i].name));
        connect(action, &QAction::triggered, this, handlers[i]);
    }
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

void TfrmOrvessaView::SetLookup(TLookup lookup)
{
    FLookup = std::move(lookup);
}

QString TfrmOrvessaView::text(const char *key, const char *english) const
{
    return FLookup ? FLookup(QString::fromLatin1(key)) : QString::fromLatin1(english);
}

QMenu *TfrmOrvessaView::ContextMenu()
{
    for (const TMenuCommand &command : MenuCommands)
        FMenu->findChild<QAction *>(QString::fromLatin1(command.name))->setText(text(command.key, command.english));
    return FMenu;
}

void TfrmOrvessaView::createBrowser()
{
    FFactory = TPluginLoader::Load<TBrowserFactory>(QStringLiteral("orvessa_browser"),
                                                    QStringLiteral("Cannot load the report browser"));
    FBrowser = FFactory->CreateBrowser(this);
    // The browser's own menu would offer Back, Reload, View Source and the
    // like; the report has its own.
    FBrowser->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FBrowser, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { ContextMenu()->popup(FBrowser->mapToGlobal(pos)); });
    layout()->addWidget(FBrowser);
}

void TfrmOrvessaView::acCopyExecute()
{
    if (FBrowser)
        FFactory->Trigger(FBrowser, TBrowserFactory::TPageAction::Copy);
}

void TfrmOrvessaView::acSelectAllExecute()
{
    if (FBrowser)
        FFactory->Trigger(FBrowser, TBrowserFactory::TPageAction::SelectAll);
}

void TfrmOrvessaView::acPrintExecute()
{
    if (FBrowser)
        FFactory->Print(FBrowser);
}

void TfrmOrvessaView::acSaveAsPdfExecute()
{
    const QString filter = text("frmOrvessaView.PdfFilter", "PDF documents|*.pdf");
    if (!FBrowser || !FSaveDialog->ExecuteSave(filter, QStringLiteral("pdf")))
        return;
    const QString path = FSaveDialog->FileName();
    const QPointer<TfrmOrvessaView> window(this);
    FFactory->PrintToPdf(FBrowser, [window, path](const QByteArray &pdf) {
        // The browser calls back from inside its own work: the write runs as
        // an event of its own, so that a failure reaches the default error
        // box as a failed command does.
        if (window)
            QMetaObject::invokeMethod(window, [path, pdf] { TPdfFile::Write(path, pdf); }, Qt::QueuedConnection);
    });
}

void TfrmOrvessaView::centreOverParent()
{
    if (const QWidget *owner = parentWidget())
        move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
}
