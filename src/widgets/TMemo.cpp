#include "TMemo.h"

TMemo::TMemo(const QString &name, const QRect &place, QWidget *parent) : QLabel(parent)
{
    setObjectName(name);
    setGeometry(place);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMargin(1);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void TMemo::setPlainText(const QString &text)
{
    setText(text);
}

QString TMemo::toPlainText() const
{
    return text();
}
