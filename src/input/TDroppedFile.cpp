#include "TDroppedFile.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

QString TDroppedFile::Path(const QMimeData *data)
{
    // A list of addresses may be empty even where the drag says it has some.
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return QString();
    const QString path = urls.first().toLocalFile();
    return QFileInfo(path).isFile() ? path : QString();
}
