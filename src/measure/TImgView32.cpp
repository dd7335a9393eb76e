#include "TImgView32.h"

TImgView32::TImgView32(QWidget *parent) : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("Image"));
}
