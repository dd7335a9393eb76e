#include "TReportPage.h"

#include "core/TAtomicFile.h"
#include "report/TTextLines.h"

#include <QDir>

QString TReportPage::FileName()
{
    return QStringLiteral("~orvessa.html");
}

QString TReportPage::PathIn(const QString &folder)
{
    return QDir(folder).filePath(FileName());
}

QString TReportPage::Write(const QString &folder, const QByteArray &text)
{
    const QString path = PathIn(folder);
    TAtomicFile::WriteOrThrow(path, TTextLines::Join(TTextLines::Split(text)));
    return path;
}
