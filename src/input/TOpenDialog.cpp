#include "TOpenDialog.h"

#include <QFileDialog>

TOpenDialog::TOpenDialog(QWidget *owner, QString filter) : QObject(owner), FOwner(owner), FFilter(std::move(filter))
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
    const QStringList filters = qtFilters(FFilter);
    QString chosen;
    if (hook()) {
        chosen = hook()(filters, filters.first());
    } else {
        QFileDialog dialog(FOwner);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.first());
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
