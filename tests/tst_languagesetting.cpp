#include "lang/TLanguageSetting.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestLanguageSetting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void roundTrip();
    void keyPathNamesOrganisationAndApplication();
    void nothingStored();
    void storedPathMustNameAFile_data();
    void storedPathMustNameAFile();
    void valueOfAnotherType();
    void keyPathWithoutApplication();
    void failedWrite();
    void writeOverUnparsableFile_data();
    void writeOverUnparsableFile();

private:
    static QSettings stored();

    QTemporaryDir FDir;
    QString FFile;
};

QSettings TestLanguageSetting::stored()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tallowmere"),
                     QStringLiteral("Orvessa"));
}

void TestLanguageSetting::initTestCase()
{
    QVERIFY(FDir.isValid());
    TestSupport::isolateSettings();
    FFile = FDir.filePath(QStringLiteral("english.lng"));
    QFile file(FFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

void TestLanguageSetting::cleanup()
{
    TestSupport::isolateSettings();
    stored().clear();
}

void TestLanguageSetting::roundTrip()
{
    QVERIFY(TLanguageSetting::WriteLanguageSetting(TLanguageSetting::KeyPath, FFile));
    QString path = QStringLiteral("junk");
    QVERIFY(TLanguageSetting::ReadLanguageSetting(TLanguageSetting::KeyPath, path));
    QCOMPARE(path, FFile);
}

void TestLanguageSetting::keyPathNamesOrganisationAndApplication()
{
    QCOMPARE(TLanguageSetting::KeyPath, QStringLiteral("Software\\Tallowmere\\Orvessa"));
    QVERIFY(TLanguageSetting::WriteLanguageSetting(TLanguageSetting::KeyPath, FFile));
    QCOMPARE(stored().value(QStringLiteral("Language")).toString(), FFile);

    // The same settings without the leading "Software".
    QString path;
    QVERIFY(TLanguageSetting::ReadLanguageSetting(QStringLiteral("Tallowmere\\Orvessa"), path));
    QCOMPARE(path, FFile);
    QVERIFY(!TLanguageSetting::ReadLanguageSetting(QStringLiteral("Software\\Tallowmere\\Other"), path));
    QVERIFY(path.isEmpty());
}

void TestLanguageSetting::nothingStored()
{
    QString path = QStringLiteral("junk");
    QVERIFY(!TLanguageSetting::ReadLanguageSetting(TLanguageSetting::KeyPath, path));
    QVERIFY(path.isEmpty());
}

void TestLanguageSetting::storedPathMustNameAFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << "gone.lng";
    QTest::newRow("folder") << "";
}

void TestLanguageSetting::storedPathMustNameAFile()
{
    QFETCH(QString, name);
    const QString target = name.isEmpty() ? FDir.path() : FDir.filePath(name);
    QVERIFY(TLanguageSetting::WriteLanguageSetting(TLanguageSetting::KeyPath, target));
    QString path;
    QVERIFY(!TLanguageSetting::ReadLanguageSetting(TLanguageSetting::KeyPath, path));
    QCOMPARE(path, target); // the stored text is still handed back
}

void TestLanguageSetting::valueOfAnotherType()
{
    {
        QSettings settings = stored();
        settings.setValue(QStringLiteral("Language"), FFile.toUtf8()); // binary, not a string
    }
    QString path;
    QVERIFY(!TLanguageSetting::ReadLanguageSetting(TLanguageSetting::KeyPath, path));
    QVERIFY(path.isEmpty());

    {
        QSettings settings = stored();
        settings.setValue(QStringLiteral("Language"), QStringList{FFile, FFile});
    }
    QVERIFY(!TLanguageSetting::ReadLanguageSetting(TLanguageSetting::KeyPath, path));
}

void TestLanguageSetting::keyPathWithoutApplication()
{
    QString path;
    QVERIFY(!TLanguageSetting::WriteLanguageSetting(QStringLiteral("Software\\Tallowmere"), FFile));
    QVERIFY(!TLanguageSetting::ReadLanguageSetting(QStringLiteral("Software"), path));
    QVERIFY(!TLanguageSetting::ReadLanguageSetting(QString(), path));
}

void TestLanguageSetting::failedWrite()
{
    // A settings folder below a plain file cannot be created.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FFile + QStringLiteral("/settings"));
    QVERIFY(!TLanguageSetting::WriteLanguageSetting(TLanguageSetting::KeyPath, FFile));
}

// A settings file that cannot be parsed is rewritten with the new value,
// and the write counts as done since the value reads back.
void TestLanguageSetting::writeOverUnparsableFile_data()
{
    QTest::addColumn<QByteArray>("garbage");
    QTest::newRow("unclosed section and quote") << QByteArray("[General\nLanguage=\"unterminated\n\\\x01[[[=\n");
    QTest::newRow("percent escapes cut short") << QByteArray("[%U\n%=%\nLanguage=@Variant(\n");
}

void TestLanguageSetting::writeOverUnparsableFile()
{
    QFETCH(QByteArray, garbage);
    const QString conf = stored().fileName();
    QVERIFY(QDir().mkpath(QFileInfo(conf).path()));
    QFile garbageFile(conf);
    QVERIFY(garbageFile.open(QIODevice::WriteOnly));
    garbageFile.write(garbage);
    garbageFile.close();

    QVERIFY(TLanguageSetting::WriteLanguageSetting(TLanguageSetting::KeyPath, FFile));
    QString path;
    QVERIFY(TLanguageSetting::ReadLanguageSetting(TLanguageSetting::KeyPath, path));
    QCOMPARE(path, FFile);
}

QTEST_MAIN(TestLanguageSetting)
#include "tst_languagesetting.moc"
