#include "TReportPlace.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>

TReportPlace::TReportPlace(const QString &programFolder) : FProgramFolder(programFolder), FFolder(programFolder)
{
    if (IsWritable(programFolder))
        return;
    // A cache folder that cannot be made is left to the page writer, which
    // then reports the file it cannot create.
    FFolder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(FFolder);
}

QString TReportPlace::Folder() const
{
    return FFolder;
}

QByteArray TReportPlace::Page(const QByteArray &content) const
{
    return FFolder == FProgramFolder ? content : WithBase(content, FProgramFolder);
}

QByteArray TReportPlace::WithBase(const QByteArray &content, const QString &folder)
{
    QString path = QDir::fromNativeSeparators(folder);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    const QString href = QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded()).toHtmlEscaped();
    const QByteArray base = "<base href=\"" + href.toLatin1() + "\">";

    static const QRegularExpression head(QStringLiteral("<head(\\s[^>]*)?>"),
                                         QRegularExpression::CaseInsensitiveOption);
    // The template's bytes may be in any single-byte or UTF-8 encoding; Latin-1
    // maps them one to one, so the match's offsets are byte offsets.
    const QRegularExpressionMatch match = head.match(QString::fromLatin1(content));
    const qsizetype at = match.hasMatch() ? match.capturedEnd() : 0;
    return content.left(at) + base + content.mid(at);
}

bool TReportPlace::IsWritable(const QString &folder)
{
    // Trying is the only sure test: the folder's mode bits say nothing on a
    // read-only file system, nor for root.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".orvessa-XXXXXX")));
    return probe.open();
}
