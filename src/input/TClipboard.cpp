#include "TClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

void TClipboard::SetPicture(const QImage &picture)
{
    QGuiApplication::clipboard()->setImage(picture);
}

QImage TClipboard::Picture()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasImage())
        return QImage();
    return qvariant_cast<QImage>(data->imageData());
}
