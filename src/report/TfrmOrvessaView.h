#pragma once

#include <QWidget>

class TfrmOrvessaView : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmOrvessaView(QWidget *parent = nullptr);
};
