#pragma once

#include <QDialog>

class TfrmImportDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmImportDlg(QWidget *parent = nullptr);
};
