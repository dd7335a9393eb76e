#include "TOpenDialog.h"

#include <QFileDialog>

TOpenDialog::TOpenDialog(QWidget *owner) : QObject(owner), FOwner(owner)
{
    setObjectName(QStringLiteral("OpenDialog"));
}

TOpenDialog::Hook &TOpenDialog::hook()
{
    static Hook installed;
    return installed;
}

void TOpenDialog::setHook(Hook h)
{
    hook() = std::move(h);
}

QStringList TOpenDialog::qtFilters(const QString &filter)
{
    // The filter alternates names and pattern lists; Qt wants "Name (p1 p2)".
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &pattern : patterns)
            pattern = pattern.trimmed();
        result.append(parts.at(i) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return result;
}

bool TOpenDialog::Execute()
{
    return Run(QString::fromLatin1(Filter), false, QString());
}

bool TOpenDialog::ExecuteOpen(const QString &filter)
{
    return Run(filter, false, QString());
}

bool TOpenDialog::ExecuteSave(const QString &filter, const QString &defaultSuffix)
{
    return Run(filter, true, defaultSuffix);
}

bool TOpenDialog::Run(const QString &filter, bool save, const QString &defaultSuffix)
{
    const QStringList filters = qtFilters(filter);
    QString chosen;
    if (hook()) {
        chosen = hook()(filters, filters.value(0));
    } else {
        QFileDialog dialog(FOwner);
        if (save) {
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setDefaultSuffix(defaultSuffix);
        } else {
            dialog.setFileMode(QFileDialog::ExistingFile);
        }
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(0));
        if (!FFileName.isEmpty())
            dialog.selectFile(FFileName);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().first();
    }
    if (chosen.isEmpty())
        return false;
    FFileName = chosen;
    return true;
}

QString TOpenDialog::FileName() const
{
    return FFileName;
}
