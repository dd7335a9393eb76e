#include "TMemo.h"

#include <QEnterEvent>

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
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colour);
    setPalette(colours);
    setAutoFillBackground(true);
}

void TMemo::enterEvent(QEnterEvent *event)
{
    if (!(textInteractionFlags() & Qt::TextSelectableByMouse))
        setTextInteractionFlags(Qt::TextSelectableByMouse);
    QLabel::enterEvent(event);
}
