#include "TAboutBox.h"

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent, Qt::Window)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
}
