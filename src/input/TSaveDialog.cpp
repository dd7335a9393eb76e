#include "TSaveDialog.h"

#include "TOpenDialog.h"

#include <QFileDialog>

TSaveDialog::TSaveDialog(QWidget *owner, QString filter) : QObject(owner), FOwner(owner), FFilter(std::move(filter))
{
    setObjectName(QStringLiteral("SaveDialog"));
}

TSaveDialog::Hook &TSaveDialog::hook()
{
    static Hook installed;
    return installed;
}

void TSaveDialog::setHook(Hook h)
{
    hook() = std::move(h);
}

bool TSaveDialog::Execute(const QString &suggested)
{
    const QStringList filters = TOpenDialog::qtFilters(FFilter);
    const QString proposed = FFileName.isEmpty() ? suggested : FFileName;
    QString chosen;
    if (hook()) {
        chosen = hook()(filters, proposed);
    } else {
        QFileDialog dialog(FOwner);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters(filters);
        dialog.selectFile(proposed);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().first();
    }
    if (chosen.isEmpty())
        return false;
    FFileName = chosen;
    return true;
}

QString TSaveDialog::FileName() const
{
    return FFileName;
}
