#pragma once

#include "input/TPhoto.h"

#include <QRect>
#include <QWidget>

// The import wizard's preview of the user's photo: the whole photo, centred
// in the box, at its own size when it fits, otherwise reduced with its
// proportions kept. Pixels are sampled by nearest neighbour; no scroll bars.
class TPhotoPreview : public QWidget
{
    Q_OBJECT

public:
    explicit TPhotoPreview(QWidget *parent = nullptr);

    void setPicture(const TPhoto &photo);
    const TPhoto &picture() const;

    // Where a picture of the given size is drawn inside a box of the given
    // size (box coordinates); empty for an empty picture or box.
    static QRect fitRect(const QSize &picture, const QSize &box);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TPhoto FPicture;
};
