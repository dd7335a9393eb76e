#include "TMessageBox.h"

#include <QMessageBox>

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
        return;
    }
    QMessageBox::critical(parent, title, text);
}

void TMessageBox::fatalTopMost(const QString &title, const QString &text)
{
    if (hook()) {
        hook()(Kind::FatalTopMost, title, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}
