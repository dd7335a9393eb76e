#include "TPdfFile.h"

#include "core/EOrvessaError.h"
#include "core/TAtomicFile.h"

void TPdfFile::Write(const QString &path, const QByteArray &pdf)
{
    if (pdf.isEmpty())
        throw EOrvessaError(
            QStringLiteral("Cannot create file \"%1\". The page could not be laid out as PDF.").arg(path));
    TAtomicFile::WriteOrThrow(path, pdf);
}
