#include "TAtomicFile.h"

#include "EOrvessaError.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Writes all bytes; a short write is retried, so that a full disk shows as
// the error of the next call.
bool WriteAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// Creates a new file beside path under a hidden, unique name. O_EXCL makes
// sure it is a new file (not one planted under that name), and the mode
// 0666 less the umask applies as to any new file. -1 on failure (errno set).
int CreateTemporary(const QString &path, QByteArray &name)
{
    const QFileInfo info(path);
    const QByteArray stem = QFile::encodeName(info.path() + QStringLiteral("/.") + info.fileName()) + '.';
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

bool TAtomicFile::Write(const QString &path, const QByteArray &bytes, QString &reason)
{
    QByteArray temporary;
    const int fd = CreateTemporary(path, temporary);
    if (fd < 0) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    const auto fail = [&temporary, &reason](int error) {
        ::unlink(temporary.constData());
        reason = QString::fromLocal8Bit(std::strerror(error));
        return false;
    };
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return fail(error);
    }
    if (::close(fd) != 0)
        return fail(errno);
    if (::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0)
        return fail(errno);
    return true;
}

void TAtomicFile::WriteOrThrow(const QString &path, const QByteArray &bytes)
{
    QString reason;
    if (!Write(path, bytes, reason))
        throw EOrvessaError(QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason));
}
