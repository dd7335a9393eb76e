#pragma once

#include "input/TPhoto.h"

#include <QObject>
#include <QString>
#include <functional>

class TOpenDialog;
class TfrmImportDlg;

// The page logic of the photo import wizard. Page 0 asks for a photo file;
// pages 1 to 3 each show one requirement with a sample picture beside a
// preview of the photo, confirmed by ticking the check box; Finish (step 4)
// hides the dialog and loads the photo into the main view.
//
// A failure while a page is set up propagates to the event loop; the page's
// earlier steps stay done. One exception: a photo that cannot be read on
// entering page 1 sends the wizard back to page 0 first, so that the user can
// pick another file.
class TImportWizard : public QObject
{
    Q_OBJECT

public:
    // Text of a language key ("<UNTRANSLATED>" when missing).
    using Lookup = std::function<QString(const QString &key)>;
    // Reads a picture file; throws EOrvessaError when it cannot.
    using PictureLoader = std::function<TPhoto(const QString &path)>;
    // Loads the chosen photo into the main view, as File > Open does.
    using FinishAction = std::function<void(const QString &path)>;

    // pictureFolder ends in a separator. The loader reads both the user's
    // photo for the preview and the sample pictures.
    TImportWizard(TfrmImportDlg *dialog, Lookup lookup, QString pictureFolder, TOpenDialog *openDialog,
                  PictureLoader loader, FinishAction finish, QObject *parent = nullptr);

    int ImportStep() const;

    // Opens the wizard at page 0; an open wizard comes to the front and
    // starts again.
    void acImportFotoExecute();
    // Sets the dialog up for the current step.
    void GoToImportStep();
    void BtnBackClick();
    void BtnNextClick();
    // Lets the user pick a file for the path box; loads nothing.
    void BtnOpenClick();
    // A file dropped on the dialog fills the path box; loads nothing. Only
    // page 0 takes drops.
    void FileDropped(const QString &path);
    // Next is enabled exactly when the path box names an existing file.
    void EdFileNameChange();
    // Next is enabled exactly when the check box is ticked.
    void CheckBoxClick();
    // Loads the picture folder's file into the sample picture.
    void LoadImportSample(const QString &fileName);

private:
    void connectHandlers();
    void setUpPage0();
    void setUpPage1();
    void setRequirement(int page);
    void setFileName(const QString &path);
    void focusPage();
    QString text(const QString &key) const;

    TfrmImportDlg *FDialog;
    Lookup FLookup;
    QString FPictureFolder;
    TOpenDialog *FOpenDialog;
    PictureLoader FLoader;
    FinishAction FFinish;
    int FImportStep = 0;
};
