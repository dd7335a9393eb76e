#pragma once

#include <QByteArray>
#include <QString>

// The report saved as a PDF document (the report window's "Save as PDF...").
class TPdfFile
{
public:
    // Writes the document's bytes as the file at path in one step
    // (TAtomicFile): a failed write leaves an earlier file whole and a link
    // planted at the path is replaced, never followed. Empty bytes (the page
    // could not be laid out) write nothing. A failure throws EOrvessaError
    // "Cannot create file "<path>". <reason>".
    static void Write(const QString &path, const QByteArray &pdf);
};
