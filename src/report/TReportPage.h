#pragma once

#include <QByteArray>
#include <QString>

// The report page file "~orvessa.html" that the report window shows.
class TReportPage
{
public:
    static QString FileName();
    // The page's full path inside folder (with or without a trailing separator).
    static QString PathIn(const QString &folder);

    // Writes text as the page in folder and returns the page's full path.
    // The text is split at CR LF, lone CR or lone LF and every line is written
    // followed by CR LF, bytes as they are, without a byte-order mark. The
    // page is replaced in one step (TAtomicFile), so a failed write leaves the
    // previous page whole and a link planted at its path is replaced, never
    // followed; the failure throws EOrvessaError "Cannot create file "<path>".
    // <reason>".
    static QString Write(const QString &folder, const QByteArray &text);
};
