#include "TWebBrowserPlugin.h"

#include <QCoreApplication>
#include <QOpenGLContext>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>

// Qt's own hook for the context that every OpenGL context of the program
// shares with; exported by Qt GUI, not declared in a public header.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);

namespace {

// The web engine draws through an OpenGL context shared with the program's.
// Qt makes that context at start-up only when asked to before the application
// object exists, which would load OpenGL into every start; the engine is
// loaded with the first report instead, so the context is made here, once.
void ensureSharedContext()
{
    if (QOpenGLContext::globalShareContext())
        return;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    auto *context = new QOpenGLContext(QCoreApplication::instance());
    context->create();
    qt_gl_set_global_share_context(context);
}

} // namespace

QWidget *TWebBrowserPlugin::CreateBrowser(QWidget *parent)
{
    ensureSharedContext();
    auto *browser = new QWebEngineView(parent);
    browser->setObjectName(QStringLiteral("Browser"));
    return browser;
}

void TWebBrowserPlugin::Navigate(QWidget *browser, const QString &filePath)
{
    if (auto *view = qobject_cast<QWebEngineView *>(browser))
        view->setUrl(QUrl::fromLocalFile(filePath));
}

void TWebBrowserPlugin::Trigger(QWidget *browser, TPageAction action)
{
    if (auto *view = qobject_cast<QWebEngineView *>(browser))
        view->triggerPageAction(action == TPageAction::Copy ? QWebEnginePage::Copy : QWebEnginePage::SelectAll);
}

void TWebBrowserPlugin::Print(QWidget *browser)
{
    auto *view = qobject_cast<QWebEngineView *>(browser);
    if (!view)
        return;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), view->window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The engine prints in the background; the printer lives until it is done.
    QPrinter *job = printer.release();
    QObject::connect(view, &QWebEngineView::printFinished, view, [job] { delete job; }, Qt::SingleShotConnection);
    view->print(job);
}

void TWebBrowserPlugin::PrintToPdf(QWidget *browser, const TPdfDone &done)
{
    auto *view = qobject_cast<QWebEngineView *>(browser);
    if (!view) {
        done(QByteArray());
        return;
    }
    view->page()->printToPdf([done](const QByteArray &pdf) { done(pdf); });
}
