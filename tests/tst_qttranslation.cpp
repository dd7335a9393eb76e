// Qt's own texts follow the language's country code, one translation at a time.
#include "lang/TQtTranslation.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The caption Qt gives the Cancel button of its message boxes and dialogs.
QString cancelText()
{
    return QCoreApplication::translate("QPlatformTheme", "Cancel");
}

} // namespace

class TestQtTranslation : public QObject
{
    Q_OBJECT

private slots:
    void fileName_data();
    void fileName();
    void eachUseReplacesTheLast_data();
    void eachUseReplacesTheLast();
    void endsWithItsOwner();
};

void TestQtTranslation::fileName_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("file");

    QTest::newRow("ru") << "ru" << "qtbase_ru";
    QTest::newRow("en") << "en" << "qtbase_en";
    QTest::newRow("regional") << "pt_BR" << "qtbase_pt_BR";
    QTest::newRow("hyphen and digits") << "es-419" << "qtbase_es-419";
    QTest::newRow("none") << "" << "";
    QTest::newRow("a path") << "../../tmp/x" << "";
    QTest::newRow("a blank") << "ru " << "";
    QTest::newRow("not ASCII") << QString::fromUtf8("ру") << "";
    QTest::newRow("a dot") << "ru.qm" << "";
}

void TestQtTranslation::fileName()
{
    QFETCH(QString, code);
    QFETCH(QString, file);
    QCOMPARE(TQtTranslation::FileName(code), file);
}

// Each row starts from Russian, so a row that installs nothing shows that the
// Russian texts went away with it.
void TestQtTranslation::eachUseReplacesTheLast_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("cancel");

    QTest::newRow("again Russian") << "ru" << true << QString::fromUtf8("Отмена");
    QTest::newRow("German") << "de" << true << "Abbrechen";
    QTest::newRow("regional falls back to the language") << "de_AT" << true << "Abbrechen";
    QTest::newRow("English, which Qt needs none for") << "en" << false << "Cancel";
    QTest::newRow("no country code") << "" << false << "Cancel";
    QTest::newRow("a language Qt lacks") << "xx" << false << "Cancel";
    QTest::newRow("a path") << "../translations/qtbase_de" << false << "Cancel";
}

void TestQtTranslation::eachUseReplacesTheLast()
{
    QFETCH(QString, code);
    QFETCH(bool, installed);
    QFETCH(QString, cancel);

    TQtTranslation translation;
    QVERIFY(translation.Use(QStringLiteral("ru")));
    QCOMPARE(cancelText(), QString::fromUtf8("Отмена"));
    QCOMPARE(translation.Use(code), installed);
    QCOMPARE(cancelText(), cancel);
}

void TestQtTranslation::endsWithItsOwner()
{
    {
        TQtTranslation translation;
        QVERIFY(translation.Use(QStringLiteral("ru")));
        // An empty folder has no translation: Russian stays away.
        QTemporaryDir empty;
        QVERIFY(!translation.Use(QStringLiteral("ru"), empty.path()));
        QCOMPARE(cancelText(), QStringLiteral("Cancel"));
        QVERIFY(translation.Use(QStringLiteral("ru")));
    }
    QCOMPARE(cancelText(), QStringLiteral("Cancel"));
}

QTEST_MAIN(TestQtTranslation)
#include "tst_qttranslation.moc"
