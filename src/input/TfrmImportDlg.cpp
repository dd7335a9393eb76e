#include "TfrmImportDlg.h"

TfrmImportDlg::TfrmImportDlg(QWidget *parent) : QDialog(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmImportDlg"));
    setWindowTitle(QStringLiteral("Import"));
}
