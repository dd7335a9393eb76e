#include "lang/TLangText.h"
#include "lang/TLanguageSetting.h"
#include "lang/TMultiLang.h"
#include "lang/TTransStorage.h"
#include "lang/TSystemLanguage.h"
#include "widgets/TMessageBox.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestMultiLang : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void splitLines_data();
    void splitLines();
    void lookup_data();
    void lookup();
    void duplicateLinesAreDropped();
    void lookupSeesLinesAddedAfterIt();
    void tableEqualsLineByLineInsertion_data();
    void tableEqualsLineByLineInsertion();
    void sectionsEqualLineByLineReading_data();
    void sectionsEqualLineByLineReading();
    void fileOverSizeLimitIsUnreadable();
    void sectionNamesAreExact();
    void untranslatedOutsideTheTable();
    void ourKeysFallBackToEnglish_data();
    void ourKeysFallBackToEnglish();
    void failedReadKeepsPreviousTable();
    void fileNamedEnglishIsNotRead();
    void countryCode_data();
    void countryCode();
    void display_data();
    void display();
    void selectLanguage_data();
    void selectLanguage();
    void storedDeletedFileFallsBackToDefault();
    void currentLanguageFileIgnoresAsciiCaseOnly();
    void invalidFile_data();
    void invalidFile();

private:
    // Writes content to a file of the temporary folder; returns its path.
    QString write(const QByteArray &content, const QString &name = QStringLiteral("test.lng"));
    // Writes content and loads it.
    bool load(TMultiLang &lang, const QByteArray &content, const QString &name = QStringLiteral("test.lng"));

    QTemporaryDir FDir;
};

void TestMultiLang::initTestCase()
{
    QVERIFY(FDir.isValid());
    TestSupport::isolateSettings();
}

void TestMultiLang::cleanup()
{
    TSystemLanguage::setOverride(std::nullopt);
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tallowmere"), QStringLiteral("Orvessa"))
        .clear();
}

QString TestMultiLang::write(const QByteArray &content, const QString &name)
{
    QFile file(FDir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return QString();
    return file.fileName();
}

bool TestMultiLang::load(TMultiLang &lang, const QByteArray &content, const QString &name)
{
    const QString path = write(content, name);
    return !path.isEmpty() && lang.LoadLanguageFile(path) != TMultiLang::TLoadResult::Unreadable;
}

void TestMultiLang::splitLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<QByteArray>>("lines");

    using L = QList<QByteArray>;
    QTest::newRow("LF") << QByteArray("a\nb") << L{"a", "b"};
    QTest::newRow("CR") << QByteArray("a\rb") << L{"a", "b"};
    QTest::newRow("CR LF") << QByteArray("a\r\nb") << L{"a", "b"};
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << L{"a", "", "b"};
    QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << L{"a", "", "b"};
    QTest::newRow("blank lines") << QByteArray("a\n\n\nb") << L{"a", "", "", "b"};
    QTest::newRow("final break") << QByteArray("a\r\n") << L{"a"};
    QTest::newRow("final blank line") << QByteArray("a\n\n") << L{"a", ""};
    QTest::newRow("empty") << QByteArray() << L{};
    QTest::newRow("NUL ends the text") << QByteArray("a\nb\0c\nd", 7) << L{"a", "b"};
    QTest::newRow("NUL first") << QByteArray("\0a", 2) << L{};
    QTest::newRow("spaces kept") << QByteArray(" a \t\n") << L{" a \t"};
}

void TestMultiLang::splitLines()
{
    QFETCH(QByteArray, text);
    QFETCH(QList<QByteArray>, lines);
    QCOMPARE(TMultiLang::SplitLines(text), lines);
}

void TestMultiLang::lookup_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString none = TMultiLang::Untranslated;
    QTest::newRow("keys ignore case") << QByteArray("[MainForm]\nCaption=Main window\n") << "caption"
                                      << "Main window";
    QTest::newRow("space before = belongs to the key")
        << QByteArray("[MainForm]\nCaption = Main window\n") << "Caption" << none;
    QTest::newRow("space after = belongs to the value")
        << QByteArray("[MainForm]\nCaption = Main window\n") << "Caption " << " Main window";
    QTest::newRow("value holds =") << QByteArray("[MainForm]\nPath=a=b\n") << "Path"
                                   << "a=b";
    QTest::newRow("empty value") << QByteArray("[MainForm]\nCaption=\n") << "Caption" << none;
    QTest::newRow("trailing spaces kept") << QByteArray("[MainForm]\nCaption=Hi \n") << "Caption"
                                          << "Hi ";
    QTest::newRow("whole key only") << QByteArray("[MainForm]\nCaption.Hint=x\n") << "Caption" << none;
    QTest::newRow("key is not a prefix") << QByteArray("[MainForm]\nCaption=x\n") << "Caption.Hint" << none;
    QTest::newRow("text after ] ignored") << QByteArray("[MainForm] ; texts\nA=1\n") << "A"
                                          << "1";
    QTest::newRow("[X]=1 is a key line") << QByteArray("[MainForm]\n[X]=1\nA=2\n") << "[X]"
                                         << "1";
    QTest::newRow("[X]=1 opens no section") << QByteArray("[MainForm]\n[X]=1\nA=2\n") << "A"
                                            << "2";
    QTest::newRow("first of two MainForm sections")
        << QByteArray("[MainForm]\nA=1\n[MainForm]\nA=2\nB=3\n") << "A"
        << "1";
    QTest::newRow("second MainForm section unreachable")
        << QByteArray("[MainForm]\nA=1\n[MainForm]\nA=2\nB=3\n") << "B" << none;
    QTest::newRow("other sections not consulted") << QByteArray("[Other]\nA=0\nB=0\n[MainForm]\nA=1\n") << "B"
                                                  << none;
    QTest::newRow("blank before [ is no header")
        << QByteArray("[Other]\nA=0\n [MainForm]\nA=1\n[MainForm]\nB=2\n") << "A" << none;
    QTest::newRow("sorted first match") << QByteArray("[MainForm]\nCaption=Beta\nCaption=Alpha\n") << "Caption"
                                        << "Alpha";
    QTest::newRow("sorted first match, other order")
        << QByteArray("[MainForm]\nCaption=Alpha\nCaption=Beta\n") << "Caption"
        << "Alpha";
    QTest::newRow("sorted first match, key case differs")
        << QByteArray("[MainForm]\nCAPTION=beta\ncaption=ALPHA\n") << "Caption"
        << "ALPHA";
    QTest::newRow("KEY=x and key=x") << QByteArray("[MainForm]\nKEY=x\nkey=x\n") << "Key"
                                     << "x";
    QTest::newRow("NUL hides what follows") << QByteArray("[MainForm]\nA=1\0\nB=2\n", 18) << "B" << none;
    QTest::newRow("text before NUL kept") << QByteArray("[MainForm]\nA=1\0\nB=2\n", 18) << "A"
                                          << "1";
    QTest::newRow("CR only") << QByteArray("[MainForm]\rA=1\rB=2\r") << "B"
                             << "2";
    QTest::newRow("CR LF leaves no CR") << QByteArray("[MainForm]\r\nA=1\r\nB=2\r\n") << "A"
                                        << "1";
    QTest::newRow("comment lines ignored") << QByteArray("; note\n[MainForm]\n# note\nA=1\n") << "A"
                                           << "1";
    QTest::newRow("UTF-8 value") << QByteArray("[MainForm]\nA=Ширина рта\n") << "A" << QString::fromUtf8("Ширина рта");
    QTest::newRow("UTF-8 key ignores case") << QByteArray("[MainForm]\nКлюч=1\n") << QString::fromUtf8("КЛЮЧ")
                                            << "1";
    QTest::newRow("Windows-1251 value") << QByteArray("[MainForm]\nA=\xCF\xF0\xE8\xE2\xE5\xF2\n") << "A"
                                        << QString::fromUtf8("Привет");
    QTest::newRow("Windows-1251 key ignores case")
        << QByteArray("[MainForm]\n\xCA\xEB\xFE\xF7=1\n") << QString::fromUtf8("ключ") << "1";
}

void TestMultiLang::lookup()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    TestSupport::TMessageRecorder messages;
    TMultiLang lang;
    QVERIFY(load(lang, content));
    QCOMPARE(lang.GetLangText(lang.FindSection(QStringLiteral("MainForm")), key), expected);
    QVERIFY(messages.messages().isEmpty());
}

void TestMultiLang::lookupSeesLinesAddedAfterIt()
{
    TTransStorage table;
    const int section = table.addSection("MainForm");
    table.addLine(section, "Caption=Beta");
    QCOMPARE(table.value(section, QStringLiteral("caption")), QByteArray("Beta"));
    table.addLine(section, "CAPTION=Alpha"); // sorts first, so it answers from now on
    QCOMPARE(table.value(section, QStringLiteral("Caption")), QByteArray("Alpha"));
    table.addLine(section, "Hint");          // a key line without a value answers nothing
    QCOMPARE(table.value(section, QStringLiteral("Hint")), QByteArray());
}

void TestMultiLang::tableEqualsLineByLineInsertion_data()
{
    QTest::addColumn<QList<QByteArray>>("lines");

    QTest::newRow("case variants and values")
        << QList<QByteArray>{"Key=b", "key=a", "KEY=b", "key=A", "Hint", "hint", "a=1", "A=1", "b="};
    QTest::newRow("Cyrillic in UTF-8 and Windows-1251")
        << QList<QByteArray>{"\xD0\xAF=1", "\xD1\x8F=2", "\xDF=3", "\xFF=4", "\xD0\x81=5", "\xC5=6", "e=7"};
    QTest::newRow("several equals signs") << QList<QByteArray>{"a=b=c", "A=B", "a==", "=x", "=X"};

    // A shuffled mix in the manner of a large file: every key in several
    // spellings, some repeated.
    QList<QByteArray> mix;
    const QList<QByteArray> stems{"caption", "Hint", "\xD0\xB8\xD0\xBC\xD1\x8F", "\xC8\xCC\xDF", "ok."};
    for (int i = 0; i < 600; ++i) {
        QByteArray key = stems[(i * 7) % stems.size()] + QByteArray::number((i * 13) % 37);
        if (i % 3 == 0)
            key = key.toUpper();
        mix.append(key + '=' + QByteArray::number((i * 5) % 4));
    }
    QTest::newRow("shuffled mix") << mix;
}

// The table built from a file's lines equals the one that inserting each line
// at its sorted place gives (the first of lines equal ignoring case stays),
// and so do the lookups.
void TestMultiLang::tableEqualsLineByLineInsertion()
{
    QFETCH(QList<QByteArray>, lines);

    QList<QByteArray> expected;
    QList<QString> folded;
    for (const QByteArray &line : lines) {
        const QString key = TLangText::foldCase(line);
        const auto place = std::lower_bound(folded.begin(), folded.end(), key, [](const QString &a, const QString &b) {
            return TLangText::compareFolded(a, b) < 0;
        });
        if (place != folded.end() && TLangText::compareFolded(*place, key) == 0)
            continue;
        expected.insert(place - folded.begin(), line);
        folded.insert(place, key);
    }

    TTransStorage table;
    const int section = table.addSection("MainForm");
    for (const QByteArray &line : lines)
        table.addLine(section, line);
    QCOMPARE(table.sectionLines(section), expected);
    for (const QByteArray &line : lines) {
        const QString key = TLangText::toDisplay(line.left(line.indexOf('=')));
        QByteArray answer;
        for (const QByteArray &candidate : expected) {
            const qsizetype equals = candidate.indexOf('=');
            if (equals >= 0 && TLangText::foldCase(candidate.left(equals)) == TLangText::foldCase(key)) {
                answer = candidate.mid(equals + 1);
                break;
            }
        }
        QCOMPARE(table.value(section, key), answer);
    }
}

// Loading finds the headers without reading every line, and splits a
// section's lines when first asked; both must give what reading the file line
// by line gives: "[" starts a header only at the start of a line without "=".
void TestMultiLang::sectionsEqualLineByLineReading_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("CR, LF, CR LF") << QByteArray("; c\r[A]\r\nx=1\ry=2\n[B]\r\nz=3\r\n");
    QTest::newRow("[ inside lines") << QByteArray("[A]\nk=[B]\nq[=1\n [C]\n[D]\nv=2");
    QTest::newRow("key line starting with [") << QByteArray("[A]\n[k]=1\n[k=2\n[B]\n");
    QTest::newRow("header without ] or name") << QByteArray("[A\nk=1\n[]\nk=2\n[\nk=3");
    QTest::newRow("repeated header, empty sections") << QByteArray("[A]\n[A]\nk=1\n[B]\n[C]");
    QTest::newRow("NUL ends the text") << QByteArray("[A]\nk=1\n\0[B]\nk=2\n", 18);
    QTest::newRow("lines without = ignored") << QByteArray("junk\n[A]\njunk\nk=1\n;x\n\n[B]\njunk");
    QTest::newRow("header at the very end") << QByteArray("[A]\nk=1\r\n[B]");
    QTest::newRow("no header") << QByteArray("; only\nnotes\n");
}

void TestMultiLang::sectionsEqualLineByLineReading()
{
    QFETCH(QByteArray, text);
    QList<QByteArray> names;
    QList<QList<QByteArray>> lines;
    TTransStorage model;
    for (const QByteArray &line : TMultiLang::SplitLines(text)) {
        if (line.contains('=')) {
            model.addLine(model.count() - 1, line);
        } else if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            model.addSection(close < 0 ? QByteArray() : line.mid(1, close - 1));
        }
    }
    TMultiLang lang;
    QVERIFY(load(lang, text));
    QCOMPARE(lang.Storage().count(), model.count());
    for (int s = 0; s < model.count(); ++s) {
        QCOMPARE(lang.Storage().sectionName(s), model.sectionName(s));
        QCOMPARE(lang.Storage().sectionLines(s), model.sectionLines(s));
    }
}

// Beyond 16 MiB a language file counts as unreadable: the previous texts stay.
void TestMultiLang::fileOverSizeLimitIsUnreadable()
{
    TMultiLang lang;
    QVERIFY(load(lang, "[MainForm]\nCaption=Old\n"));
    const QByteArray head = "[MainForm]\nCaption=New\n";
    const qsizetype limit = qsizetype(16) << 20;

    QVERIFY(!load(lang, head + QByteArray(limit + 1 - head.size(), ';'), QStringLiteral("huge.lng")));
    QCOMPARE(lang.GetLangText(lang.FindSection(QStringLiteral("MainForm")), QStringLiteral("Caption")),
             QStringLiteral("Old"));
    lang.UseLanguageFile(write(head + QByteArray(limit + 1 - head.size(), ';'), QStringLiteral("huge.lng")),
                         QStringLiteral("MainForm"));
    QCOMPARE(lang.Text(QStringLiteral("Caption")), QStringLiteral("Old"));

    QVERIFY(load(lang, head + QByteArray(limit - head.size(), ';'), QStringLiteral("huge.lng")));
    QCOMPARE(lang.GetLangText(lang.FindSection(QStringLiteral("MainForm")), QStringLiteral("Caption")),
             QStringLiteral("New"));
}

void TestMultiLang::duplicateLinesAreDropped()
{
    TMultiLang lang;
    QVERIFY(load(lang, "[MainForm]\nKEY=x\nb=2\nkey=x\nKey=X\nKEY=y\n"));
    QCOMPARE(lang.Storage().sectionLines(0), (QList<QByteArray>{"b=2", "KEY=x", "KEY=y"}));
}

void TestMultiLang::sectionNamesAreExact()
{
    TMultiLang lang;
    QVERIFY(load(lang, "[mainform]\nA=1\n[MainForm ]\nA=2\n[MainForm\nA=3\n[]\nA=4\n[Main]Form]\nA=5\n"));
    QCOMPARE(lang.Storage().count(), 5);
    QCOMPARE(lang.FindSection(QStringLiteral("MainForm")), -1);
    QCOMPARE(lang.FindSection(QStringLiteral("mainform")), 0);
    QCOMPARE(lang.FindSection(QStringLiteral("MainForm ")), 1);
    QCOMPARE(lang.FindSection(QString()), 2); // "[MainForm" without "]" is unnamed
    QCOMPARE(lang.FindSection(QStringLiteral("Main")), 4);
    QCOMPARE(lang.GetLangText(2, QStringLiteral("A")), QStringLiteral("3"));
}

void TestMultiLang::untranslatedOutsideTheTable()
{
    TMultiLang empty;
    QCOMPARE(empty.MainSection(), -1);
    QCOMPARE(empty.Text(QStringLiteral("Caption")), TMultiLang::Untranslated);
    QCOMPARE(empty.GetLangText(0, QStringLiteral("Caption")), TMultiLang::Untranslated);
    QCOMPARE(empty.FindSection(QStringLiteral("MainForm")), -1);

    TMultiLang lang;
    QVERIFY(load(lang, "[MainForm]\nCaption=x\n"));
    for (const int section : {-1, 1, 1000, std::numeric_limits<int>::min()})
        QCOMPARE(lang.GetLangText(section, QStringLiteral("Caption")), TMultiLang::Untranslated);
}

void TestMultiLang::ourKeysFallBackToEnglish_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");

    QTest::newRow("ours, absent") << QByteArray("[MainForm]\nCaption=x\n") << "acFitToWindow" << "Fit to Window";
    QTest::newRow("ours, present") << QByteArray("[MainForm]\nacFitToWindow=y\n") << "acFitToWindow" << "y";
    QTest::newRow("ours, empty") << QByteArray("[MainForm]\nacFitToWindow=\n") << "acFitToWindow"
                                 << "Fit to Window";
    QTest::newRow("original, absent") << QByteArray("[MainForm]\nCaption=x\n") << "acZoomIn"
                                      << TMultiLang::Untranslated;
}

void TestMultiLang::ourKeysFallBackToEnglish()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, key);
    QFETCH(QString, text);

    TMultiLang lang;
    QCOMPARE(lang.UseLanguageFile(write(file, QStringLiteral("ours.lng")), QStringLiteral("MainForm")),
             TMultiLang::TLoadResult::Read);
    QCOMPARE(lang.Text(key), text);
}

void TestMultiLang::failedReadKeepsPreviousTable()
{
    TMultiLang lang;
    QVERIFY(load(lang, "[MainForm]\nCaption=Kept\n"));
    QCOMPARE(lang.LoadLanguageFile(FDir.filePath(QStringLiteral("missing.lng"))), TMultiLang::TLoadResult::Unreadable);
    QCOMPARE(lang.LoadLanguageFile(FDir.path()), TMultiLang::TLoadResult::Unreadable); // a folder
    QCOMPARE(lang.LoadLanguageFile(QString()), TMultiLang::TLoadResult::Unreadable);
    QCOMPARE(lang.GetLangText(lang.FindSection(QStringLiteral("MainForm")), QStringLiteral("Caption")),
             QStringLiteral("Kept"));
}

void TestMultiLang::fileNamedEnglishIsNotRead()
{
    TMultiLang lang;
    QVERIFY(load(lang, "[MainForm]\nCaption=Kept\n"));
    QVERIFY(load(lang, "[Other]\nCaption=New\n", QStringLiteral("English")));
    QCOMPARE(lang.FindSection(QStringLiteral("MainForm")), 0);
    QCOMPARE(lang.LoadLanguageFile(FDir.filePath(QStringLiteral("missing/English"))), TMultiLang::TLoadResult::Read);

    // Any other spelling is an ordinary file name.
    QVERIFY(load(lang, "[Other]\nCaption=New\n", QStringLiteral("english")));
    QCOMPARE(lang.FindSection(QStringLiteral("MainForm")), -1);
}

void TestMultiLang::countryCode_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("withSeparator");

    QTest::newRow("present") << QByteArray("[MainForm]\ncountryCod=ru\n") << "ru"
                             << "ru\\";
    QTest::newRow("key ignores case") << QByteArray("[MainForm]\nCOUNTRYCOD=en\n") << "en"
                                      << "en\\";
    QTest::newRow("missing") << QByteArray("[MainForm]\nCaption=x\n") << QString() << QString();
    QTest::newRow("eleven letters is another key") << QByteArray("[MainForm]\ncountryCode=ru\n") << QString()
                                                   << QString();
    QTest::newRow("empty value") << QByteArray("[MainForm]\ncountryCod=\n") << QString() << QString();
    QTest::newRow("no MainForm") << QByteArray("[Other]\ncountryCod=ru\n") << QString() << QString();
}

void TestMultiLang::countryCode()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, code);
    QFETCH(QString, withSeparator);

    TMultiLang lang;
    lang.UseLanguageFile(write(content), QStringLiteral("MainForm"));
    QCOMPARE(lang.GetCountryCode(false), code);
    QCOMPARE(lang.GetCountryCode(true), withSeparator);
}

void TestMultiLang::display_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("ASCII") << QByteArray("Zoom In") << QStringLiteral("Zoom In");
    QTest::newRow("UTF-8") << QByteArray("Ширина рта") << QString::fromUtf8("Ширина рта");
    QTest::newRow("Windows-1251 letters") << QByteArray("\xD8\xE8\xF0\xE8\xED\xE0 \xF0\xF2\xE0")
                                          << QString::fromUtf8("Ширина рта");
    QTest::newRow("Windows-1251 capitals") << QByteArray("\xC0\xDF\xE0\xFF") << QString::fromUtf8("АЯая");
    QTest::newRow("Windows-1251 signs") << QByteArray("\x88\xB9\xA8\xB8\x96\xAB\xBB")
                                        << QString::fromUtf8("€№Ёё–«»");
    QTest::newRow("Windows-1251 unassigned 0x98") << QByteArray("\x98") << QString(QChar(0x0098));
    QTest::newRow("cut UTF-8 sequence") << QByteArray("\xD0") << QString::fromUtf8("Р");
    QTest::newRow("overlong UTF-8 form") << QByteArray("\xC0\xAF") << QString::fromUtf8("АЇ");
    QTest::newRow("UTF-8 BOM kept") << QByteArray("\xEF\xBB\xBFx") << QString(QChar(0xFEFF)) + QLatin1Char('x');
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestMultiLang::display()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(TLangText::toDisplay(bytes), text);
}

void TestMultiLang::selectLanguage_data()
{
    QTest::addColumn<bool>("russian");
    QTest::addColumn<QString>("file");

    QTest::newRow("Russian system") << true << "russian.lng";
    QTest::newRow("other system") << false << "english.lng";
}

void TestMultiLang::selectLanguage()
{
    QFETCH(bool, russian);
    QFETCH(QString, file);

    const QString folder = FDir.path() + QLatin1Char('/');
    QVERIFY(!write("[MainForm]\ncountryCod=en\n", QStringLiteral("english.lng")).isEmpty());
    QVERIFY(!write("[Other]\n[MainForm]\ncountryCod=ru\n", QStringLiteral("russian.lng")).isEmpty());
    TSystemLanguage::setOverride(russian);

    TMultiLang lang;
    lang.UseLanguageFile(TMultiLang::ChooseLanguageFile(folder), QStringLiteral("MainForm"));
    QCOMPARE(lang.CurrentLanguageFile(), folder + file);
    QCOMPARE(lang.MainSection(), russian ? 1 : 0);
    QCOMPARE(lang.GetCountryCode(false), russian ? QStringLiteral("ru") : QStringLiteral("en"));
    // The default choice is not stored.
    QString stored;
    QVERIFY(!TLanguageSetting::ReadLanguageSetting(TLanguageSetting::KeyPath, stored));
    QVERIFY(stored.isEmpty());

    // A stored choice wins over the system's language, wherever the file lies.
    QTemporaryDir elsewhere;
    const QString chosen = elsewhere.filePath(QStringLiteral("mine.lng"));
    QVERIFY(QFile::copy(folder + QStringLiteral("english.lng"), chosen));
    QVERIFY(TLanguageSetting::WriteLanguageSetting(TLanguageSetting::KeyPath, chosen));
    lang.UseLanguageFile(TMultiLang::ChooseLanguageFile(folder), QStringLiteral("MainForm"));
    QCOMPARE(lang.CurrentLanguageFile(), chosen);
    QCOMPARE(lang.GetCountryCode(true), QStringLiteral("en\\"));
}

void TestMultiLang::storedDeletedFileFallsBackToDefault()
{
    const QString folder = FDir.path() + QLatin1Char('/');
    QVERIFY(!write("[MainForm]\ncountryCod=en\n", QStringLiteral("english.lng")).isEmpty());
    const QString gone = FDir.filePath(QStringLiteral("gone.lng"));
    QVERIFY(!write("[MainForm]\ncountryCod=xx\n", QStringLiteral("gone.lng")).isEmpty());
    QVERIFY(TLanguageSetting::WriteLanguageSetting(TLanguageSetting::KeyPath, gone));
    QVERIFY(QFile::remove(gone));
    TSystemLanguage::setOverride(false);

    TMultiLang lang;
    lang.UseLanguageFile(TMultiLang::ChooseLanguageFile(folder), QStringLiteral("MainForm"));
    QCOMPARE(lang.CurrentLanguageFile(), folder + QStringLiteral("english.lng"));
    QCOMPARE(lang.GetCountryCode(false), QStringLiteral("en"));
    QString stored;
    QVERIFY(!TLanguageSetting::ReadLanguageSetting(TLanguageSetting::KeyPath, stored));
    QCOMPARE(stored, gone); // left as it was
}

void TestMultiLang::currentLanguageFileIgnoresAsciiCaseOnly()
{
    const QString folder = FDir.path() + QLatin1Char('/');
    QVERIFY(!write("[MainForm]\n", QStringLiteral("Я.lng")).isEmpty());
    QVERIFY(TLanguageSetting::WriteLanguageSetting(TLanguageSetting::KeyPath, folder + QString::fromUtf8("Я.lng")));
    TMultiLang lang;
    lang.UseLanguageFile(TMultiLang::ChooseLanguageFile(folder), QStringLiteral("MainForm"));

    QVERIFY(lang.IsCurrentLanguageFile(folder + QString::fromUtf8("Я.lng")));
    QVERIFY(lang.IsCurrentLanguageFile(folder + QString::fromUtf8("Я.LNG")));
    QVERIFY(!lang.IsCurrentLanguageFile(folder + QString::fromUtf8("я.lng")));
    QVERIFY(!lang.IsCurrentLanguageFile(folder + QString::fromUtf8("Я.lng ")));
}

void TestMultiLang::invalidFile_data()
{
    QTest::addColumn<QByteArray>("content");

    QTest::newRow("key line before any header") << QByteArray("A=1\n[MainForm]\nB=2\n");
    QTest::newRow("UTF-8 BOM hides the first header") << QByteArray("\xEF\xBB\xBF[MainForm]\nA=1\n");
    QTest::newRow("bare = before any header") << QByteArray("note\n=\n[MainForm]\n");
}

// The reader shows nothing itself: it tells its caller, and the table is empty.
void TestMultiLang::invalidFile()
{
    QFETCH(QByteArray, content);

    TestSupport::TMessageRecorder messages;
    TMultiLang lang;
    QVERIFY(load(lang, "[MainForm]\nCaption=Old\n"));
    QCOMPARE(lang.UseLanguageFile(write(content), QStringLiteral("MainForm")), TMultiLang::TLoadResult::Invalid);

    QVERIFY(messages.messages().isEmpty());
    QCOMPARE(lang.Storage().count(), 0);
    QCOMPARE(lang.Text(QStringLiteral("Caption")), TMultiLang::Untranslated);
}

QTEST_MAIN(TestMultiLang)
#include "tst_multilang.moc"
