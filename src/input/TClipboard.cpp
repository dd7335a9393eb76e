#include "TClipboard.h"

#include "input/TPhotoBitmap.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

void TClipboard::SetPicture(const TPhoto &photo)
{
    QGuiApplication::clipboard()->setImage(photo.Pixels());
}

TPhoto TClipboard::Picture()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasImage())
        return TPhoto();
    const QImage picture = qvariant_cast<QImage>(data->imageData());
    if (picture.isNull())
        return TPhoto();
    TPhotoBitmap::CheckPictureSize(picture.width(), picture.height());
    return TPhoto(picture);
}
