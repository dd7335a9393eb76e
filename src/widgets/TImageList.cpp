#include "TImageList.h"

#include "TBuiltInImage.h"

TImageList::TImageList(const QString &name, const QString &folder, int count, QSize size, QObject *parent)
    : QObject(parent), FSize(size)
{
    setObjectName(name);
    for (int i = 0; i < count; ++i)
        FIcons.append(TBuiltInImage::icon(QStringLiteral("%1/%2").arg(folder).arg(i, 2, 10, QLatin1Char('0'))));
}

int TImageList::count() const
{
    return FIcons.size();
}

QSize TImageList::size() const
{
    return FSize;
}

QIcon TImageList::icon(int index) const
{
    return index >= 0 && index < FIcons.size() ? FIcons.at(index) : QIcon();
}

QPixmap TImageList::pixmap(int index) const
{
    return icon(index).pixmap(FSize);
}

QList<QIcon> TImageList::icons() const
{
    return FIcons;
}
