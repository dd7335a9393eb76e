#include "THelpTarget.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

bool THelpTarget::isDocument(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == QLatin1String("html") || suffix == QLatin1String("htm") || suffix == QLatin1String("pdf")
           || suffix == QLatin1String("txt");
}

bool THelpTarget::IsSafe(const QString &programFolder, const QString &target)
{
    // Read the target the way the shell will: a "file:" address or a plain
    // absolute path becomes a local file; anything else is refused.
    const QUrl url = QUrl::fromUserInput(target);
    if (!url.isLocalFile())
        return false;
    const QFileInfo requested(url.toLocalFile());
    if (!requested.isFile())
        return false;
    const QString folder = QFileInfo(programFolder).canonicalFilePath();
    const QString document = requested.canonicalFilePath();
    if (folder.isEmpty() || document.isEmpty())
        return false;
    // Both the name asked for and the file behind a link must be documents:
    // the opener may go by either.
    return document.startsWith(folder + QLatin1Char('/')) && isDocument(requested.fileName())
           && isDocument(document);
}

std::function<bool(const QString &)> THelpTarget::Guard(const QString &programFolder)
{
    return [programFolder](const QString &target) { return IsSafe(programFolder, target); };
}
