#pragma once

#include <QAbstractScrollArea>

// The zoomable photo view.
class TImgView32 : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit TImgView32(QWidget *parent = nullptr);
};
