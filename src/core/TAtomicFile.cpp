#include "TAtomicFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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

// The mode a newly created file gets: 0666 less the process's umask (which
// can only be read by setting it).
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool TAtomicFile::Write(const QString &path, const QByteArray &bytes, QString &reason)
{
    const QFileInfo info(path);
    // A hidden name beside the file, made unique by mkstemp.
    QByteArray temporary = QFile::encodeName(info.path() + QStringLiteral("/.") + info.fileName()) + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    const auto fail = [&temporary, &reason](int error) {
        ::unlink(temporary.constData());
        reason = QString::fromLocal8Bit(std::strerror(error));
        return false;
    };
    if (::fchmod(fd, NewFileMode()) != 0 || !WriteAll(fd, bytes) || ::fsync(fd) != 0) {
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
