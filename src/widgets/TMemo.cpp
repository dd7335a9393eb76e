#include "TMemo.h"

#include "TThemeColours.h"

#include <QEnterEvent>
#include <QPainter>

TMemo::TMemo(const QString &name, const QRect &place, QWidget *parent) : QLabel(parent)
{
    setObjectName(name);
    setGeometry(place);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMargin(1);
    setFocusPolicy(Qt::ClickFocus); // as once it is selectable
}

void TMemo::setPlainText(const QString &text)
{
    setText(text);
}

QString TMemo::toPlainText() const
{
    return text();
}

void TMemo::setBackground(const QColor &colour)
{
    FBackground = colour;
    update();
}

void TMemo::paintEvent(QPaintEvent *event)
{
    // The background is painted here rather than set in the palette, so
    // that the memo keeps the palette it inherits and follows its changes.
    if (FBackground.isValid()) {
        QPainter painter(this);
        painter.fillRect(rect(), TThemeColours(palette()).Own(FBackground, TThemeColours::TSurface::Memo));
    }
    QLabel::paintEvent(event);
}

void TMemo::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        update();
    QLabel::changeEvent(event);
}

void TMemo::enterEvent(QEnterEvent *event)
{
    if (!(textInteractionFlags() & Qt::TextSelectableByMouse))
        setTextInteractionFlags(Qt::TextSelectableByMouse);
    QLabel::enterEvent(event);
}
