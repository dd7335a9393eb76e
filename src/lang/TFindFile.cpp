#include "TFindFile.h"

#include <QDir>
#include <QQueue>

TFindFile::TFindFile(QObject *parent) : QObject(parent) {}

bool TFindFile::Recurse() const { return FRecurse; }
void TFindFile::setRecurse(bool recurse) { FRecurse = recurse; }
QString TFindFile::Directory() const { return FDirectory; }
void TFindFile::setDirectory(const QString &directory) { FDirectory = directory; }
QString TFindFile::Filter() const { return FFilter; }
void TFindFile::setFilter(const QString &filter) { FFilter = filter; }
QStringList TFindFile::Files() const { return FFiles; }
void TFindFile::setFiles(const QStringList &files) { FFiles = files; }
TFindFile::TAttrOptions TFindFile::Attributes() const { return FAttributes; }
void TFindFile::setAttributes(TAttrOptions attributes) { FAttributes = attributes; }

QString TFindFile::WithSeparator(const QString &folder)
{
    return folder.endsWith(QDir::separator()) ? folder : folder + QDir::separator();
}

void TFindFile::Execute()
{
    FFiles.clear();
    emit BeforeExecute();
    if (!FDirectory.isEmpty()) {
        if (FRecurse)
            WalkTree();
        else
            SearchFolder(FDirectory);
    }
    emit AfterExecute();
}

void TFindFile::WalkTree()
{
    QQueue<QString> folders;
    folders.enqueue(FDirectory);
    while (!folders.isEmpty()) {
        const QString folder = WithSeparator(folders.dequeue());
        const QStringList subfolders = QDir(folder).entryList(
            QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Unsorted);
        for (const QString &name : subfolders)
            folders.enqueue(folder + name);
        if (!SearchFolder(folder))
            return;
    }
}

bool TFindFile::SearchFolder(const QString &folder)
{
    const QString path = WithSeparator(folder);
    bool abort = false;
    emit OnNewPath(path, abort);
    if (abort)
        return false;

    // QDir matches "*.*" only against names holding a dot; the pattern
    // means every name here, as it does on the system it comes from.
    const QString pattern = FFilter == QLatin1String("*.*") ? QStringLiteral("*") : FFilter;
    QDir::Filters kinds = QDir::Files | QDir::NoDotAndDotDot;
    if (FAttributes.testFlag(ffHidden))
        kinds |= QDir::Hidden;
    if (FAttributes.testFlag(ffDirectory))
        kinds |= QDir::Dirs;
    const QStringList names = QDir(path).entryList({pattern}, kinds, QDir::Unsorted);
    for (const QString &name : names)
        FFiles.append(path + name);
    return true;
}
