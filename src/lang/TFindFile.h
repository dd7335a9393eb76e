#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// Lists the files of a folder, and optionally of all folders below it, whose
// names match a wildcard pattern.
//
// Attributes on Linux: ffHidden admits hidden entries (names starting with
// "."), ffDirectory admits folders; ffReadOnly and ffArchive restrict
// nothing. ffSystem and ffVolumeID have no counterpart and are ignored; the
// special entries of the file system (sockets, pipes, devices, dangling
// links) are never listed, since reading one may block.
class TFindFile : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Recurse READ Recurse WRITE setRecurse)
    Q_PROPERTY(QString Directory READ Directory WRITE setDirectory)
    Q_PROPERTY(QString Filter READ Filter WRITE setFilter)
    Q_PROPERTY(QStringList Files READ Files WRITE setFiles)
    Q_PROPERTY(TAttrOptions Attributes READ Attributes WRITE setAttributes)

public:
    enum TAttrOption {
        ffReadOnly = 1,
        ffHidden = 2,
        ffSystem = 4,
        ffVolumeID = 8,
        ffDirectory = 16,
        ffArchive = 32,
    };
    Q_DECLARE_FLAGS(TAttrOptions, TAttrOption)
    Q_FLAG(TAttrOptions)

    explicit TFindFile(QObject *parent = nullptr);

    bool Recurse() const;
    void setRecurse(bool recurse);
    QString Directory() const;
    void setDirectory(const QString &directory);
    // A pattern with "*" and "?", matched without case; "*.*" matches every
    // name, with or without an extension.
    QString Filter() const;
    void setFilter(const QString &filter);
    QStringList Files() const;
    void setFiles(const QStringList &files);
    TAttrOptions Attributes() const;
    void setAttributes(TAttrOptions attributes);

    // Fills Files with the full paths (folder + separator + name) of the
    // matching entries, in the order the file system gives them. With
    // Recurse the folders are searched breadth-first, starting at Directory;
    // links to folders are not followed, so a cycle of links ends the walk.
    // Nothing is searched while Directory is empty.
    void Execute();

signals:
    void BeforeExecute();
    void AfterExecute();
    // Sent before a folder (ending in a separator) is searched; setting
    // abort skips it and ends a recursive walk. Connect directly.
    void OnNewPath(const QString &newPath, bool &abort);

private:
    // Searches one folder; false when OnNewPath asked to abort.
    bool SearchFolder(const QString &folder);
    void WalkTree();
    static QString WithSeparator(const QString &folder);

    bool FRecurse = false;
    QString FDirectory;
    QString FFilter = QStringLiteral("*.*");
    QStringList FFiles;
    TAttrOptions FAttributes = TAttrOptions(ffReadOnly | ffHidden | ffSystem | ffArchive);
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFindFile::TAttrOptions)
