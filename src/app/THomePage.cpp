#include "THomePage.h"

#include "core/EOrvessaError.h"
#include "widgets/TShell.h"

#include <QWidget>

QString THomePage::Address(const QString &homePage, const QString &countryPiece, const QString &version,
                           const QString &originTag)
{
    QString address = homePage + countryPiece + QStringLiteral("?orvessa") + version;
    if (!originTag.isEmpty())
        address += QLatin1Char('_') + originTag;
    return address;
}

const QWidget *THomePage::focusedControl(const QWidget *window)
{
    // A window can be its own focus widget; that is not a control in it.
    const QWidget *control = window->focusWidget();
    return control == window ? nullptr : control;
}

QString THomePage::OriginTag(const QWidget *mainWindow, const QList<QWidget *> &secondaryWindows)
{
    if (mainWindow) {
        if (const QWidget *control = focusedControl(mainWindow))
            return QLatin1Char('.') + control->objectName();
    }
    for (const QWidget *window : secondaryWindows) {
        if (!window || !window->isVisible() || !window->isActiveWindow())
            continue;
        QString tag = window->objectName();
        if (const QWidget *control = focusedControl(window))
            tag += QLatin1Char('.') + control->objectName();
        return tag;
    }
    return QString();
}

void THomePage::Open(const QString &address)
{
    if (!TShell::open(address))
        throw EOrvessaError(QStringLiteral("Cannot open \"%1\". No program is set to open it.").arg(address));
}
