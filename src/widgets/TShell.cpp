#include "TShell.h"

#include <QDesktopServices>
#include <QUrl>

TShell::Hook &TShell::hook()
{
    static Hook installed;
    return installed;
}

void TShell::setHook(Hook h)
{
    hook() = std::move(h);
}

bool TShell::open(const QString &address)
{
    if (hook())
        return hook()(address);
    return QDesktopServices::openUrl(QUrl::fromUserInput(address));
}
