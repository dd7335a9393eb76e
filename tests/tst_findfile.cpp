#include "lang/TFindFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

// The tree every test searches (folders end in "/"):
//   a.lng  B.LNG  b.txt  README  .hidden.lng  c.lng/  pipe.lng (a named pipe)
//   c.lng/d.lng
//   sub/e.lng  sub/.dots/f.lng  sub/deep/g.lng  sub/loop -> the root (a link)
class TestFindFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void defaults();
    void oneFolder_data();
    void oneFolder();
    void recurseIsBreadthFirst();
    void newPathAbort_data();
    void newPathAbort();
    void notifications();
    void emptyDirectorySearchesNothing();
    void missingDirectory();

private:
    QString root() const;
    static QStringList sorted(QStringList list);
    bool touch(const QString &relative);

    QTemporaryDir FDir;
};

QString TestFindFile::root() const
{
    return FDir.path() + QLatin1Char('/');
}

QStringList TestFindFile::sorted(QStringList list)
{
    list.sort();
    return list;
}

bool TestFindFile::touch(const QString &relative)
{
    QFile file(root() + relative);
    return file.open(QIODevice::WriteOnly);
}

void TestFindFile::initTestCase()
{
    QVERIFY(FDir.isValid());
    QDir dir(root());
    for (const char *folder : {"c.lng", "sub", "sub/.dots", "sub/deep"})
        QVERIFY(dir.mkpath(QString::fromLatin1(folder)));
    for (const char *file :
         {"a.lng", "B.LNG", "b.txt", "README", ".hidden.lng", "c.lng/d.lng", "sub/e.lng", "sub/.dots/f.lng",
          "sub/deep/g.lng"})
        QVERIFY(touch(QString::fromLatin1(file)));
    QVERIFY(::mkfifo(QFile::encodeName(root() + QStringLiteral("pipe.lng")).constData(), 0600) == 0);
    QVERIFY(QFile::link(FDir.path(), root() + QStringLiteral("sub/loop")));
}

void TestFindFile::defaults()
{
    TFindFile finder;
    QCOMPARE(finder.Recurse(), false);
    QCOMPARE(finder.Directory(), QString());
    QCOMPARE(finder.Filter(), QStringLiteral("*.*"));
    QCOMPARE(finder.Attributes(), TFindFile::TAttrOptions(TFindFile::ffReadOnly | TFindFile::ffHidden
                                                          | TFindFile::ffSystem | TFindFile::ffArchive));
    QVERIFY(finder.Files().isEmpty());
}

void TestFindFile::oneFolder_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("attributes");
    QTest::addColumn<QStringList>("names");

    const int defaults = TFindFile::ffReadOnly | TFindFile::ffHidden | TFindFile::ffSystem | TFindFile::ffArchive;
    QTest::newRow("*.lng, folders and pipes left out")
        << "*.lng" << defaults << QStringList{".hidden.lng", "B.LNG", "a.lng"};
    QTest::newRow("hidden files need ffHidden")
        << "*.lng" << int(TFindFile::ffReadOnly | TFindFile::ffArchive) << QStringList{"B.LNG", "a.lng"};
    QTest::newRow("folders need ffDirectory")
        << "*.lng" << int(defaults | TFindFile::ffDirectory) << QStringList{".hidden.lng", "B.LNG", "a.lng", "c.lng"};
    QTest::newRow("*.* is every file") << "*.*" << defaults
                                       << QStringList{".hidden.lng", "B.LNG", "README", "a.lng", "b.txt"};
    QTest::newRow("? wildcard") << "?.txt" << defaults << QStringList{"b.txt"};
    QTest::newRow("no match") << "*.html" << defaults << QStringList{};
}

void TestFindFile::oneFolder()
{
    QFETCH(QString, filter);
    QFETCH(int, attributes);
    QFETCH(QStringList, names);

    // With and without the closing separator, paths get exactly one.
    for (const QString &directory : {FDir.path(), root()}) {
        TFindFile finder;
        finder.setDirectory(directory);
        finder.setFilter(filter);
        finder.setAttributes(TFindFile::TAttrOptions(attributes));
        finder.Execute();
        QStringList expected;
        for (const QString &name : names)
            expected.append(root() + name);
        QCOMPARE(sorted(finder.Files()), expected);
    }
}

void TestFindFile::recurseIsBreadthFirst()
{
    TFindFile finder;
    finder.setDirectory(FDir.path());
    finder.setFilter(QStringLiteral("*.lng"));
    finder.setRecurse(true);
    QStringList folders;
    connect(&finder, &TFindFile::OnNewPath, this, [&folders](const QString &path, bool &) { folders.append(path); });
    finder.Execute();

    // Hidden folders are searched; the link back to the root is not followed.
    QCOMPARE(sorted(folders), sorted({root(), root() + "c.lng/", root() + "sub/", root() + "sub/.dots/",
                                      root() + "sub/deep/"}));
    QCOMPARE(folders.first(), root());
    QCOMPARE(sorted(finder.Files()),
             sorted({root() + "a.lng", root() + "B.LNG", root() + ".hidden.lng", root() + "c.lng/d.lng",
                     root() + "sub/e.lng", root() + "sub/.dots/f.lng", root() + "sub/deep/g.lng"}));

    // Every file comes after the files of shallower folders.
    int depth = 0;
    for (const QString &file : finder.Files()) {
        const int fileDepth = int(file.mid(root().size()).count(QLatin1Char('/')));
        QVERIFY2(fileDepth >= depth, qPrintable(finder.Files().join(QLatin1Char(' '))));
        depth = fileDepth;
    }
}

void TestFindFile::newPathAbort_data()
{
    QTest::addColumn<bool>("recurse");
    QTest::addColumn<QString>("abortAt");
    QTest::addColumn<QStringList>("files");

    QTest::newRow("root, one folder") << false << "" << QStringList{};
    QTest::newRow("root, recursive") << true << "" << QStringList{};
    QTest::newRow("sub/ ends the walk") << true << "sub/"
                                        << QStringList{".hidden.lng", "B.LNG", "a.lng"};
}

void TestFindFile::newPathAbort()
{
    QFETCH(bool, recurse);
    QFETCH(QString, abortAt);
    QFETCH(QStringList, files);

    TFindFile finder;
    finder.setDirectory(FDir.path());
    finder.setFilter(QStringLiteral("*.lng"));
    finder.setRecurse(recurse);
    QStringList folders;
    const QString stop = root() + abortAt;
    connect(&finder, &TFindFile::OnNewPath, this, [&](const QString &path, bool &abort) {
        folders.append(path);
        abort = path == stop;
    });
    finder.Execute();

    QCOMPARE(folders.last(), stop); // nothing searched after the abort
    // Only c.lng/ may come before sub/ in the queue; its match is then listed.
    QStringList result = finder.Files();
    result.removeOne(root() + "c.lng/d.lng");
    QStringList expected;
    for (const QString &name : files)
        expected.append(root() + name);
    QCOMPARE(sorted(result), expected);
}

void TestFindFile::notifications()
{
    TFindFile finder;
    finder.setDirectory(FDir.path());
    finder.setFiles({QStringLiteral("stale")});
    QStringList seen;
    connect(&finder, &TFindFile::BeforeExecute, this,
            [&] { seen.append(QStringLiteral("before %1").arg(finder.Files().size())); });
    connect(&finder, &TFindFile::OnNewPath, this, [&](const QString &, bool &) { seen.append(QStringLiteral("path")); });
    connect(&finder, &TFindFile::AfterExecute, this,
            [&] { seen.append(QStringLiteral("after %1").arg(finder.Files().size())); });
    finder.Execute();
    QCOMPARE(seen, (QStringList{"before 0", "path", "after 5"}));
}

void TestFindFile::emptyDirectorySearchesNothing()
{
    TFindFile finder;
    finder.setRecurse(true);
    finder.setFiles({QStringLiteral("stale")});
    QStringList seen;
    connect(&finder, &TFindFile::BeforeExecute, this, [&] { seen.append(QStringLiteral("before")); });
    connect(&finder, &TFindFile::OnNewPath, this, [&](const QString &, bool &) { seen.append(QStringLiteral("path")); });
    connect(&finder, &TFindFile::AfterExecute, this, [&] { seen.append(QStringLiteral("after")); });
    finder.Execute();
    QCOMPARE(seen, (QStringList{"before", "after"}));
    QVERIFY(finder.Files().isEmpty());
}

void TestFindFile::missingDirectory()
{
    TFindFile finder;
    finder.setDirectory(root() + QStringLiteral("nowhere"));
    finder.setRecurse(true);
    finder.Execute();
    QVERIFY(finder.Files().isEmpty());
}

QTEST_MAIN(TestFindFile)
#include "tst_findfile.moc"
