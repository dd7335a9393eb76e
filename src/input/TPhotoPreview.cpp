#include "TPhotoPreview.h"

#include <QPainter>

TPhotoPreview::TPhotoPreview(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void TPhotoPreview::setPicture(const TPhoto &photo)
{
    FPicture = photo;
    update();
}

const TPhoto &TPhotoPreview::picture() const
{
    return FPicture;
}

QRect TPhotoPreview::fitRect(const QSize &picture, const QSize &box)
{
    if (picture.isEmpty() || box.isEmpty())
        return QRect();
    QSize shown = picture;
    if (picture.width() > box.width() || picture.height() > box.height()) {
        // Reduce by the smaller of the two ratios box/picture. Comparing
        // w * H with h * W avoids a rounded quotient: when w * H >= h * W the
        // width is the tighter side, the width becomes W and the height
        // h * W / w (rounded down, at least one pixel); the other way round
        // for the height. 64-bit products: photos can be large.
        const qint64 w = picture.width(), h = picture.height();
        const qint64 boxW = box.width(), boxH = box.height();
        if (w * boxH >= h * boxW)
            shown = QSize(box.width(), int(qMax<qint64>(1, h * boxW / w)));
        else
            shown = QSize(int(qMax<qint64>(1, w * boxH / h)), box.height());
    }
    // Centred; an odd spare pixel goes to the right or bottom.
    return QRect(QPoint((box.width() - shown.width()) / 2, (box.height() - shown.height()) / 2), shown);
}

void TPhotoPreview::paintEvent(QPaintEvent *)
{
    const QRect target = fitRect(FPicture.PixelSize(), size());
    if (target.isEmpty())
        return;
    QPainter painter(this);
    // Without SmoothPixmapTransform the raster engine samples the nearest pixel.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, FPicture.Pixels());
}
