#pragma once

#include "widgets/TFixedDialog.h"

class QLabel;

// The about box: program name, icon, version, legal notices and the maker's
// home page. Modal; closed with the window's close button.
class TAboutBox : public TFixedDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);

    // Centres the box on the screen and runs it modally.
    void ShowModal();

    QLabel *ImgBackground;
    QLabel *ImgIco;
    QLabel *LabProgramName;
    QLabel *LabVer;
    QLabel *LabVerValue;
    QLabel *LabHomePage;
    QLabel *LabAtt;
    QLabel *LabLawProtected;
    QLabel *LabLandmarks;
    QLabel *LabLawInfo;
    QLabel *LabCopyright;

signals:
    // A left click on LabHomePage.
    void homePageClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void fitLabels();
    QLabel *label(const char *name, const QString &text, const QRect &place);
};
