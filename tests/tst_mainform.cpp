// The main window's shell: actions, menus, toolbar, shortcuts, panel dispatch,
// the error dialog and the default error box.
#include "TestSupport.h"

#include "core/EOrvessaError.h"
#include "app/TAboutBox.h"
#include "input/TfrmImportDlg.h"
#include "report/TfrmOrvessaView.h"
#include "app/TMainForm.h"
#include "app/TOrvessaApplication.h"
#include "app/TfrmErrorMsg.h"
#include "input/TOpenDialog.h"
#include "measure/TImgView32.h"
#include "widgets/TAdvToolPanel.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include "widgets/TMemo.h"
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

class TestMainForm : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void actions_data();
    void actions();
    void menuStructure_data();
    void menuStructure();
    void toolBarOrder();
    void shortcutsReachActionsWhateverHasFocus();
    void openDialogFromEveryEntryPoint();
    void importPanelDispatch_data();
    void importPanelDispatch();
    void errorDialogReplacesTextAndStaysModeless();
    void errorDialogClosesThroughOkAndEscape();
    void fullStopRule_data();
    void fullStopRule();
    void uncaughtFailureReachesTheErrorBox();
    void programFolderIgnoresWorkingDirectory();
    void windowsAndExit();

private:
    TestSupport::TMessageRecorder *FMessages = nullptr;
    TMainForm *FForm = nullptr;
};

void TestMainForm::init()
{
    TestSupport::isolateSettings();
    FMessages = new TestSupport::TMessageRecorder;
    TOpenDialog::setHook([](const QStringList &, const QString &) { return QString(); });
    FForm = new TMainForm;
    FForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(FForm));
}

void TestMainForm::cleanup()
{
    delete FForm;
    FForm = nullptr;
    delete FMessages;
    TOpenDialog::setHook({});
}

void TestMainForm::actions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("statusTip");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("hasImage");

    QTest::newRow("open") << "acFileOpen" << "&Open..." << "Open" << "Opens an existing file" << QKeySequence("Ctrl+O") << true;
    QTest::newRow("import") << "acImportFoto" << "Import Foto..." << "" << "" << QKeySequence() << false;
    QTest::newRow("index") << "AcGetBeautyIndex" << "Get Beauty Index" << "" << "" << QKeySequence("Ctrl+F9") << true;
    QTest::newRow("exit") << "acExit" << "E&xit" << "Exit" << "Exit application"
                          << QKeySequence::keyBindings(QKeySequence::Quit).value(0) << false;
    QTest::newRow("copy") << "acEditCopy" << "&Copy" << "" << "" << QKeySequence("Ctrl+C") << false;
    QTest::newRow("paste") << "acEditPaste" << "&Past" << "" << "" << QKeySequence("Ctrl+V") << false;
    QTest::newRow("actual") << "acActualPixels" << "Actual Pixels" << "" << "" << QKeySequence("Ctrl+1") << true;
    QTest::newRow("zoom in") << "acZoomIn" << "Zoom In" << "" << "" << QKeySequence("Ctrl++") << true;
    QTest::newRow("zoom out") << "acZoomOut" << "Zoom Out" << "" << "" << QKeySequence("Ctrl+-") << true;
    QTest::newRow("fit") << "acFitToWindow" << "Fit to Window" << "Fit to window" << "Shows the whole photo in the window"
                         << QKeySequence("Ctrl+0") << true;
    QTest::newRow("hand") << "acHandTool" << "Hand Tool" << "" << "" << QKeySequence() << true;
    QTest::newRow("help") << "AcHelp" << "Help" << "Show Help" << "Show Help" << QKeySequence("F1") << false;
    QTest::newRow("home") << "AcGoToHomePage" << "Go to Home Page" << "" << "" << QKeySequence() << false;
    QTest::newRow("about") << "acHelpAbout" << "&About..." << "About"
                           << "Displays program information, version number, and copyright" << QKeySequence() << false;
    // Ours; Redo answers Ctrl+Y as well.
    QTest::newRow("undo") << "acEditUndo" << "Undo" << "Undo" << "Takes back the last change of the guide lines"
                          << QKeySequence("Ctrl+Z") << false;
    QTest::newRow("redo") << "acEditRedo" << "Redo" << "Redo" << "Makes the change taken back again"
                          << QKeySequence("Ctrl+Shift+Z") << false;
    QTest::newRow("re-centre") << "acRecentreLine" << "Re-centre Line" << "Re-centre line"
                               << "Puts the current measurement's line back on the centre of the view" << QKeySequence()
                               << false;
    QTest::newRow("show all lines") << "acShowAllLines" << "Show All Lines" << "Show all lines"
                                    << "Draws the lines of every measurement, each with its number"
                                    << QKeySequence("Ctrl+Shift+A") << false;
    QTest::newRow("save measurements") << "acSaveMeasurements" << "Save Measurements..." << "" << ""
                                       << QKeySequence("Ctrl+S") << false;
    QTest::newRow("open measurements") << "acOpenMeasurements" << "Open Measurements..." << "" << ""
                                       << QKeySequence("Ctrl+Shift+O") << false;
}

void TestMainForm::actions()
{
    QFETCH(QString, name);
    // A window that was never shown still holds the layout texts.
    TMainForm fresh;
    // Every action is held by the action manager.
    QObject *manager = fresh.findChild<QObject *>(QStringLiteral("ActionManager"), Qt::FindDirectChildrenOnly);
    QVERIFY(manager);
    QAction *action = manager->findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
    QVERIFY2(action, qPrintable(name));
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    QFETCH(QString, statusTip);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, hasImage);
    QCOMPARE(action->text(), caption);
    if (!toolTip.isEmpty())
        QCOMPARE(action->toolTip(), toolTip);
    QCOMPARE(action->statusTip(), statusTip);
    QCOMPARE(action->shortcut(), shortcut);
    QCOMPARE(!action->icon().isNull(), hasImage);
}

void TestMainForm::menuStructure_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("File") << "File1"
                          << QStringList{"acFileOpen", "acImportFoto", "acOpenMeasurements", "acSaveMeasurements", "N2", "AcGetBeautyIndex", "acPlaceLinesAuto", "N6", "ItLanguage", "N1", "acExit"};
    QTest::newRow("Edit") << "Edit1" << QStringList{"acEditUndo", "acEditRedo", "N7", "acRecentreLine"};
    QTest::newRow("View") << "View1"
                          << QStringList{"acActualPixels", "acZoomIn", "acZoomOut", "acFitToWindow", "N8", "acShowAllLines"};
    QTest::newRow("Help") << "Help1" << QStringList{"AcHelp", "N3", "AcGoToHomePage", "N4", "acHelpAbout"};
}

void TestMainForm::menuStructure()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, items);
    QMenu *m = FForm->findChild<QMenu *>(menu);
    QVERIFY(m);
    QStringList found;
    for (QAction *item : m->actions())
        found << (item->menu() ? item->menu()->objectName() : item->objectName());
    QCOMPARE(found, items);

    QStringList bar;
    for (QAction *top : FForm->menuBar()->actions())
        bar << top->menu()->objectName();
    QCOMPARE(bar, (QStringList{"File1", "Edit1", "View1", "Help1"}));
}

void TestMainForm::toolBarOrder()
{
    auto *toolBar = FForm->findChild<QToolBar *>(QStringLiteral("MainToolBar"));
    QVERIFY(toolBar);
    QStringList found;
    for (QAction *item : toolBar->actions())
        found << (item->isSeparator() ? QStringLiteral("-") : item->objectName());
    QCOMPARE(found, (QStringList{"-", "acFileOpen", "-", "acActualPixels", "acZoomIn", "acZoomOut", "acFitToWindow", "-", "acHandTool",
                                 "acPlaceLinesAuto", "-", "AcGetBeautyIndex"}));
    QCOMPARE(toolBar->toolButtonStyle(), Qt::ToolButtonIconOnly);
}

void TestMainForm::shortcutsReachActionsWhateverHasFocus()
{
    QAction *copy = FForm->findChild<QAction *>(QStringLiteral("acEditCopy"));
    QSignalSpy triggered(copy, &QAction::triggered);
    QWidget *image = FForm->findChild<QWidget *>(QStringLiteral("Image"));
    QVERIFY(image);
    FForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FForm));
    image->setFocus();
    QTest::keyClick(image, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(triggered.count(), 1);

    QWidget *memo = FForm->findChild<TMemo *>(QStringLiteral("MemInfo"));
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(triggered.count(), 2);
}

void TestMainForm::openDialogFromEveryEntryPoint()
{
    QList<QStringList> shown;
    TOpenDialog::setHook([&shown](const QStringList &filters, const QString &selected) {
        shown << (QStringList(selected) << filters);
        return QString();
    });
    FForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FForm));
    QTest::keyClick(FForm, Qt::Key_O, Qt::ControlModifier);
    FForm->findChild<QMenu *>(QStringLiteral("File1"))->actions().first()->trigger();
    auto *toolBar = FForm->findChild<QToolBar *>(QStringLiteral("MainToolBar"));
    QTest::mouseClick(toolBar->widgetForAction(FForm->findChild<QAction *>(QStringLiteral("acFileOpen"))), Qt::LeftButton);
    emit FForm->findChild<TAdvToolPanel *>(QStringLiteral("ToolPanelImport"))->itemClicked(1, 0);

    // "All picture files|*.jpg; *.bmp|All files|*.*", the first entry selected.
    const QStringList expected{"All picture files (*.jpg *.bmp)", "All picture files (*.jpg *.bmp)", "All files (*.*)"};
    QCOMPARE(shown.size(), 4);
    for (const QStringList &dialog : shown)
        QCOMPARE(dialog, expected);
    // Cancelling loaded nothing.
    QVERIFY(FForm->findChild<TImgView32 *>(QStringLiteral("Image"))->IsPhotoEmpty());
}

void TestMainForm::importPanelDispatch_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("action");
    QTest::newRow("open foto") << 1 << 0 << "acFileOpen";
    QTest::newRow("import foto") << 1 << 1 << "acImportFoto";
    QTest::newRow("home page") << 2 << 0 << "AcGoToHomePage";
    QTest::newRow("help section") << 0 << 0 << "";
    QTest::newRow("no such item") << 1 << 2 << "";
}

void TestMainForm::importPanelDispatch()
{
    QFETCH(int, section);
    QFETCH(int, item);
    QFETCH(QString, action);
    TestSupport::TShellRecorder shell;
    QList<QSignalSpy *> spies;
    QStringList names{"acFileOpen", "acImportFoto", "AcGoToHomePage"};
    for (const QString &name : names)
        spies << new QSignalSpy(FForm->findChild<QAction *>(name), &QAction::triggered);

    auto *panel = FForm->findChild<TAdvToolPanel *>(QStringLiteral("ToolPanelImport"));
    QVERIFY(panel);
    emit panel->itemClicked(section, item);

    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(spies.at(i)->count(), names.at(i) == action ? 1 : 0);
    qDeleteAll(spies);
}

void TestMainForm::errorDialogReplacesTextAndStaysModeless()
{
    FForm->ShowError(QStringLiteral("first"));
    FForm->ShowError(QStringLiteral("second"));
    TfrmErrorMsg *dialog = FForm->findChild<TfrmErrorMsg *>(QStringLiteral("frmErrorMsg"));
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->message(), QStringLiteral("second"));
    QCOMPARE(FForm->findChildren<TfrmErrorMsg *>().size(), 1);
    QVERIFY(!dialog->isModal());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(FForm->isEnabled());
}

void TestMainForm::errorDialogClosesThroughOkAndEscape()
{
    TfrmErrorMsg *dialog = FForm->findChild<TfrmErrorMsg *>(QStringLiteral("frmErrorMsg"));
    FForm->ShowError(QStringLiteral("x"));
    QTest::mouseClick(dialog->BtnOK, Qt::LeftButton);
    QVERIFY(!dialog->isVisible());

    FForm->ShowError(QStringLiteral("y"));
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
}

void TestMainForm::fullStopRule_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << "Bitmap image is not valid" << "Bitmap image is not valid.";
    QTest::newRow("has stop") << "Cannot open file \"x\". Gone." << "Cannot open file \"x\". Gone.";
    QTest::newRow("closing paren") << "JPEG error #42" << "JPEG error #42.";
    QTest::newRow("ends in dash") << "a-" << "a-";
    QTest::newRow("ends in quote") << "file \"x\"" << "file \"x\"";
    QTest::newRow("ends in slash") << "a/" << "a/.";
    QTest::newRow("empty") << "" << "";
}

void TestMainForm::fullStopRule()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(TOrvessaApplication::errorBoxText(message), shown);
}

namespace {
// Throws from inside an event handler, as a failing command does.
class TThrowingWidget : public QWidget
{
protected:
    void mousePressEvent(QMouseEvent *) override { throw EOrvessaError(QStringLiteral("Cannot do that")); }
};
} // namespace

void TestMainForm::uncaughtFailureReachesTheErrorBox()
{
    TThrowingWidget widget;
    widget.resize(50, 50);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QTest::mouseClick(&widget, Qt::LeftButton);
    QCOMPARE(FMessages->messages().size(), 1);
    QCOMPARE(FMessages->messages().first().title, QStringLiteral("Orvessa"));
    QCOMPARE(FMessages->messages().first().text, QStringLiteral("Cannot do that."));
    // The program carries on with the next event.
    QTest::mouseClick(&widget, Qt::LeftButton);
    QCOMPARE(FMessages->messages().size(), 2);
}

void TestMainForm::programFolderIgnoresWorkingDirectory()
{
    const QString before = QDir::currentPath();
    QDir::setCurrent(QDir::rootPath());
    TMainForm other;
    QDir::setCurrent(before);
    const QString expected = QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator();
    QCOMPARE(other.ProgramFolder(), expected);
    QCOMPARE(other.LanguageFolder(), expected + "lng" + QDir::separator());
    QCOMPARE(other.PictureFolder(), expected + "pic" + QDir::separator());
    QCOMPARE(other.TemplateFolder(), expected + "res" + QDir::separator());
    QVERIFY(QDir(other.LanguageFolder()).exists());
    QCOMPARE(other.MeasureStore().size(), 20);
    for (const TFloatRect &entry : other.MeasureStore())
        QCOMPARE(entry, TFloatRect());
}

void TestMainForm::windowsAndExit()
{
    QCOMPARE(FForm->windowTitle().isEmpty(), false);
    // Each secondary window is found by its name and is hidden at start.
    for (QWidget *secondary : {static_cast<QWidget *>(FForm->findChild<TAboutBox *>(QStringLiteral("AboutBox"))),
                               static_cast<QWidget *>(FForm->findChild<TfrmOrvessaView *>(QStringLiteral("frmOrvessaView"))),
                               static_cast<QWidget *>(FForm->findChild<TfrmImportDlg *>(QStringLiteral("frmImportDlg"))),
                               static_cast<QWidget *>(FForm->findChild<TfrmErrorMsg *>(QStringLiteral("frmErrorMsg")))}) {
        QVERIFY(secondary);
        QVERIFY(!secondary->isVisible());
    }

    FForm->ShowError(QStringLiteral("open while exiting"));
    FForm->findChild<QAction *>(QStringLiteral("acExit"))->trigger();
    QVERIFY(!FForm->isVisible());
    QVERIFY(FMessages->messages().isEmpty());
}

int main(int argc, char *argv[])
{
    TOrvessaApplication app(argc, argv);
    TestMainForm test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainform.moc"
