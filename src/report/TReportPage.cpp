#include "TReportPage.h"

#include "core/EOrvessaError.h"
#include "report/TTextLines.h"

#include <QDir>
#include <QSaveFile>

QString TReportPage::FileName()
{
    return QStringLiteral("~orvessa.html");
}

QString TReportPage::PathIn(const QString &folder)
{
    return QDir(folder).filePath(FileName());
}

namespace {

// Writes all bytes. The file is unbuffered so that a short write is seen at
// once: a buffered QSaveFile only finds it when flushing inside commit(),
// which then renames the truncated file over the previous page regardless.
// After a short write the next call fails with the system's reason.
bool writeAll(QSaveFile &file, const QByteArray &bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

QString TReportPage::Write(const QString &folder, const QByteArray &text)
{
    const QString path = PathIn(folder);
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
        && writeAll(file, TTextLines::Join(TTextLines::Split(text))) && file.commit();
    if (!written)
        throw EOrvessaError(QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString()));
    return path;
}
