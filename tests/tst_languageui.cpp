// The language features as the user meets them in the real main window:
// start-up choice, the Language submenu, a change of language, the report
// template of the language, missing keys and faulty language files.
#include "TestSupport.h"

#include "app/TAboutBox.h"
#include "app/TMainForm.h"
#include "widgets/TMessageBox.h"
#include "app/TOrvessaApplication.h"
#include "app/TfrmErrorMsg.h"
#include "input/TfrmImportDlg.h"
#include "lang/TLanguageSetting.h"
#include "lang/TOurTexts.h"
#include "lang/TSystemLanguage.h"
#include "measure/TMeasurePick.h"
#include "report/TPageProducer.h"
#include "report/TTextLines.h"
#include "widgets/TAdvToolPanel.h"
#include "widgets/TAdvToolPanelTab.h"
#include "widgets/TNpsUrl.h"

#include <QAction>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include "widgets/TMemo.h"
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStringEncoder>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

const QString Untranslated = QStringLiteral("<UNTRANSLATED>");

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString utf8File(const QString &path)
{
    return QString::fromUtf8(readFile(path));
}

// The value of key in the text of a language file whose keys are unique;
// a key of ours the file lacks gives its English text.
QString keyText(const QString &file, const QString &key)
{
    for (QString line : file.split(QLatin1Char('\n'))) {
        line.remove(QLatin1Char('\r'));
        if (line.startsWith(key + QLatin1Char('=')) && line.size() > key.size() + 1)
            return line.mid(key.size() + 1);
    }
    const QString english = TOurTexts::Fallback(key);
    return english.isNull() ? Untranslated : english;
}

QByteArray withoutKeys(const QByteArray &text, QStringList keys)
{
    for (QString &key : keys)
        key = QRegularExpression::escape(key);
    const QRegularExpression lines(QStringLiteral("^(%1)=.*\\n").arg(keys.join(QLatin1Char('|'))),
                                   QRegularExpression::MultilineOption);
    return QString::fromUtf8(text).remove(lines).toUtf8();
}

QVariant storedValue()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tallowmere"), QStringLiteral("Orvessa"))
        .value(QStringLiteral("Language"));
}

} // namespace

// Fails with the list of texts that do not follow the language file's text.
#define VERIFY_FOLLOWS(file)                                                                                           \
    do {                                                                                                               \
        const QStringList wrong = mismatches(file);                                                                    \
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));                                          \
    } while (false)

class TestLanguageUi : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startupChoosesBySystemLanguage_data();
    void startupChoosesBySystemLanguage();
    void languageSubmenu_data();
    void languageSubmenu();
    void choosingRetranslatesEveryWindow();
    void failedStoreChangesNothing();
    void reportTemplate_data();
    void reportTemplate();
    void missingKeysShowUntranslated();
    void shippedCaptionsFitTheirItems_data();
    void shippedCaptionsFitTheirItems();
    void windows1251FileDisplays();
    void invalidFileEndsTheProgram(); // last: it asks the application to exit

private:
    void start();
    QString prog() const { return FFolder->path(); }
    QString lng(const QString &name) const { return prog() + QStringLiteral("lng/") + name; }
    QMenu *languageMenu() const { return FForm->findChild<QMenu *>(QStringLiteral("ItLanguage")); }
    QAction *languageItem(const QString &caption) const;
    QStringList itemCaptions(bool checkedOnly = false) const;
    QList<std::pair<QString, QString>> shownTexts() const;
    QStringList mismatches(const QString &file) const;

    std::unique_ptr<TestSupport::TProgramFolderCopy> FFolder;
    std::unique_ptr<TestSupport::TMessageRecorder> FMessages;
    std::unique_ptr<TMainForm> FForm;
};

void TestLanguageUi::init()
{
    TestSupport::isolateSettings();
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tallowmere"), QStringLiteral("Orvessa")).clear();
    TSystemLanguage::setOverride(false);
    FFolder = std::make_unique<TestSupport::TProgramFolderCopy>();
    QVERIFY(QFile::exists(lng(QStringLiteral("english.lng"))));
    FMessages = std::make_unique<TestSupport::TMessageRecorder>();
}

void TestLanguageUi::cleanup()
{
    FForm.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    FMessages.reset();
    FFolder.reset();
    TSystemLanguage::setOverride(std::nullopt);
}

void TestLanguageUi::start()
{
    FForm = std::make_unique<TMainForm>();
    FForm->show(); // runs FormShow
    QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
}

QAction *TestLanguageUi::languageItem(const QString &caption) const
{
    for (QAction *item : languageMenu()->actions()) {
        if (item->text() == caption)
            return item;
    }
    return nullptr;
}

QStringList TestLanguageUi::itemCaptions(bool checkedOnly) const
{
    QStringList captions;
    for (QAction *item : languageMenu()->actions()) {
        if (!checkedOnly || item->isChecked())
            captions << item->text();
    }
    captions.sort();
    return captions;
}

// Language key and the text the interface shows for it.
QList<std::pair<QString, QString>> TestLanguageUi::shownTexts() const
{
    TMainForm *f = FForm.get();
    auto action = [f](const char *name) { return f->findChild<QAction *>(QString::fromLatin1(name))->text(); };
    auto menu = [f](const char *name) { return f->findChild<QMenu *>(QString::fromLatin1(name))->title(); };
    auto button = [](QWidget *w, const char *name) { return w->findChild<QPushButton *>(QString::fromLatin1(name))->text(); };
    auto label = [](QWidget *w, const char *name) { return w->findChild<QLabel *>(QString::fromLatin1(name))->text(); };
    auto memo = [](QWidget *w, const char *name) { return w->findChild<TMemo *>(QString::fromLatin1(name))->toPlainText(); };
    auto *import = f->findChild<TAdvToolPanel *>(QStringLiteral("ToolPanelImport"));
    auto *measure = f->findChild<TAdvToolPanel *>(QStringLiteral("ToolPanelMeasure"));
    QWidget *wizard = f->findChild<TfrmImportDlg *>(QStringLiteral("frmImportDlg"));
    return {
        {"Caption", f->windowTitle()},
        {"acFileOpen", action("acFileOpen")},
        {"acZoomIn", action("acZoomIn")},
        {"acHelp", action("AcHelp")},
        {"File1", menu("File1")},
        {"Help1", menu("Help1")},
        {"ItLanguage", menu("ItLanguage")},
        {"ToolPanelImport.Caption", import->caption()},
        {"ToolPanelImport.Section1.Item1", import->itemCaption(1, 1)},
        {"ToolPanelImport.MemInfo", memo(import, "MemInfo")},
        {"LabURL", label(import, "LabURL")},
        {"ToolPanelMeasure.Caption", measure->caption()},
        {"ToolPanelMeasure.Section1.Item10", measure->itemCaption(1, 10)},
        {"frmErrorMsg", f->findChild<TfrmErrorMsg *>(QStringLiteral("frmErrorMsg"))->windowTitle()},
        {"frmErrorMsg.BtnHelp", button(f->findChild<TfrmErrorMsg *>(QStringLiteral("frmErrorMsg")), "BtnHelp")},
        {"frmImportDlg.Caption", wizard->windowTitle()},
        {"frmImportDlg.LabURL", label(wizard, "LabURL")},
        {"frmImportDlg.LabFileOpen", label(wizard, "LabFileOpen")},
        {"frmImportDlg.MemBeginInfo", memo(wizard, "MemBeginInfo")},
        {"frmImportDlg.BtnCancel.Caption", button(wizard, "BtnCancel")},
        {"frmImportDlg.BtnBack.Caption", button(wizard, "BtnBack")},
        {"AboutBox", f->findChild<TAboutBox *>(QStringLiteral("AboutBox"))->windowTitle()},
        {"AboutBox.LabVer.Caption", label(f->findChild<TAboutBox *>(QStringLiteral("AboutBox")), "LabVer")},
        {"AboutBox.LabAtt.Caption", label(f->findChild<TAboutBox *>(QStringLiteral("AboutBox")), "LabAtt")},
        {"AboutBox.LabLawProtected.Caption", label(f->findChild<TAboutBox *>(QStringLiteral("AboutBox")), "LabLawProtected")},
        {"AboutBox.LabLawInfo.Caption", label(f->findChild<TAboutBox *>(QStringLiteral("AboutBox")), "LabLawInfo")},
        {"AboutBox.LabCopyright.Caption", label(f->findChild<TAboutBox *>(QStringLiteral("AboutBox")), "LabCopyright")},
        {"AboutBox.LabHomePage.Caption", label(f->findChild<TAboutBox *>(QStringLiteral("AboutBox")), "LabHomePage")},
        {"frmOrvessaView.Caption", f->findChild<QWidget *>(QStringLiteral("frmOrvessaView"))->windowTitle()},
    };
}

// Every shown text, hint and help link that differs from the language
// file's text (the file's content, decoded).
QStringList TestLanguageUi::mismatches(const QString &file) const
{
    QStringList found;
    auto expect = [&](const QString &what, const QString &shown, const QString &wanted) {
        if (shown != wanted)
            found << QStringLiteral("%1: \"%2\" instead of \"%3\"").arg(what, shown, wanted);
    };
    for (const auto &[key, shown] : shownTexts())
        expect(key, shown, keyText(file, key));
    for (const char *name : {"acFileOpen", "acExit", "acZoomIn"}) {
        const QString hint = keyText(file, QString::fromLatin1(name) + QStringLiteral(".Hint"));
        QAction *action = FForm->findChild<QAction *>(QString::fromLatin1(name));
        expect(QString::fromLatin1(name) + QStringLiteral(" tooltip"), action->toolTip(), hint.section(QLatin1Char('|'), 0, 0));
        expect(QString::fromLatin1(name) + QStringLiteral(" status"), action->statusTip(),
               hint.contains(QLatin1Char('|')) ? hint.section(QLatin1Char('|'), 1) : hint);
    }
    auto *import = FForm->findChild<TAdvToolPanel *>(QStringLiteral("ToolPanelImport"));
    expect(QStringLiteral("help link"), import->findChild<TNpsUrl *>(QStringLiteral("LabURL"))->url(),
           prog() + keyText(file, QStringLiteral("LabURL.URL")));
    expect(QStringLiteral("wizard help link"), FForm->findChild<TfrmImportDlg *>(QStringLiteral("frmImportDlg"))->findChild<TNpsUrl *>(QStringLiteral("LabURL"))->url(),
           prog() + keyText(file, QStringLiteral("frmImportDlg.LabURL.URL")));
    return found;
}

void TestLanguageUi::startupChoosesBySystemLanguage_data()
{
    QTest::addColumn<bool>("russian");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("templateFile");
    QTest::newRow("russian system") << true << "russian.lng" << "resultru.html";
    QTest::newRow("other system") << false << "english.lng" << "resulten.html";
}

void TestLanguageUi::startupChoosesBySystemLanguage()
{
    QFETCH(bool, russian);
    QFETCH(QString, file);
    QFETCH(QString, templateFile);
    TSystemLanguage::setOverride(russian);
    start();

    QCOMPARE(FForm->CurrentLanguageFile(), lng(file));
    QVERIFY(!storedValue().isValid()); // a default choice is never stored
    VERIFY_FOLLOWS(utf8File(lng(file)));
    QCOMPARE(itemCaptions(true), QStringList{file});
    auto *producer = FForm->findChild<TPageProducer *>(QStringLiteral("PageProducer"));
    QCOMPARE(producer->TemplateLines(), TTextLines::Split(readFile(prog() + QStringLiteral("res/") + templateFile)));
    QVERIFY(FMessages->messages().isEmpty());
}

void TestLanguageUi::languageSubmenu_data()
{
    QTest::addColumn<QString>("stored");  // relative to the program folder
    QTest::addColumn<QString>("current"); // relative to the program folder
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("checked");
    const QStringList shipped{"english.lng", "russian.lng"};
    QTest::newRow("none stored") << "" << "lng/english.lng" << shipped << QStringList{"english.lng"};
    QTest::newRow("case differs") << "LNG/russian.lng" << "LNG/russian.lng" << shipped << QStringList{"russian.lng"};
    QTest::newRow("outside lng") << "other/mine.lng" << "other/mine.lng" << shipped << QStringList{};
    QTest::newRow("deleted file") << "lng/gone.lng" << "lng/english.lng" << shipped << QStringList{"english.lng"};
    // A file name may hold the hint separator "|" on this platform.
    QTest::newRow("more files") << "lng/ru|old.lng" << "lng/ru|old.lng"
                                << QStringList{"english.lng", "russian.lng", "ru|old.lng"} << QStringList{"ru|old.lng"};
    QTest::newRow("empty folder") << "" << "lng/english.lng" << QStringList{} << QStringList{};
}

void TestLanguageUi::languageSubmenu()
{
    QFETCH(QString, stored);
    QFETCH(QString, current);
    QFETCH(QStringList, items);
    QFETCH(QStringList, checked);
    const QString russian = lng(QStringLiteral("russian.lng"));
    // "LNG" is the lng folder reached through a name in other letter case.
    QVERIFY(QFile::link(prog() + QStringLiteral("lng"), prog() + QStringLiteral("LNG")));
    QVERIFY(writeFile(prog() + QStringLiteral("other/mine.lng"), readFile(russian)));
    if (items.contains(QStringLiteral("ru|old.lng")))
        QVERIFY(QFile::copy(russian, lng(QStringLiteral("ru|old.lng"))));
    if (items.isEmpty()) {
        for (const QString &name : QDir(prog() + QStringLiteral("lng")).entryList(QDir::Files))
            QVERIFY(QFile::remove(lng(name)));
    }
    if (!stored.isEmpty())
        QVERIFY(TLanguageSetting::WriteLanguageSetting(TLanguageSetting::KeyPath, prog() + stored));
    start();

    QCOMPARE(FForm->CurrentLanguageFile(), prog() + current);
    QCOMPARE(itemCaptions(), items);
    QCOMPARE(itemCaptions(true), checked);
    for (QAction *item : languageMenu()->actions())
        QCOMPARE(item->statusTip(), lng(item->text()));
    QCOMPARE(storedValue().toString(), stored.isEmpty() ? QString() : prog() + stored); // never rewritten
    if (!items.isEmpty())
        VERIFY_FOLLOWS(utf8File(prog() + current));
}

void TestLanguageUi::choosingRetranslatesEveryWindow()
{
    const QString odd = lng(QStringLiteral("ru|old.lng")); // stored whole, not cut at "|"
    QVERIFY(QFile::copy(lng(QStringLiteral("russian.lng")), odd));
    start();
    FForm->findChild<QAction *>(QStringLiteral("acImportFoto"))->trigger(); // the wizard is open meanwhile
    QVERIFY(FForm->findChild<TfrmImportDlg *>(QStringLiteral("frmImportDlg"))->isVisible());
    auto *producer = FForm->findChild<TPageProducer *>(QStringLiteral("PageProducer"));

    const QString russian = lng(QStringLiteral("russian.lng"));
    const QString english = lng(QStringLiteral("english.lng"));
    // Russian twice in a row, then another file, then back to English.
    for (const QString &path : {russian, russian, odd, english}) {
        const QString name = QFileInfo(path).fileName();
        QPointer<QAction> clicked = languageItem(name);
        QVERIFY(clicked);
        QMenu *menu = languageMenu();
        menu->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(clicked).center());
        QVERIFY(clicked); // removed from the menu inside its own click, deleted after it
        QVERIFY(!languageMenu()->actions().contains(clicked.data()));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!clicked);

        QCOMPARE(storedValue().toString(), path);
        QCOMPARE(FForm->CurrentLanguageFile(), path);
        VERIFY_FOLLOWS(utf8File(path));
        QCOMPARE(itemCaptions(), (QStringList{"english.lng", "russian.lng", "ru|old.lng"}));
        QCOMPARE(itemCaptions(true), QStringList{name});
        // No detached items are left behind either (the menu's own action aside).
        QCOMPARE(languageMenu()->findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly).size(), 4);
        const QString templateFile = path == english ? QStringLiteral("resulten.html") : QStringLiteral("resultru.html");
        QCOMPARE(producer->TemplateLines(), TTextLines::Split(readFile(prog() + QStringLiteral("res/") + templateFile)));
        // Qt's own texts (here its dialogs' Cancel button) follow as well.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                 path == english ? QStringLiteral("Cancel") : QString::fromUtf8("Отмена"));
    }
    QVERIFY(FMessages->messages().isEmpty());
}

void TestLanguageUi::failedStoreChangesNothing()
{
    // A folder where the settings file belongs makes every write fail.
    const QString settingsFile =
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tallowmere"), QStringLiteral("Orvessa"))
            .fileName();
    QFile::remove(settingsFile);
    QVERIFY(QDir().mkpath(settingsFile));
    start();
    languageItem(QStringLiteral("russian.lng"))->trigger();
    QVERIFY(QDir(settingsFile).removeRecursively());

    QCOMPARE(FForm->CurrentLanguageFile(), lng(QStringLiteral("english.lng")));
    VERIFY_FOLLOWS(utf8File(lng(QStringLiteral("english.lng"))));
    QCOMPARE(itemCaptions(true), QStringList{"english.lng"});
    QVERIFY(FMessages->messages().isEmpty());
}

void TestLanguageUi::reportTemplate_data()
{
    QTest::addColumn<QString>("language");    // in the lng folder
    QTest::addColumn<QString>("templateFile"); // in the res folder; "-" deletes resultru.html
    QTest::newRow("code ru") << "russian.lng" << "resultru.html";
    QTest::newRow("no code") << "nocode.lng" << "result.html";
    QTest::newRow("template missing") << "russian.lng" << "-";
}

void TestLanguageUi::reportTemplate()
{
    QFETCH(QString, language);
    QFETCH(QString, templateFile);
    const QByteArray english = readFile(lng(QStringLiteral("english.lng")));
    QVERIFY(writeFile(lng(QStringLiteral("nocode.lng")), withoutKeys(english, {QStringLiteral("countryCod")})));
    QVERIFY(writeFile(prog() + QStringLiteral("res/result.html"), "<html>\r\nno country <#result>\n</html>"));
    const QString missing = prog() + QStringLiteral("res/resultru.html");
    if (templateFile == QLatin1String("-"))
        QVERIFY(QFile::remove(missing));
    QVERIFY(TLanguageSetting::WriteLanguageSetting(TLanguageSetting::KeyPath, lng(language)));
    start();

    auto *producer = FForm->findChild<TPageProducer *>(QStringLiteral("PageProducer"));
    if (templateFile == QLatin1String("-")) {
        QCOMPARE(FMessages->messages().size(), 1);
        const TestSupport::TMessage message = FMessages->messages().first();
        QCOMPARE(message.title, QStringLiteral("Orvessa"));
        QVERIFY2(message.text.startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(missing)), qPrintable(message.text));
        QCOMPARE(producer->TemplateLines(), TPageProducer::BuiltInTemplate());
    } else {
        QVERIFY(FMessages->messages().isEmpty());
        QCOMPARE(producer->TemplateLines(), TTextLines::Split(readFile(prog() + QStringLiteral("res/") + templateFile)));
    }
    // The template is the last step: everything before it is done.
    VERIFY_FOLLOWS(utf8File(lng(language)));
    QCOMPARE(itemCaptions(true), QStringList{language});
    QCOMPARE(itemCaptions().size(), 3);
}

// Every item caption of the shipped files is drawn whole in the 200-pixel
// panels, measured with the item's own font in the real window (an item
// line too short for its caption is drawn elided); the nose wings' and the
// hairline's items also with the automatic placement's "check" mark.
void TestLanguageUi::shippedCaptionsFitTheirItems_data()
{
    QTest::addColumn<bool>("russian");
    QTest::newRow("english.lng") << false;
    QTest::newRow("russian.lng") << true;
}

void TestLanguageUi::shippedCaptionsFitTheirItems()
{
    QFETCH(bool, russian);
    TSystemLanguage::setOverride(russian);
    start();
    QStringList cut;
    for (const char *name : {"ToolPanelImport", "ToolPanelMeasure"}) {
        auto *panel = FForm->findChild<TAdvToolPanel *>(QString::fromLatin1(name));
        FForm->findChild<TAdvToolPanelTab *>(QStringLiteral("AdvToolPanelTab1"))->openPanel(panel);
        QTRY_VERIFY(panel->isVisible()); // laid out for its width once shown
        QCOMPARE(panel->width(), TAdvToolPanelTab::PanelWidth);
        if (panel->objectName() == QLatin1String("ToolPanelMeasure")) {
            panel->setItemMarked(TMeasurePick::MeasureSection, 2, true);
            panel->setItemMarked(TMeasurePick::MeasureSection, 8, true);
        }
        for (int section = 0; section < panel->sectionCount(); ++section) {
            for (int item = 0; item < panel->itemCount(section); ++item) {
                // itemRect is the glyph and the whole caption, clipped to
                // the item line: a clipped one is narrower than both.
                const QString caption = panel->itemText(section, item);
                const int glyph = panel->itemImageIndex(section, item) >= 0 ? 8 + 4 : 0;
                const int needed = glyph + panel->fontMetrics().horizontalAdvance(caption);
                if (panel->itemRect(section, item).width() < needed)
                    cut << QStringLiteral("%1 needs %2 pixels").arg(caption).arg(needed);
            }
        }
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
}

void TestLanguageUi::missingKeysShowUntranslated()
{
    const QString english = lng(QStringLiteral("english.lng"));
    QVERIFY(writeFile(english, withoutKeys(readFile(english), {QStringLiteral("acZoomIn"), QStringLiteral("LabURL.URL")})));
    start();

    QAction *zoomIn = FForm->findChild<QAction *>(QStringLiteral("acZoomIn"));
    QCOMPARE(zoomIn->text(), Untranslated);
    QCOMPARE(zoomIn->toolTip(), QStringLiteral("Zoom in")); // its hint has a key of its own
    auto *import = FForm->findChild<TAdvToolPanel *>(QStringLiteral("ToolPanelImport"));
    QCOMPARE(import->findChild<TNpsUrl *>(QStringLiteral("LabURL"))->url(), prog() + Untranslated);
    QCOMPARE(FForm->findChild<TfrmImportDlg *>(QStringLiteral("frmImportDlg"))->findChild<TNpsUrl *>(QStringLiteral("LabURL"))->url(),
             prog() + QStringLiteral("help/english.html"));
}

void TestLanguageUi::windows1251FileDisplays()
{
    // Keys it lacks show "<UNTRANSLATED>", as the comparison expects too.
    const QString file = QStringLiteral("; Русский язык\r\n[MainForm]\r\n"
                                        "Caption=Оценка лица\r\n"
                                        "acFileOpen=&Открыть...\r\n"
                                        "acFileOpen.Hint=Открыть|Открывает файл с фотографией\r\n"
                                        "File1=&Файл\r\n"
                                        "ToolPanelMeasure.Section1.Item10=Ширина рта\r\n"
                                        "frmImportDlg.Caption=Импорт фотографии\r\n"
                                        "AboutBox.LabVer.Caption=Ещё версия: ЁЖ\r\n"
                                        "countryCod=ru\r\n");
    QStringEncoder windows1251("windows-1251");
    QVERIFY(windows1251.isValid());
    const QByteArray bytes = windows1251.encode(file);
    QCOMPARE(bytes.size(), file.size()); // one byte per character, so not UTF-8
    QVERIFY(writeFile(lng(QStringLiteral("cp1251.lng")), bytes));
    start();
    languageItem(QStringLiteral("cp1251.lng"))->trigger();

    VERIFY_FOLLOWS(file);
    QCOMPARE(FForm->windowTitle(), QStringLiteral("Оценка лица"));
    QCOMPARE(FForm->GetCountryCode(false), QStringLiteral("ru"));
    QVERIFY(FMessages->messages().isEmpty()); // resultru.html was found
}

void TestLanguageUi::invalidFileEndsTheProgram()
{
    QVERIFY(writeFile(lng(QStringLiteral("bad.lng")), "Caption=before any section\r\n[MainForm]\r\nFile1=x\r\n"));
    QVERIFY(writeFile(prog() + QStringLiteral("res/result.html"), "<html></html>"));
    start();
    languageItem(QStringLiteral("bad.lng"))->trigger();

    QCOMPARE(FMessages->messages().size(), 1);
    const TestSupport::TMessage fatal = FMessages->messages().first();
    QCOMPARE(fatal.kind, int(TMessageBox::Kind::FatalTopMost));
    QCOMPARE(fatal.title, QStringLiteral("Fatal error"));
    QCOMPARE(fatal.text, QStringLiteral("Invalid language file"));
    QCOMPARE(storedValue().toString(), lng(QStringLiteral("bad.lng"))); // stored before it was read

    // The exit request waits for the event loop; a loop run now ends with it.
    QEventLoop loop;
    QTimer::singleShot(5000, &loop, [&loop] { loop.exit(-100); });
    QCOMPARE(loop.exec(), 1);
}

int main(int argc, char *argv[])
{
    TOrvessaApplication app(argc, argv);
    TestLanguageUi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_languageui.moc"
