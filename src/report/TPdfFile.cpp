#include "TPdfFile.h"

#include "core/EOrvessaError.h"
#include "core/TAtomicFile.h"

void TPdfFile::Write(const QString &path, const QByteArray &pdf)
{
    QString reason = QStringLiteral("The page could not be laid out as PDF.");
    if (pdf.isEmpty() || !TAtomicFile::Write(path, pdf, reason))
        throw EOrvessaError(QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason));
}
