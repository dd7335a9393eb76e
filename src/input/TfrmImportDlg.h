#pragma once

#include "widgets/TFixedDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class TMemo;
class QPushButton;
class TNpsUrl;
class TPhotoPreview;

// The photo import wizard's window: one page layout per step, set up by the
// wizard's controller (TImportWizard). Modeless; Cancel, Esc and the close
// box only hide it.
class TfrmImportDlg : public TFixedDialog
{
    Q_OBJECT

public:
    explicit TfrmImportDlg(QWidget *parent = nullptr);

    // Shows the dialog without blocking, centred over its parent when it
    // was hidden, and brings it to the front.

    void BtnCancelClick();

    QLabel *ImgSample;
    TNpsUrl *LabURL;
    QLabel *LabFileOpen;
    QLabel *ImgBorder;
    QPushButton *BtnBack;
    QPushButton *BtnNext;
    QPushButton *BtnCancel;
    TPhotoPreview *Image;
    TMemo *MemInfo;
    QLineEdit *EdFileName;
    QPushButton *BtnOpen;
    QCheckBox *CheckBox;
    TMemo *MemBeginInfo;

signals:
    // A photo file dropped on the dialog while it takes drops.
    void fileDropped(const QString &path);

public slots:
    void reject() override;

protected:
    bool event(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // The labels keep their left and top and take the width their text
    // needs, so a longer translation is never cut off.
    void fitLabels();
};
