#include "TNpsUrl.h"

#include "TShell.h"
#include "TThemeColours.h"

#include <QApplication>

#include <QMouseEvent>

TNpsUrl::TNpsUrl(QWidget *parent) : QLabel(parent)
{
    FUrl = QStringLiteral("http://www.tallowmere.example/");
    setText(FUrl);
    setCursor(Qt::PointingHandCursor);
    QFont linkFont = font();
    linkFont.setPointSize(12);
    linkFont.setUnderline(true);
    setFont(linkFont);
    setTextColor(QColor(0x00, 0x00, 0xFF));
}

TNpsUrl::TProtocol TNpsUrl::protocol() const
{
    return FProtocol;
}

void TNpsUrl::setProtocol(TProtocol protocol)
{
    FProtocol = protocol;
}

QString TNpsUrl::url() const
{
    return FUrl;
}

void TNpsUrl::setUrl(const QString &url)
{
    FUrl = url;
}

QColor TNpsUrl::activeColor() const
{
    return FActiveColor;
}

void TNpsUrl::setActiveColor(const QColor &color)
{
    FActiveColor = color;
}

QString TNpsUrl::prefix(TProtocol protocol)
{
    switch (protocol) {
    case ptNONE:
        return QString();
    case ptMAIL:
        return QStringLiteral("mailto:");
    case ptWWW:
        return QStringLiteral("http://");
    case ptFTP:
        return QStringLiteral("ftp://");
    case ptFILE:
        return QStringLiteral("file:");
    }
    return QString();
}

QString TNpsUrl::target() const
{
    const QString head = prefix(FProtocol);
    return FUrl.startsWith(head, Qt::CaseSensitive) ? FUrl : head + FUrl;
}

void TNpsUrl::click()
{
    if (!isEnabled())
        return;
    emit clicked();
    const QString address = target();
    if (FOpenGuard && !FOpenGuard(address))
        return;
    TShell::open(address);
}

void TNpsUrl::setOpenGuard(OpenGuard guard)
{
    FOpenGuard = std::move(guard);
}

void TNpsUrl::setTextColor(const QColor &color)
{
    FTextColor = color;
    applyTextColor();
}

// The colour is judged against the surroundings' palette, since the label's
// own text colour is the link's. Setting it sends another PaletteChange,
// which then finds the colour in place.
void TNpsUrl::applyTextColor()
{
    const QPalette around = parentWidget() ? parentWidget()->palette() : QApplication::palette();
    const QColor shown = TThemeColours(around).Readable(FTextColor);
    FShownColor = shown;
    if (palette().color(QPalette::WindowText) == shown)
        return;
    QPalette changed = palette();
    changed.setColor(QPalette::WindowText, shown);
    setPalette(changed);
}

void TNpsUrl::restoreTextColor()
{
    if (!FSavedColor.isValid())
        return;
    setTextColor(FSavedColor);
    FSavedColor = QColor();
}

void TNpsUrl::changeEvent(QEvent *event)
{
    // A disabled label gets no mouse release: give the colour back now.
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        restoreTextColor();
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ParentChange) {
        // A text colour set through the palette from outside is the link's.
        if (palette().color(QPalette::WindowText) != FShownColor)
            FTextColor = palette().color(QPalette::WindowText);
        applyTextColor();
    }
    QLabel::changeEvent(event);
}

void TNpsUrl::setAutoSize(bool autoSize)
{
    FAutoSize = autoSize;
    if (FAutoSize && isVisible())
        adjustSize();
}

void TNpsUrl::showEvent(QShowEvent *event)
{
    if (FAutoSize)
        adjustSize();
    QLabel::showEvent(event);
}

void TNpsUrl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    if (!FSavedColor.isValid())
        FSavedColor = FTextColor;
    setTextColor(FActiveColor);
    emit mouseDown();
}

void TNpsUrl::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    restoreTextColor();
    emit mouseUp();
    if (rect().contains(event->position().toPoint()))
        click();
}
