#pragma once

#include <QByteArray>
#include <QString>

// Writes a whole file in one step, the way every file of the program is
// written: the bytes go to a new temporary file in the same folder, which is
// then renamed over the path. The path is never opened for writing, so
//   - a failed write leaves the previous file whole (the temporary file is
//     removed),
//   - a symbolic link planted at the path is replaced by the file, never
//     followed: rename() swaps the directory entry, and the link's target,
//     existing or not, is neither written nor created.
// QSaveFile is not used for this: it resolves a link at its path and writes
// the link's target instead.
class TAtomicFile
{
public:
    // Writes bytes as the file at path (a new file: mode 0666 less the umask). False on
    // failure, with the system's reason in reason.
    static bool Write(const QString &path, const QByteArray &bytes, QString &reason);
    // The same; a failure throws EOrvessaError "Cannot create file "<path>".
    // <reason>", the message of every file the program fails to write.
    static void WriteOrThrow(const QString &path, const QByteArray &bytes);
};
