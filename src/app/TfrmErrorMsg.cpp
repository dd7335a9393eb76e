#include "TfrmErrorMsg.h"

#include "widgets/TBuiltInImage.h"
#include "widgets/TMemo.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

TfrmErrorMsg::TfrmErrorMsg(QWidget *parent)
    : TFixedDialog(QStringLiteral("frmErrorMsg"), QStringLiteral("Error"), QSize(263, 150), parent)
{
    useWindowColour();

    ImgError = new QLabel(this);
    ImgError->setObjectName(QStringLiteral("ImgError"));
    ImgError->setGeometry(8, 8, 57, 65);
    ImgError->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ImgError->setPixmap(TBuiltInImage::icon(QStringLiteral("error")).pixmap(48, 48));

    MemError = new TMemo(QStringLiteral("MemError"), QRect(64, 16, 185, 89), this);

    BtnOK = new QPushButton(QStringLiteral("OK"), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setGeometry(176, 120, 75, 25);
    BtnOK->setDefault(true);

    BtnHelp = new QPushButton(QStringLiteral("Help"), this);
    BtnHelp->setObjectName(QStringLiteral("BtnHelp"));
    BtnHelp->setGeometry(96, 120, 75, 25);
    BtnHelp->setAutoDefault(false);

    setTabOrder(BtnOK, BtnHelp);
    connect(BtnOK, &QPushButton::clicked, this, &TfrmErrorMsg::BtnOKClick);
}

void TfrmErrorMsg::BtnOKClick()
{
    hide();
}

void TfrmErrorMsg::ShowMessage(const QString &message)
{
    MemError->setPlainText(message);
    ShowModeless();
    BtnOK->setFocus();
}

QString TfrmErrorMsg::message() const
{
    return MemError->toPlainText();
}
