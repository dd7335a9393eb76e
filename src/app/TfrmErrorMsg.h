#pragma once

#include "widgets/TFixedDialog.h"

class QLabel;
class TMemo;
class QPushButton;

// The modeless error dialog through which the program's own checks show a
// language text.
class TfrmErrorMsg : public TFixedDialog
{
    Q_OBJECT

public:
    explicit TfrmErrorMsg(QWidget *parent = nullptr);

    // Replaces the text and brings the dialog up without blocking.
    void ShowMessage(const QString &message);
    QString message() const;

    QPushButton *BtnOK;
    QPushButton *BtnHelp;

private:
    void BtnOKClick();

    QLabel *ImgError;
    TMemo *MemError;
};
