#include "TMessageBox.h"

#include <QApplication>
#include <QFile>
#include <QStatusTipEvent>
#include <QMessageBox>
#include <QTimer>

namespace {

// ORVESSA_MESSAGE_BOX_LOG names a file that takes a line for every box
// ("<kind>\t<title>\t<text>"), and each box is answered with OK as soon as
// its own event loop runs: tests that start the program in a process of its
// own read the file, where a box would wait for a click nobody gives.
int execBox(QMessageBox &box, const char *kind)
{
    const QString path = qEnvironmentVariable("ORVESSA_MESSAGE_BOX_LOG");
    if (!path.isEmpty()) {
        QFile log(path);
        if (log.open(QIODevice::WriteOnly | QIODevice::Append))
            log.write(QByteArray(kind) + '\t' + box.windowTitle().toUtf8() + '\t' + box.text().toUtf8() + '\n');
        QTimer::singleShot(0, &box, [&box] { box.done(QMessageBox::Ok); });
    }
    return box.exec();
}

} // namespace

TMessageBox::Hook &TMessageBox::hook()
{
    static Hook installed;
    return installed;
}

void TMessageBox::setHook(Hook h)
{
    hook() = std::move(h);
}

void TMessageBox::critical(QWidget *parent, const QString &title, const QString &text)
{
    if (hook()) {
        hook()(Kind::Critical, title, text);
    } else {
        QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
        execBox(box, "Critical");
    }
    forgetHints();
}

// The hint of the menu item or button that led to the box says nothing about
// what the window shows once the box is closed. A control under the mouse
// shows its own again when the mouse enters it.
void TMessageBox::forgetHints()
{
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        QStatusTipEvent none{QString()};
        QCoreApplication::sendEvent(window, &none);
    }
}

void TMessageBox::fatalTopMost(const QString &title, const QString &text)
{
    if (hook()) {
        hook()(Kind::FatalTopMost, title, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    execBox(box, "FatalTopMost");
}

void TMessageBox::warning(QWidget *parent, const QString &title, const QString &text)
{
    if (hook()) {
        hook()(Kind::Warning, title, text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    execBox(box, "Warning");
}

bool &TMessageBox::answer()
{
    static bool yes = false;
    return yes;
}

void TMessageBox::setQuestionAnswer(bool yes)
{
    answer() = yes;
}

bool TMessageBox::question(QWidget *parent, const QString &title, const QString &text)
{
    if (hook()) {
        hook()(Kind::Question, title, text);
        return answer();
    }
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    // A logged box is answered with OK, which is not Yes.
    return execBox(box, "Question") == QMessageBox::Yes;
}
