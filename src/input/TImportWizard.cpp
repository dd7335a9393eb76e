#include "TImportWizard.h"

#include "TOpenDialog.h"
#include "TPhotoPreview.h"
#include "TfrmImportDlg.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include "widgets/TMemo.h"
#include <QPushButton>

namespace {

void setVisible(const QList<QWidget *> &widgets, bool visible)
{
    for (QWidget *widget : widgets)
        widget->setVisible(visible);
}

} // namespace

TImportWizard::TImportWizard(TfrmImportDlg *dialog, Lookup lookup, QString pictureFolder, TOpenDialog *openDialog,
                             PictureLoader loader, FinishAction finish, QObject *parent)
    : QObject(parent), FDialog(dialog), FLookup(std::move(lookup)), FPictureFolder(std::move(pictureFolder)),
      FOpenDialog(openDialog), FLoader(std::move(loader)), FFinish(std::move(finish))
{
    setObjectName(QStringLiteral("ImportWizard"));
}

int TImportWizard::ImportStep() const
{
    return FImportStep;
}

void TImportWizard::acImportFotoExecute()
{
    connectHandlers();
    FImportStep = 0;
    GoToImportStep();
    FDialog->ShowModeless();
}

void TImportWizard::connectHandlers()
{
    // Run on every opening; a unique connection keeps each handler wired once.
    connect(FDialog->BtnBack, &QPushButton::clicked, this, &TImportWizard::BtnBackClick, Qt::UniqueConnection);
    connect(FDialog->BtnNext, &QPushButton::clicked, this, &TImportWizard::BtnNextClick, Qt::UniqueConnection);
    connect(FDialog->BtnOpen, &QPushButton::clicked, this, &TImportWizard::BtnOpenClick, Qt::UniqueConnection);
    connect(FDialog->CheckBox, &QCheckBox::toggled, this, &TImportWizard::CheckBoxClick, Qt::UniqueConnection);
    connect(FDialog->EdFileName, &QLineEdit::textChanged, this, &TImportWizard::EdFileNameChange, Qt::UniqueConnection);
    connect(FDialog, &TfrmImportDlg::fileDropped, this, &TImportWizard::FileDropped, Qt::UniqueConnection);
}

void TImportWizard::GoToImportStep()
{
    FDialog->BtnNext->setEnabled(false);
    FDialog->CheckBox->setChecked(false); // a ticked box runs CheckBoxClick
    switch (FImportStep) {
    case 0:
        setUpPage0();
        break;
    case 1:
        setUpPage1();
        break;
    case 2:
        LoadImportSample(QStringLiteral("imp1.jpg"));
        FDialog->BtnNext->setText(text(QStringLiteral("frmImportDlg.BtnNext.Caption")));
        setRequirement(2);
        break;
    case 3:
        LoadImportSample(QStringLiteral("imp2.jpg"));
        FDialog->BtnNext->setText(text(QStringLiteral("frmImportDlg.BtnFinish.Caption")));
        setRequirement(3);
        break;
    case 4:
        FDialog->hide();
        FFinish(FDialog->EdFileName->text());
        break;
    default:
        break;
    }
    focusPage();
}

// The button that had the focus may just have been disabled (Next on a new
// page, Back on page 0), which would pass the focus on to Cancel, where the
// next Space would end the wizard.
void TImportWizard::focusPage()
{
    if (FImportStep == 0)
        FDialog->EdFileName->setFocus();
    else if (FImportStep <= 3)
        FDialog->CheckBox->setFocus();
}

void TImportWizard::setUpPage0()
{
    setVisible({FDialog->ImgSample, FDialog->Image, FDialog->MemInfo, FDialog->CheckBox}, false);
    setVisible({FDialog->EdFileName, FDialog->LabFileOpen, FDialog->ImgBorder, FDialog->MemBeginInfo}, true);
    FDialog->BtnBack->setEnabled(false);
    FDialog->BtnNext->setEnabled(false);
    FDialog->BtnNext->setText(text(QStringLiteral("frmImportDlg.BtnNext.Caption")));
    FDialog->BtnOpen->show();
    FDialog->setAcceptDrops(true);
    EdFileNameChange();
}

void TImportWizard::setUpPage1()
{
    // The photo is read again on every entry. When it cannot be read, the
    // page-0 controls are still on show: go back to page 0 properly, so the
    // user can pick another file, then let the failure be reported.
    TPhoto photo;
    try {
        photo = FLoader(FDialog->EdFileName->text());
    } catch (...) {
        FImportStep = 0;
        GoToImportStep();
        throw;
    }
    FDialog->Image->setPicture(photo);
    setVisible({FDialog->ImgSample, FDialog->Image, FDialog->MemInfo, FDialog->CheckBox}, true);
    setVisible({FDialog->EdFileName, FDialog->LabFileOpen, FDialog->MemBeginInfo, FDialog->ImgBorder, FDialog->BtnOpen},
               false);
    FDialog->setAcceptDrops(false); // drops fill the path box of page 0 only
    setRequirement(1);
    LoadImportSample(QStringLiteral("imp0.jpg"));
    FDialog->BtnBack->setEnabled(true);
}

void TImportWizard::setRequirement(int page)
{
    const QString number = QString::number(page);
    FDialog->MemInfo->setPlainText(text(QStringLiteral("frmImportDlg.ReqInfo") + number));
    FDialog->CheckBox->setText(text(QStringLiteral("frmImportDlg.CheckBox.ReqText") + number));
}

QString TImportWizard::text(const QString &key) const
{
    return FLookup(key);
}

void TImportWizard::BtnBackClick()
{
    if (FImportStep <= 0)
        return;
    --FImportStep;
    GoToImportStep();
}

void TImportWizard::BtnNextClick()
{
    if (FImportStep >= 4)
        return;
    ++FImportStep;
    GoToImportStep();
}

void TImportWizard::BtnOpenClick()
{
    if (FOpenDialog->Execute())
        setFileName(FOpenDialog->FileName());
}

void TImportWizard::FileDropped(const QString &path)
{
    setFileName(path);
}

void TImportWizard::setFileName(const QString &path)
{
    FDialog->EdFileName->setText(path);
    // The same path again changes no text and raises no change notice, yet
    // the file may have come or gone since: check it in any case.
    EdFileNameChange();
}

void TImportWizard::EdFileNameChange()
{
    // A folder or an empty text does not count.
    FDialog->BtnNext->setEnabled(QFileInfo(FDialog->EdFileName->text()).isFile());
}

void TImportWizard::CheckBoxClick()
{
    FDialog->BtnNext->setEnabled(FDialog->CheckBox->isChecked());
}

void TImportWizard::LoadImportSample(const QString &fileName)
{
    FDialog->ImgSample->setPixmap(QPixmap::fromImage(FLoader(FPictureFolder + fileName).Pixels()));
}
