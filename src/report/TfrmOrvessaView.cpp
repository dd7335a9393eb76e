#include "TfrmOrvessaView.h"

TfrmOrvessaView::TfrmOrvessaView(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmOrvessaView"));
    setWindowTitle(QStringLiteral("Orvessa"));
}
