#include "lang/TMultiLang.h"
#include "lang/TOurTexts.h"
#include "lang/TTranslator.h"
#include "widgets/TAdvToolPanel.h"
#include "widgets/TNpsUrl.h"

#include "TestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include "widgets/TMemo.h"
#include <QPushButton>
#include <QtTest>

namespace {

const QString ProgramFolder = QStringLiteral("/opt/orvessa/");

// The windows as the program builds them, reduced to the named controls the
// translation sets, plus a few namesakes it must leave alone.
struct TWindowTree
{
    QMainWindow mainForm;
    QDialog *frmErrorMsg;
    QDialog *frmImportDlg;
    QDialog *aboutBox;
    QWidget *frmOrvessaView;
    TAdvToolPanel *toolPanelImport;
    TAdvToolPanel *toolPanelMeasure;

    TWindowTree()
    {
        mainForm.setObjectName(QStringLiteral("MainForm"));
        // The dialogs are children of the main window, as in the program;
        // the wizard, with its own MemInfo and LabURL, comes first.
        frmImportDlg = new QDialog(&mainForm);
        frmImportDlg->setObjectName(QStringLiteral("frmImportDlg"));
        for (const char *name : {"MemInfo", "MemBeginInfo"})
            (new TMemo(QString::fromLatin1(name), QRect(), frmImportDlg))->setPlainText(QStringLiteral("layout"));
        (new TNpsUrl(frmImportDlg))->setObjectName(QStringLiteral("LabURL"));
        (new QLabel(frmImportDlg))->setObjectName(QStringLiteral("LabFileOpen"));
        for (const char *name : {"BtnCancel", "BtnBack", "BtnNext"})
            (new QPushButton(QStringLiteral("layout"), frmImportDlg))->setObjectName(QString::fromLatin1(name));

        for (const char *name : {"acFileOpen", "AcGetBeautyIndex", "acImportFoto", "acHelpAbout", "acHandTool",
                                 "acActualPixels", "acZoomIn", "acZoomOut", "acExit", "AcHelp", "AcGoToHomePage",
                                 "acEditCopy"}) {
            auto *action = new QAction(QStringLiteral("layout"), &mainForm);
            action->setObjectName(QString::fromLatin1(name));
        }
        QMenu *file = mainForm.menuBar()->addMenu(QStringLiteral("&File"));
        file->setObjectName(QStringLiteral("File1"));
        file->addMenu(QStringLiteral("&Language"))->setObjectName(QStringLiteral("ItLanguage"));
        mainForm.menuBar()->addMenu(QStringLiteral("&View"))->setObjectName(QStringLiteral("View1"));
        mainForm.menuBar()->addMenu(QStringLiteral("&Help"))->setObjectName(QStringLiteral("Help1"));

        auto *client = new QWidget(&mainForm);
        mainForm.setCentralWidget(client);
        toolPanelImport = new TAdvToolPanel(QStringLiteral("ToolPanelImport"), client);
        toolPanelImport->setObjectName(QStringLiteral("ToolPanelImport"));
        toolPanelImport->addSection(QStringLiteral("Help"), 154);
        toolPanelImport->addSection(QStringLiteral("Import"), 72);
        toolPanelImport->addItem(1, QStringLiteral("Open Foto"));
        toolPanelImport->addItem(1, QStringLiteral("Import Foto..."));
        toolPanelImport->addSection(QStringLiteral("Web"), 53);
        toolPanelImport->addItem(2, QStringLiteral("Visit home page"));
        new TMemo(QStringLiteral("MemInfo"), QRect(), toolPanelImport->sectionArea(0));
        auto *labUrl = new TNpsUrl(toolPanelImport->sectionArea(0));
        labUrl->setObjectName(QStringLiteral("LabURL"));

        toolPanelMeasure = new TAdvToolPanel(QStringLiteral("ToolPanelMeasure"), client);
        toolPanelMeasure->setObjectName(QStringLiteral("ToolPanelMeasure"));
        toolPanelMeasure->addSection(QStringLiteral("Sample preview"), 207);
        toolPanelMeasure->addSection(QStringLiteral("Measure"), 170);
        for (int i = 0; i < 11; ++i)
            toolPanelMeasure->addItem(1, QStringLiteral("Untitled"), 0);

        frmErrorMsg = new QDialog(&mainForm);
        frmErrorMsg->setObjectName(QStringLiteral("frmErrorMsg"));
        for (const char *name : {"BtnOK", "BtnHelp"})
            (new QPushButton(QStringLiteral("layout"), frmErrorMsg))->setObjectName(QString::fromLatin1(name));

        aboutBox = new QDialog(&mainForm);
        aboutBox->setObjectName(QStringLiteral("AboutBox"));
        (new QLabel(QStringLiteral("Version:"), aboutBox))->setObjectName(QStringLiteral("LabVer"));
        for (const char *name : {"LabAtt", "LabLawProtected", "LabLawInfo", "LabCopyright", "LabHomePage"})
            (new QLabel(QStringLiteral("layout"), aboutBox))->setObjectName(QString::fromLatin1(name));

        frmOrvessaView = new QWidget(&mainForm, Qt::Window);
        frmOrvessaView->setObjectName(QStringLiteral("frmOrvessaView"));
    }

    TTranslator::TWindows windows()
    {
        return {&mainForm, frmErrorMsg, frmImportDlg, aboutBox, frmOrvessaView};
    }

    QAction *action(const char *name) { return mainForm.findChild<QAction *>(QString::fromLatin1(name)); }
    QMenu *menu(const char *name) { return mainForm.findChild<QMenu *>(QString::fromLatin1(name)); }
    template <typename T>
    T *in(QWidget *window, const char *name)
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
};

// Every key translates to "<key>"; hints to "short key|long key".
QString echo(const QString &key)
{
    if (key.endsWith(QLatin1String(".Hint")))
        return QStringLiteral("short %1|long %1").arg(key);
    return QLatin1Char('<') + key + QLatin1Char('>');
}

QString shippedFile(const char *name)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/lng/") + QString::fromLatin1(name);
}

// The keys looked up where they are used, and the ones other parts add.
const QStringList KeysUsedElsewhere = {
    QStringLiteral("frmImportDlg.BtnNext.Caption"),   QStringLiteral("frmImportDlg.BtnFinish.Caption"),
    QStringLiteral("frmImportDlg.ReqInfo1"),          QStringLiteral("frmImportDlg.ReqInfo2"),
    QStringLiteral("frmImportDlg.ReqInfo3"),          QStringLiteral("frmImportDlg.CheckBox.ReqText1"),
    QStringLiteral("frmImportDlg.CheckBox.ReqText2"), QStringLiteral("frmImportDlg.CheckBox.ReqText3"),
    QStringLiteral("errorFileNotOpen"),               QStringLiteral("errorMeausuresNotComplete"),
    QStringLiteral("countryCod"),                     QStringLiteral("errorMeasuresDegenerate"),
};

} // namespace

class TestTranslator : public QObject
{
    Q_OBJECT

private slots:
    void setHint_data();
    void setHint();
    void appliesEveryRow();
    void namesakesInOtherWindowsUntouched();
    void missingWindowsAndControlsSkipped();
    void shippedLanguageFiles_data();
    void shippedLanguageFiles();
    void shippedFilesShareTheirKeys();
};

void TestTranslator::setHint_data()
{
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("statusTip");

    QTest::newRow("short|long") << "Open|Opens an existing file" << "Open"
                                << "Opens an existing file";
    QTest::newRow("no bar serves as both") << "Show Help" << "Show Help"
                                           << "Show Help";
    QTest::newRow("first bar splits") << "a|b|c" << "a"
                                      << "b|c";
    QTest::newRow("empty short part") << "|long" << ""
                                      << "long";
}

void TestTranslator::setHint()
{
    QFETCH(QString, hint);
    QFETCH(QString, toolTip);
    QFETCH(QString, statusTip);

    QAction action(QStringLiteral("Caption"));
    TTranslator::SetHint(&action, hint);
    if (!toolTip.isEmpty())
        QCOMPARE(action.toolTip(), toolTip);
    QCOMPARE(action.statusTip(), statusTip);
}

void TestTranslator::appliesEveryRow()
{
    TWindowTree tree;
    QStringList asked;
    TTranslator::Apply(tree.windows(), ProgramFolder, [&asked](const QString &key) {
        asked.append(key);
        return echo(key);
    });
    QCOMPARE(asked, TTranslator::Keys());

    QCOMPARE(tree.mainForm.windowTitle(), QStringLiteral("<Caption>"));
    QCOMPARE(tree.frmErrorMsg->windowTitle(), QStringLiteral("<frmErrorMsg>"));
    QCOMPARE(tree.frmImportDlg->windowTitle(), QStringLiteral("<frmImportDlg.Caption>"));
    QCOMPARE(tree.aboutBox->windowTitle(), QStringLiteral("<AboutBox>"));

    for (const char *name : {"acFileOpen", "AcGetBeautyIndex", "acImportFoto", "acHelpAbout", "acHandTool",
                             "acActualPixels", "acZoomIn", "acZoomOut", "acExit", "AcGoToHomePage"}) {
        const QString key = QString::fromLatin1(name);
        QCOMPARE(tree.action(name)->text(), QLatin1Char('<') + key + QLatin1Char('>'));
        QCOMPARE(tree.action(name)->toolTip(), QStringLiteral("short %1.Hint").arg(key));
        QCOMPARE(tree.action(name)->statusTip(), QStringLiteral("long %1.Hint").arg(key));
    }
    QCOMPARE(tree.action("AcHelp")->text(), QStringLiteral("<acHelp>"));
    QCOMPARE(tree.action("AcHelp")->statusTip(), QStringLiteral("long acHelp.Hint"));
    QCOMPARE(tree.action("acEditCopy")->text(), QStringLiteral("layout"));

    QCOMPARE(tree.menu("File1")->title(), QStringLiteral("<File1>"));
    QCOMPARE(tree.menu("View1")->title(), QStringLiteral("<View1>"));
    QCOMPARE(tree.menu("Help1")->title(), QStringLiteral("<Help1>"));
    QCOMPARE(tree.menu("ItLanguage")->title(), QStringLiteral("<ItLanguage>"));

    TAdvToolPanel *import = tree.toolPanelImport;
    QCOMPARE(import->caption(), QStringLiteral("<ToolPanelImport.Caption>"));
    for (int section = 0; section < 3; ++section)
        QCOMPARE(import->sectionCaption(section), QStringLiteral("<ToolPanelImport.Section%1>").arg(section));
    QCOMPARE(import->itemCaption(1, 0), QStringLiteral("<ToolPanelImport.Section1.Item0>"));
    QCOMPARE(import->itemCaption(1, 1), QStringLiteral("<ToolPanelImport.Section1.Item1>"));
    QCOMPARE(import->itemCaption(2, 0), QStringLiteral("<ToolPanelImport.Section2.Item0>"));
    TAdvToolPanel *measure = tree.toolPanelMeasure;
    QCOMPARE(measure->caption(), QStringLiteral("<ToolPanelMeasure.Caption>"));
    QCOMPARE(measure->sectionCaption(0), QStringLiteral("<ToolPanelMeasure.Section0>"));
    QCOMPARE(measure->sectionCaption(1), QStringLiteral("<ToolPanelMeasure.Section1>"));
    for (int item = 0; item < 11; ++item)
        QCOMPARE(measure->itemCaption(1, item), QStringLiteral("<ToolPanelMeasure.Section1.Item%1>").arg(item));

    QWidget *main = tree.mainForm.centralWidget();
    QCOMPARE(tree.in<TMemo>(main, "MemInfo")->toPlainText(), QStringLiteral("<ToolPanelImport.MemInfo>"));
    QCOMPARE(tree.in<TNpsUrl>(main, "LabURL")->text(), QStringLiteral("<LabURL>"));
    QCOMPARE(tree.in<TNpsUrl>(main, "LabURL")->url(), ProgramFolder + QStringLiteral("<LabURL.URL>"));

    QWidget *wizard = tree.frmImportDlg;
    QCOMPARE(tree.in<TNpsUrl>(wizard, "LabURL")->text(), QStringLiteral("<frmImportDlg.LabURL>"));
    QCOMPARE(tree.in<TNpsUrl>(wizard, "LabURL")->url(), ProgramFolder + QStringLiteral("<frmImportDlg.LabURL.URL>"));
    QCOMPARE(tree.in<QLabel>(wizard, "LabFileOpen")->text(), QStringLiteral("<frmImportDlg.LabFileOpen>"));
    QCOMPARE(tree.in<TMemo>(wizard, "MemBeginInfo")->toPlainText(),
             QStringLiteral("<frmImportDlg.MemBeginInfo>"));
    QCOMPARE(tree.in<QPushButton>(wizard, "BtnCancel")->text(), QStringLiteral("<frmImportDlg.BtnCancel.Caption>"));
    QCOMPARE(tree.in<QPushButton>(wizard, "BtnBack")->text(), QStringLiteral("<frmImportDlg.BtnBack.Caption>"));

    QCOMPARE(tree.in<QPushButton>(tree.frmErrorMsg, "BtnHelp")->text(), QStringLiteral("<frmErrorMsg.BtnHelp>"));
    QCOMPARE(tree.in<QLabel>(tree.aboutBox, "LabVer")->text(), QStringLiteral("<AboutBox.LabVer.Caption>"));
    for (const char *name : {"LabAtt", "LabLawProtected", "LabLawInfo", "LabCopyright", "LabHomePage"})
        QCOMPARE(tree.in<QLabel>(tree.aboutBox, name)->text(), QStringLiteral("<AboutBox.%1.Caption>").arg(QLatin1String(name)));
    QCOMPARE(tree.frmOrvessaView->windowTitle(), QStringLiteral("<frmOrvessaView.Caption>"));
}

void TestTranslator::namesakesInOtherWindowsUntouched()
{
    TWindowTree tree;
    // The main window's own LabURL and MemInfo are missing: the wizard's
    // namesakes must not stand in for them.
    delete tree.in<TNpsUrl>(tree.mainForm.centralWidget(), "LabURL");
    delete tree.in<TMemo>(tree.mainForm.centralWidget(), "MemInfo");
    TTranslator::Apply(tree.windows(), ProgramFolder, echo);

    QWidget *wizard = tree.frmImportDlg;
    QCOMPARE(tree.in<TMemo>(wizard, "MemInfo")->toPlainText(), QStringLiteral("layout"));
    QCOMPARE(tree.in<TNpsUrl>(wizard, "LabURL")->text(), QStringLiteral("<frmImportDlg.LabURL>"));
    QCOMPARE(tree.in<TNpsUrl>(wizard, "LabURL")->url(), ProgramFolder + QStringLiteral("<frmImportDlg.LabURL.URL>"));
    QCOMPARE(tree.in<QPushButton>(wizard, "BtnNext")->text(), QStringLiteral("layout"));
    QCOMPARE(tree.in<QPushButton>(tree.frmErrorMsg, "BtnOK")->text(), QStringLiteral("layout"));
}

void TestTranslator::missingWindowsAndControlsSkipped()
{
    // Bare windows, a panel short of sections and items, no other window.
    QWidget mainForm;
    auto *panel = new TAdvToolPanel(QStringLiteral("ToolPanelMeasure"), &mainForm);
    panel->setObjectName(QStringLiteral("ToolPanelMeasure"));
    panel->addSection(QStringLiteral("Sample preview"), 10);
    panel->addSection(QStringLiteral("Measure"), 10);
    panel->addItem(1, QStringLiteral("Untitled"));
    QDialog about;

    TTranslator::Apply({&mainForm, nullptr, nullptr, &about}, ProgramFolder, echo);
    QCOMPARE(mainForm.windowTitle(), QStringLiteral("<Caption>"));
    QCOMPARE(about.windowTitle(), QStringLiteral("<AboutBox>"));
    QCOMPARE(panel->itemCaption(1, 0), QStringLiteral("<ToolPanelMeasure.Section1.Item0>"));
    QCOMPARE(panel->itemCount(1), 1);

    TTranslator::Apply({}, ProgramFolder, echo); // nothing at all
}

void TestTranslator::shippedLanguageFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("countryCode");
    QTest::addColumn<QString>("help");
    QTest::addColumn<QString>("firstMeasurement");
    QTest::addColumn<QString>("lastMeasurement");

    QTest::newRow("english.lng") << shippedFile("english.lng") << "en"
                                 << "help/english.html"
                                 << "Mouth width"
                                 << "Nose base to mouth";
    QTest::newRow("russian.lng") << shippedFile("russian.lng") << "ru"
                                 << "help/russian.html" << QString::fromUtf8("Ширина рта")
                                 << QString::fromUtf8("От основания носа до рта");
}

void TestTranslator::shippedLanguageFiles()
{
    QFETCH(QString, file);
    QFETCH(QString, countryCode);
    QFETCH(QString, help);
    QFETCH(QString, firstMeasurement);
    QFETCH(QString, lastMeasurement);

    TestSupport::TMessageRecorder messages;
    TMultiLang lang;
    lang.UseLanguageFile(file, QStringLiteral("MainForm"));
    QVERIFY(messages.messages().isEmpty());
    QVERIFY(lang.MainSection() >= 0);

    QStringList keys = TTranslator::Keys() + KeysUsedElsewhere + TOurTexts::Keys();
    keys.removeDuplicates();
    for (const QString &key : keys) {
        const QString text = lang.GetLangText(lang.MainSection(), key);
        QVERIFY2(text != TMultiLang::Untranslated, qPrintable(key));
        QVERIFY2(!text.contains(QChar::ReplacementCharacter), qPrintable(key));
        if (key.endsWith(QLatin1String(".Hint")))
            QVERIFY2(text.count(QLatin1Char('|')) == 1, qPrintable(key));
    }
    QCOMPARE(lang.Storage().sectionLines(lang.MainSection()).size(), keys.size());
    QCOMPARE(lang.GetCountryCode(false), countryCode);
    QCOMPARE(lang.Text(QStringLiteral("LabURL.URL")), help);
    QCOMPARE(lang.Text(QStringLiteral("frmImportDlg.LabURL.URL")), help);
    QCOMPARE(lang.Text(QStringLiteral("ToolPanelMeasure.Section1.Item0")), firstMeasurement);
    QCOMPARE(lang.Text(QStringLiteral("ToolPanelMeasure.Section1.Item10")), lastMeasurement);
}

void TestTranslator::shippedFilesShareTheirKeys()
{
    QList<QStringList> keySets;
    for (const char *name : {"english.lng", "russian.lng"}) {
        TMultiLang lang;
        lang.UseLanguageFile(shippedFile(name), QStringLiteral("MainForm"));
        QStringList keys;
        for (const QByteArray &line : lang.Storage().sectionLines(lang.MainSection()))
            keys.append(QString::fromLatin1(line.left(line.indexOf('='))));
        keys.sort();
        keySets.append(keys);
    }
    QCOMPARE(keySets.at(0).size(), 74 + TOurTexts::Keys().size());
    QCOMPARE(keySets.at(0), keySets.at(1));
}

QTEST_MAIN(TestTranslator)
#include "tst_translator.moc"
