#include "TMainForm.h"

#include "widgets/TMessageBox.h"

#include "core/EOrvessaError.h"
#include "TAboutBox.h"
#include "THelpTarget.h"
#include "THomePage.h"
#include "TOrvessaApplication.h"
#include "core/TProgramFolder.h"
#include "TfrmErrorMsg.h"
#include "input/TClipboard.h"
#include "input/TDroppedFile.h"
#include "input/TImportWizard.h"
#include "input/TOpenDialog.h"
#include "input/TPhotoLoader.h"
#include "core/TMeasurementsFile.h"
#include "input/TfrmImportDlg.h"
#include "lang/TFindFile.h"
#include "lang/TLanguageSetting.h"
#include "lang/TTranslator.h"
#include "measure/TGuideLine.h"
#include "measure/TGuideLines.h"
#include "measure/TSelectionFrame.h"
#include "measure/THandTool.h"
#include "measure/TLineAids.h"
#include "measure/TImgView32.h"
#include "measure/TLineCommands.h"
#include "measure/TMeasureHistory.h"
#include "measure/TMeasurePick.h"
#include "measure/TZoomText.h"
#include "measure/TAutoPlacer.h"
#include "measure/TFaceFinder.h"
#include "measure/TLandmarkPlacement.h"
#include "report/TPageProducer.h"
#include "report/TReportPage.h"
#include "report/TReportPicture.h"
#include "report/TReportPlace.h"
#include "report/TReportTags.h"
#include "report/TfrmOrvessaView.h"
#include "widgets/TAdvToolPanel.h"
#include "widgets/TDialogFont.h"
#include "widgets/TAdvToolPanelTab.h"
#include "widgets/TBuiltInImage.h"
#include "widgets/TImageList.h"
#include "widgets/TMemo.h"
#include "widgets/TNpsUrl.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QShowEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

namespace {

// The language key of the automatic placement's undo step.
constexpr const char *PlaceLinesAutoStep = "Step.PlaceLinesAuto";

struct TActionDef
{
    const char *name;
    const char *category;
    const char *caption;
    const char *hint;
    QKeyCombination shortcut;
    int image;
};

constexpr QKeyCombination NoShortcut{};

const TActionDef ActionDefs[] = {
    {"acFileOpen", "File", "&Open...", "Open|Opens an existing file", Qt::CTRL | Qt::Key_O, 12},
    {"acImportFoto", "File", "Import Foto...", "", NoShortcut, -1},
    {"AcGetBeautyIndex", "File", "Get Beauty Index", "", Qt::CTRL | Qt::Key_F9, 2},
    {"acExit", "File", "E&xit", "Exit|Exit application", NoShortcut, -1},
    {"acEditCopy", "Edit", "&Copy", "", Qt::CTRL | Qt::Key_C, -1},
    {"acEditPaste", "Edit", "&Past", "", Qt::CTRL | Qt::Key_V, -1},
    {"acActualPixels", "View", "Actual Pixels", "", NoShortcut, 9},
    {"acZoomIn", "View", "Zoom In", "", NoShortcut, 10},
    {"acZoomOut", "View", "Zoom Out", "", NoShortcut, 11},
    {"acHandTool", "Tools", "Hand Tool", "", NoShortcut, 1},
    {"AcHelp", "Help", "Help", "Show Help", NoShortcut, -1},
    {"AcGoToHomePage", "Help", "Go to Home Page", "", NoShortcut, -1},
    {"acHelpAbout", "Help", "&About...", "About|Displays program information, version number, and copyright", NoShortcut, -1},
    {"acFitToWindow", "View", "Fit to Window", "Fit to window|Shows the whole photo in the window", Qt::CTRL | Qt::Key_0, 13},
    {"acEditUndo", "Edit", "Undo", "Undo|Takes back the last change of the guide lines", Qt::CTRL | Qt::Key_Z, -1},
    {"acEditRedo", "Edit", "Redo", "Redo|Makes the change taken back again", Qt::CTRL | Qt::SHIFT | Qt::Key_Z, -1},
    {"acRecentreLine", "Edit", "Re-centre Line",
     "Re-centre line|Puts the current measurement's line back on the centre of the view", NoShortcut, -1},
    {"acShowAllLines", "View", "Show All Lines", "Show all lines|Draws the lines of every measurement, each with its number",
     Qt::CTRL | Qt::SHIFT | Qt::Key_A, -1},
    {"acSaveMeasurements", "File", "Save Measurements...", "", Qt::CTRL | Qt::Key_S, -1},
    {"acOpenMeasurements", "File", "Open Measurements...", "", Qt::CTRL | Qt::SHIFT | Qt::Key_O, -1},
    {"acPlaceLinesAuto", "File", "Place Lines Automatically", "Place lines automatically|Finds the face and places the eleven guide lines on it", Qt::CTRL | Qt::Key_M, 14},
};

// The desktop's usual keys, taken beside an action's own shortcut.
struct TStandardKeys
{
    const char *name;
    QKeySequence::StandardKey standard;
    QKeyCombination extra;
};

const TStandardKeys StandardKeys[] = {
    {"acZoomIn", QKeySequence::ZoomIn, Qt::CTRL | Qt::Key_Equal}, // "+" without Shift
    {"acZoomOut", QKeySequence::ZoomOut, NoShortcut},
    {"acActualPixels", QKeySequence::UnknownKey, Qt::CTRL | Qt::Key_1},
    {"acExit", QKeySequence::Quit, NoShortcut},
    {"AcHelp", QKeySequence::HelpContents, NoShortcut},
};

// The action's own shortcut first, so that its menu item shows that one.
QList<QKeySequence> shortcutsOf(const TActionDef &def)
{
    QList<QKeySequence> keys;
    if (def.shortcut != NoShortcut)
        keys.append(QKeySequence(def.shortcut));
    for (const TStandardKeys &standard : StandardKeys) {
        if (qstrcmp(standard.name, def.name) != 0)
            continue;
        QList<QKeySequence> more = QKeySequence::keyBindings(standard.standard);
        if (standard.extra != NoShortcut)
            more.append(QKeySequence(standard.extra));
        for (const QKeySequence &key : std::as_const(more))
            if (!keys.contains(key))
                keys.append(key);
    }
    return keys;
}

constexpr int MeasureSection = TMeasurePick::MeasureSection;

// Measurements 1 to 11, the lines a whole-set step of the history covers.
QList<int> allMeasures()
{
    QList<int> all;
    for (int n = 1; n <= MeasureCount; ++n)
        all.append(n);
    return all;
}
// The history's name of the step that opens a measurements file.
constexpr const char *StepOpenMeasurements = "Step.OpenMeasurements";

// The dialogs' filter; name is the language's name of the files.
QString measurementsFilter(const QString &name)
{
    return QStringLiteral("%1|*%2|All files|*.*").arg(name, QLatin1String(TMeasurementsFile::Extension));
}

QAction *menuItem(QMenu *menu, const char *itemName, QAction *action)
{
    menu->addAction(action);
    // The menu item is a view of the action; its own name is kept beside it.
    action->setProperty("menuItem", QString::fromLatin1(itemName));
    return action;
}

QAction *separator(QMenu *menu, const char *name)
{
    QAction *line = menu->addSeparator();
    line->setObjectName(QString::fromLatin1(name));
    return line;
}

} // namespace

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    try {
        FormCreate();
    } catch (const std::exception &failure) {
        TOrvessaApplication::showException(failure);
    }

    setWindowTitle(QStringLiteral("Orvessa"));
    setWindowIcon(TBuiltInImage::icon(QStringLiteral("orvessa")));
    QFont font = this->font();
    font.setPixelSize(11);
    setFont(font);

    ImgListAction = new TImageList(QStringLiteral("ImgListAction"), QStringLiteral("action"), 15, QSize(32, 32), this);
    ImgListToolPanel = new TImageList(QStringLiteral("ImgListToolPanel"), QStringLiteral("toolpanel"), 4, QSize(8, 8), this);

    FOpenDialog = new TOpenDialog(this);
    FMeasurementsDialog = new TOpenDialog(this);
    FMeasurementsDialog->setObjectName(QStringLiteral("MeasurementsDialog"));
    FindFileLng = new TFindFile(this);
    FindFileLng->setObjectName(QStringLiteral("FindFileLng"));
    FindFileLng->setFilter(QStringLiteral("*.lng"));
    PageProducer = new TPageProducer(this);
    PageProducer->SetOnHTMLTag(
        [this](const QByteArray &name, const QByteArray &params) { return PageProducerHTMLTag(name, params); });

    createActions();
    createMenu();
    createToolBar();

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    auto *row = new QHBoxLayout(client);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    Image = new TImgView32(client);
    AdvToolPanelTab1 = new TAdvToolPanelTab(client, client, client);
    AdvToolPanelTab1->setObjectName(QStringLiteral("AdvToolPanelTab1"));
    row->addWidget(AdvToolPanelTab1);
    row->addWidget(Image, 1);
    setCentralWidget(client);
    createToolPanels();
    connectView();

    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setFixedHeight(19);
    statusBar()->setSizeGripEnabled(false);
    createZoomField();

    resize(708, 498);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - QPoint(716 / 2, 525 / 2));

    createSecondaryWindows();
    setAcceptDrops(true);
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate()
{
    FMeasureStore = TMeasureStore(StoreLength);
    FProgramFolder = TProgramFolder::fromExecutable();
}

void TMainForm::createSecondaryWindows()
{
    FAboutBox = new TAboutBox(this);
    FfrmOrvessaView = new TfrmOrvessaView(this);
    FfrmOrvessaView->SetLookup([this](const QString &key) { return LangText(key); });
    FfrmImportDlg = new TfrmImportDlg(this);
    FfrmErrorMsg = new TfrmErrorMsg(this);
    FImportWizard = new TImportWizard(
        FfrmImportDlg, [this](const QString &key) { return LangText(key); }, PictureFolder(), FOpenDialog,
        &TPhotoLoader::Load, [this](const QString &path) { acFileOpenAccept(path); }, this);

    // The help targets come from language files, which can be any file the
    // user picked: open only documents inside the program folder.
    LabURL->setOpenGuard(THelpTarget::Guard(ProgramFolder()));
    FfrmImportDlg->LabURL->setOpenGuard(THelpTarget::Guard(ProgramFolder()));
}

void TMainForm::createActions()
{
    ActionManager = new QObject(this);
    ActionManager->setObjectName(QStringLiteral("ActionManager"));
    for (const TActionDef &def : ActionDefs) {
        auto *action = new QAction(QString::fromUtf8(def.caption), ActionManager);
        action->setObjectName(QString::fromLatin1(def.name));
        action->setProperty("category", QString::fromLatin1(def.category));
        TTranslator::SetHint(action, QString::fromUtf8(def.hint));
        action->setShortcuts(shortcutsOf(def));
        if (def.image >= 0)
            action->setIcon(ImgListAction->icon(def.image));
        addAction(action); // shortcuts work whichever control has the focus
    }
    action(QStringLiteral("acHandTool"))->setCheckable(true);
    action(QStringLiteral("acEditRedo"))->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                                        QKeySequence(Qt::CTRL | Qt::Key_Y)});

    connect(action(QStringLiteral("acExit")), &QAction::triggered, this, &TMainForm::acExitExecute);
    connect(action(QStringLiteral("AcHelp")), &QAction::triggered, this, &TMainForm::AcHelpExecute);
    connect(action(QStringLiteral("AcGetBeautyIndex")), &QAction::triggered, this, &TMainForm::AcGetBeautyIndexExecute);
    connect(action(QStringLiteral("acFileOpen")), &QAction::triggered, this, &TMainForm::acFileOpenExecute);
    connect(action(QStringLiteral("acImportFoto")), &QAction::triggered, this, &TMainForm::acImportFotoExecute);
    connect(action(QStringLiteral("acEditCopy")), &QAction::triggered, this, &TMainForm::acEditCopyExecute);
    connect(action(QStringLiteral("acEditPaste")), &QAction::triggered, this, &TMainForm::acEditPasteExecute);
    connect(action(QStringLiteral("AcGoToHomePage")), &QAction::triggered, this, &TMainForm::AcGoToHomePageExecute);
    connect(action(QStringLiteral("acHelpAbout")), &QAction::triggered, this, &TMainForm::HelpAbout1Execute);
    connect(action(QStringLiteral("acSaveMeasurements")), &QAction::triggered, this,
            &TMainForm::acSaveMeasurementsExecute);
    connect(action(QStringLiteral("acOpenMeasurements")), &QAction::triggered, this,
            &TMainForm::acOpenMeasurementsExecute);
    connect(action(QStringLiteral("acZoomIn")), &QAction::triggered, this, &TMainForm::acZoomInExecute);
    connect(action(QStringLiteral("acZoomOut")), &QAction::triggered, this, &TMainForm::acZoomOutExecute);
    connect(action(QStringLiteral("acActualPixels")), &QAction::triggered, this, &TMainForm::acActualPixelsExecute);
    connect(action(QStringLiteral("acFitToWindow")), &QAction::triggered, this, &TMainForm::acFitToWindowExecute);
    // Toggled, not triggered: the guide lines switch the tool off through the
    // action as well.
    connect(action(QStringLiteral("acHandTool")), &QAction::toggled, this, &TMainForm::acHandToolExecute);
    connect(action(QStringLiteral("acPlaceLinesAuto")), &QAction::triggered, this, &TMainForm::acPlaceLinesAutoExecute);
}

void TMainForm::createMenu()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu"));

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    menuItem(file, "Open1", action(QStringLiteral("acFileOpen")));
    menuItem(file, "ImportFoto1", action(QStringLiteral("acImportFoto")));
    menuItem(file, "OpenMeasurements1", action(QStringLiteral("acOpenMeasurements")));
    menuItem(file, "SaveMeasurements1", action(QStringLiteral("acSaveMeasurements")));
    separator(file, "N2");
    menuItem(file, "GetBeautyIndex1", action(QStringLiteral("AcGetBeautyIndex")));
    menuItem(file, "PlaceLinesAuto1", action(QStringLiteral("acPlaceLinesAuto")));
    separator(file, "N6");
    ItLanguage = file->addMenu(QStringLiteral("&Language"));
    ItLanguage->setObjectName(QStringLiteral("ItLanguage"));
    separator(file, "N1");
    menuItem(file, "Exit1", action(QStringLiteral("acExit")));

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("Edit1"));
    menuItem(edit, "Undo1", action(QStringLiteral("acEditUndo")));
    menuItem(edit, "Redo1", action(QStringLiteral("acEditRedo")));
    separator(edit, "N7");
    menuItem(edit, "RecentreLine1", action(QStringLiteral("acRecentreLine")));

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("View1"));
    menuItem(view, "ActualPixels1", action(QStringLiteral("acActualPixels")));
    menuItem(view, "ZoomIn1", action(QStringLiteral("acZoomIn")));
    menuItem(view, "ZoomOut1", action(QStringLiteral("acZoomOut")));
    menuItem(view, "FitToWindow1", action(QStringLiteral("acFitToWindow")));
    separator(view, "N8");
    menuItem(view, "ShowAllLines1", action(QStringLiteral("acShowAllLines")));

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    menuItem(help, "Help2", action(QStringLiteral("AcHelp")));
    separator(help, "N3");
    menuItem(help, "GotoHomePage1", action(QStringLiteral("AcGoToHomePage")));
    separator(help, "N4");
    menuItem(help, "About1", action(QStringLiteral("acHelpAbout")));
}

void TMainForm::createToolBar()
{
    MainToolBar = addToolBar(QStringLiteral("MainToolBar"));
    MainToolBar->setObjectName(QStringLiteral("MainToolBar"));
    MainToolBar->setMovable(false);
    MainToolBar->setFloatable(false);
    MainToolBar->toggleViewAction()->setVisible(false);
    MainToolBar->setIconSize(QSize(32, 32));
    MainToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    MainToolBar->setFixedHeight(42);
    MainToolBar->addSeparator();
    MainToolBar->addAction(action(QStringLiteral("acFileOpen")));
    MainToolBar->addSeparator();
    MainToolBar->addAction(action(QStringLiteral("acActualPixels")));
    MainToolBar->addAction(action(QStringLiteral("acZoomIn")));
    MainToolBar->addAction(action(QStringLiteral("acZoomOut")));
    MainToolBar->addAction(action(QStringLiteral("acFitToWindow")));
    MainToolBar->addSeparator();
    MainToolBar->addAction(action(QStringLiteral("acHandTool")));
    MainToolBar->addAction(action(QStringLiteral("acPlaceLinesAuto")));
    MainToolBar->addSeparator();
    MainToolBar->addAction(action(QStringLiteral("AcGetBeautyIndex")));
}

void TMainForm::createToolPanels()
{
    createImportPanel();
    createMeasurePanel();
}

void TMainForm::createImportPanel()
{
    ToolPanelImport = new TAdvToolPanel(QStringLiteral("ToolPanelImport"), centralWidget());
    ToolPanelImport->setCaption(QStringLiteral(" Import foto      "));
    ToolPanelImport->setColors({QColor(0xF5F1F1), QColor(0xCECEC6), QColor(0x0000FF), QColor(0x9D9DFF)});
    ToolPanelImport->setTabImage(ImgListAction->icon(5));

    ToolPanelImport->addSection(QStringLiteral("Help"), 154);
    ToolPanelImport->addSection(QStringLiteral("Import"), 72);
    ToolPanelImport->addItem(1, QStringLiteral("Open Foto"));
    ToolPanelImport->addItem(1, QStringLiteral("Import Foto..."));
    ToolPanelImport->addSection(QStringLiteral("Web"), 53);
    ToolPanelImport->addItem(2, QStringLiteral("Visit home page"));

    QWidget *helpArea = ToolPanelImport->sectionArea(0);
    MemInfo = new TMemo(QStringLiteral("MemInfo"), QRect(16, 56, 169, 81), helpArea);
    MemInfo->setBackground(QColor(0xF4, 0xF4, 0xF4));
    MemInfo->setPlainText(QStringLiteral(
        "Фотография должна \nудовлетворять определённым \nтребованиям.\nПожалуйста, воспользуйтесь \nмастером импорта фотографий."));

    LabURL = new TNpsUrl(helpArea);
    LabURL->setObjectName(QStringLiteral("LabURL"));
    LabURL->setGeometry(16, 144, 38, 16);
    LabURL->setText(QStringLiteral("Help..."));
    QFont linkFont = TDialogFont::Make(13);
    linkFont.setUnderline(true);
    LabURL->setFont(linkFont);
    LabURL->setProtocol(TNpsUrl::ptFILE);
    LabURL->setAutoSize(true);

    AdvToolPanelTab1->addPanel(ToolPanelImport);
    connect(ToolPanelImport, &TAdvToolPanel::itemClicked, this, &TMainForm::ToolPanelImportItemClick);
}

void TMainForm::createMeasurePanel()
{
    ToolPanelMeasure = new TAdvToolPanel(QStringLiteral("ToolPanelMeasure"), centralWidget());
    ToolPanelMeasure->setCaption(QStringLiteral(" Measure        "));
    ToolPanelMeasure->setColors({QColor(0xEFE7E7), QColor(0xCECEC6), QColor(0x63ED27), QColor(0xFF00FF)});
    ToolPanelMeasure->setTabImage(ImgListAction->icon(6));
    ToolPanelMeasure->setItemImages(ImgListToolPanel->icons());
    ToolPanelMeasure->setPinnable(true, QStringLiteral("Lock panel"), QStringLiteral("Unlock panel"));

    ToolPanelMeasure->addSection(QStringLiteral("Sample preview"), 207);
    ImgPreview = new QLabel(ToolPanelMeasure->sectionArea(0));
    ImgPreview->setObjectName(QStringLiteral("ImgPreview"));
    ImgPreview->setGeometry(29, 51, 137, 166);
    ImgPreview->setScaledContents(true);
    ImgPreview->setPixmap(TBuiltInImage::pixmap(QStringLiteral("preview")));

    ToolPanelMeasure->addSection(QStringLiteral("Measure"), 170);
    for (int i = 0; i < 11; ++i)
        ToolPanelMeasure->addItem(1, QStringLiteral("Untitled"), 0);
    ToolPanelMeasure->addSection(QStringLiteral("Automatic"), 40);
    ToolPanelMeasure->addItem(2, QStringLiteral("Place Lines Automatically"));

    AdvToolPanelTab1->addPanel(ToolPanelMeasure);
    connect(ToolPanelMeasure, &TAdvToolPanel::itemClicked, this, &TMainForm::ToolPanelMeasureItemClick);
}

void TMainForm::connectView()
{
    QAction *handTool = action(QStringLiteral("acHandTool"));
    FHandTool = std::make_unique<THandTool>(*Image, *handTool);
    FGuideLines = std::make_unique<TGuideLines>(*Image, FMeasureStore, PictureFolder(),
                                                [handTool] { handTool->setChecked(false); });
    FMeasureHistory = std::make_unique<TMeasureHistory>(*Image, *FGuideLines, *ToolPanelMeasure, *ImgPreview,
                                                        [this](const QString &key) { return LangText(key); });
    FMeasurePick = std::make_unique<TMeasurePick>(
        *ToolPanelMeasure, *ImgPreview, *Image, *FHandTool, *FGuideLines, *FMeasureHistory, PictureFolder(),
        [this](const QString &key) { return LangText(key); }, [this](const QString &message) { ShowError(message); });
    connectLineCommands();
    FLineAids = std::make_unique<TLineAids>(*Image, *FGuideLines, *ToolPanelMeasure, *statusBar(),
                                            *action(QStringLiteral("acShowAllLines")),
                                            [this](const QString &key) { return LangText(key); });

    connect(Image, &TImgView32::mouseWheelDown, this, &TMainForm::ImgViewMouseWheelDown);
    connect(Image, &TImgView32::mouseWheelUp, this, &TMainForm::ImgViewMouseWheelUp);
    connect(Image, &TImgView32::mouseDown, this, &TMainForm::ImageMouseDown);
    connect(Image, &TImgView32::mouseMove, this, &TMainForm::ImageMouseMove);
    connect(Image, &TImgView32::mouseUp, this, &TMainForm::ImageMouseUp);
}

void TMainForm::createZoomField()
{
    auto *zoom = new QLabel(TZoomText::Text(Image->Scale()), statusBar());
    zoom->setObjectName(QStringLiteral("LabZoom"));
    zoom->setContentsMargins(4, 0, 6, 0); // clear of the window's edge
    statusBar()->addPermanentWidget(zoom);
    connect(Image, &TImgView32::scaleChanged, zoom, [zoom](float scale) { zoom->setText(TZoomText::Text(scale)); });
}

void TMainForm::connectLineCommands()
{
    FLineCommands = std::make_unique<TLineCommands>(*Image, *FGuideLines, *FMeasurePick, *FMeasureHistory);
    Image->SetKeyHandler([this](int key, Qt::KeyboardModifiers modifiers) {
        return FLineCommands->KeyDown(key, modifiers);
    });
    QAction *undo = action(QStringLiteral("acEditUndo"));
    QAction *redo = action(QStringLiteral("acEditRedo"));
    connect(undo, &QAction::triggered, this, [this] { FMeasureHistory->Undo(); });
    connect(redo, &QAction::triggered, this, [this] { FMeasureHistory->Redo(); });
    connect(action(QStringLiteral("acRecentreLine")), &QAction::triggered, this,
            [this] { FLineCommands->RecentreLine(); });
    FMeasureHistory->BindActions(*undo, *redo);
}

void TMainForm::acZoomInExecute()
{
    Image->ZoomIn();
}

void TMainForm::acZoomOutExecute()
{
    Image->ZoomOut();
}

void TMainForm::acActualPixelsExecute()
{
    Image->ActualPixels();
}

void TMainForm::acFitToWindowExecute()
{
    Image->FitToWindow();
}

void TMainForm::acHandToolExecute(bool checked)
{
    FHandTool->SetEnabled(checked);
}

// The view's own road has handled the mouse by the time these run: its
// layers (the guide lines and their selection frame), then its current tool
// (the hand tool), then the store write the guide lines connected to the
// release. The window adds nothing of its own.
void TMainForm::ImageMouseDown(Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint, TViewLayer *)
{
}

void TMainForm::ImageMouseMove(Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint, TViewLayer *)
{
}

void TMainForm::ImageMouseUp(Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint, TViewLayer *)
{
}

// Wheel notches zoom about the viewport centre, whatever the pointer's place.
void TMainForm::ImgViewMouseWheelDown(Qt::KeyboardModifiers, QPoint)
{
    Image->ZoomWheelDown();
}

void TMainForm::ImgViewMouseWheelUp(Qt::KeyboardModifiers, QPoint)
{
    Image->ZoomWheelUp();
}

void TMainForm::ToolPanelMeasureItemClick(int section, int item)
{
    FMeasurePick->ItemClick(section, item);
    if (section == 2)
        action(QStringLiteral("acPlaceLinesAuto"))->trigger();
}

void TMainForm::acFileOpenExecute()
{
    if (FOpenDialog->Execute())
        acFileOpenAccept(FOpenDialog->FileName());
}

void TMainForm::acFileOpenAccept(const QString &path)
{
    ShowPhoto(TPhotoLoader::Load(path), path);
}

void TMainForm::ShowPhoto(TPhoto photo, const QString &file)
{
    Image->SetPhoto(std::move(photo));
    FPhotoFile = file;
    ClearCheckMarks();
}

void TMainForm::OpenOnceShown(const QString &path)
{
    // Queued behind the show and paint events; a failure then reaches the
    // application's error box as a failed File > Open does.
    QTimer::singleShot(0, this, [this, path] { acFileOpenAccept(path); });
}

void TMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (!TDroppedFile::Path(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *event)
{
    const QString path = TDroppedFile::Path(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Queued: the drop is answered first, and a photo that cannot be read
    // is reported once the drag is over.
    OpenOnceShown(path);
}

void TMainForm::acEditCopyExecute()
{
    if (!Image->IsPhotoEmpty())
        TClipboard::SetPicture(Image->Photo());
}

void TMainForm::acEditPasteExecute()
{
    // Ctrl+V takes the clipboard's picture as the photo, as a load does.
    TPhoto picture = TClipboard::Picture();
    if (!picture.IsEmpty())
        ShowPhoto(std::move(picture), QString());
}

void TMainForm::acImportFotoExecute()
{
    FImportWizard->acImportFotoExecute();
}

TGuideLines *TMainForm::GuideLines() const
{
    return FGuideLines.get();
}

const TLineAids &TMainForm::LineAids() const
{
    return *FLineAids;
}

void TMainForm::SetShowAllLines(bool on)
{
    FLineAids->SetShowAllLines(on);
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TMainForm::FormShow()
{
    // Every step is repeatable. A failure ends this run of the handler: the
    // later steps are skipped, it is reported, and the window still shows.
    try {
        Translate();
        connect(FfrmErrorMsg->BtnHelp, &QPushButton::clicked, this, &TMainForm::BtnHelpClick, Qt::UniqueConnection);
        RebuildLanguageMenu();
        LoadReportTemplate();
    } catch (const std::exception &failure) {
        TOrvessaApplication::showException(failure);
    }
}

void TMainForm::Translate()
{
    if (FMultiLang.UseLanguageFile(TMultiLang::ChooseLanguageFile(LanguageFolder()), objectName())
        == TMultiLang::TLoadResult::Invalid)
        EndForInvalidLanguageFile();
    FQtTranslation.Use(GetCountryCode(false));
    TTranslator::Apply({this, FfrmErrorMsg, FfrmImportDlg, FAboutBox, FfrmOrvessaView}, ProgramFolder(),
                       [this](const QString &key) { return LangText(key); });
    FMeasureHistory->UpdateActions(); // "Undo Move Line 4" over the plain caption
    ToolPanelMeasure->setItemMark(LangText(QStringLiteral("autoPlaceCheck")));
    if (LabURL->isVisible())
        LabURL->adjustSize(); // a hidden one fits its new text when shown
}

void TMainForm::EndForInvalidLanguageFile()
{
    TMessageBox::fatalTopMost(QStringLiteral("Fatal error"), QStringLiteral("Invalid language file"));
    // The handler that loaded the file finishes first.
    TOrvessaApplication::exitSoon(1);
}

void TMainForm::RebuildLanguageMenu()
{
    FindFileLng->setDirectory(LanguageFolder());
    FindFileLng->Execute();

    // The clicked item may be among those removed here, inside its own
    // handler: it is only detached now and deleted once the click is over.
    const QList<QAction *> old = ItLanguage->actions();
    for (QAction *item : old) {
        ItLanguage->removeAction(item);
        item->deleteLater();
    }
    for (const QString &path : FindFileLng->Files()) {
        auto *item = new QAction(QFileInfo(path).fileName(), ItLanguage);
        // The whole path is the hint, not split at "|" as other hints are:
        // a file name may hold that character here.
        item->setToolTip(path);
        item->setStatusTip(path);
        item->setCheckable(true);
        item->setChecked(FMultiLang.IsCurrentLanguageFile(path));
        connect(item, &QAction::triggered, this, [this, item] { ItLanguageClick(item); });
        ItLanguage->addAction(item);
    }
}

void TMainForm::ItLanguageClick(QAction *item)
{
    const QString path = item->statusTip();
    if (TLanguageSetting::WriteLanguageSetting(TLanguageSetting::KeyPath, path))
        FormShow();
    else // the click toggled the item's check mark, but the language stays
        item->setChecked(FMultiLang.IsCurrentLanguageFile(path));
}

void TMainForm::LoadReportTemplate()
{
    PageProducer->SetTemplateFromFile(TemplateFolder() + QStringLiteral("result") + GetCountryCode(false) +
                                      QStringLiteral(".html"));
}

QString TMainForm::LangText(const QString &key) const
{
    return FMultiLang.Text(key);
}

QString TMainForm::GetCountryCode(bool appendSeparator) const
{
    return FMultiLang.GetCountryCode(appendSeparator);
}

QString TMainForm::CurrentLanguageFile() const
{
    return FMultiLang.CurrentLanguageFile();
}

void TMainForm::AcGetBeautyIndexExecute()
{
    FBeautyResult = GetBeautyResult();
    // The status, not Index == -1, tells an incomplete set: a real index can
    // be exactly -1.
    if (FBeautyResult.Status == TBeautyStatus::Incomplete) {
        ShowError(LangText(QStringLiteral("errorMeausuresNotComplete")));
        return;
    }
    if (FBeautyResult.Status == TBeautyStatus::Degenerate) {
        ShowError(LangText(QStringLiteral("errorMeasuresDegenerate")));
        return;
    }
    const TReportPlace place(ProgramFolder());
    FfrmOrvessaView->ShowPage(WriteReport(place));
}

QString TMainForm::WriteReport(const TReportPlace &place)
{
    // The picture goes first, under a name of its own; the previous page
    // keeps showing the previous picture until the new page replaces it,
    // and a page that fails takes its new picture away again.
    const QImage picture = TReportPicture::Draw(Image->Photo().Pixels(), FMeasureStore);
    bool isNew = false;
    const QString picturePath = TReportPicture::Write(place.Folder(), TReportPicture::Png(picture), isNew);
    const TBeautySteps steps = GetBeautySteps(FFaceProportions);
    FReportContent = {FBeautyResult, {steps.Ratio[0], steps.Ratio[1], steps.Ratio[2], steps.Ratio[3]},
                      QUrl::fromLocalFile(picturePath).toEncoded(), picture.width()};
    QString page;
    try {
        page = TReportPage::Write(place.Folder(), place.Page(PageProducer->Content()));
    } catch (...) {
        if (isNew)
            QFile::remove(picturePath);
        throw;
    }
    TReportPicture::RemoveOthers(place.Folder(), picturePath);
    return page;
}

QByteArray TMainForm::PageProducerHTMLTag(const QByteArray &tagName, const QByteArray &tagParams) const
{
    return TReportTags::Text(FReportContent, tagName, tagParams);
}

void TMainForm::acExitExecute()
{
    close();
}

void TMainForm::AcGoToHomePageExecute()
{
    const QString origin = THomePage::OriginTag(this, {FfrmOrvessaView, FfrmErrorMsg, FfrmImportDlg, FAboutBox});
    THomePage::Open(THomePage::Address(QString::fromLatin1(THomePage::HomePage), GetCountryCode(true),
                                       FAboutBox->LabVerValue->text(), origin));
}

void TMainForm::HelpAbout1Execute()
{
    connect(FAboutBox, &TAboutBox::homePageClicked, this, &TMainForm::AcGoToHomePageExecute, Qt::UniqueConnection);
    FAboutBox->ShowModal();
}

TBeautyResult TMainForm::GetBeautyResult()
{
    return ::GetBeautyResult(FMeasureStore, FFaceProportions);
}

void TMainForm::AcHelpExecute()
{
    BtnHelpClick();
}

void TMainForm::BtnHelpClick()
{
    LabURL->click();
}

void TMainForm::ToolPanelImportItemClick(int section, int item)
{
    if (section == 1 && item == 0)
        action(QStringLiteral("acFileOpen"))->trigger();
    else if (section == 1 && item == 1)
        action(QStringLiteral("acImportFoto"))->trigger();
    else if (section == 2 && item == 0)
        action(QStringLiteral("AcGoToHomePage"))->trigger();
    unsetCursor();
}

void TMainForm::ShowError(const QString &message)
{
    FfrmErrorMsg->ShowMessage(message);
}

QAction *TMainForm::action(const QString &name) const
{
    return ActionManager->findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
}

const TMeasureStore &TMainForm::MeasureStore() const
{
    return FMeasureStore;
}

QString TMainForm::ProgramFolder() const
{
    return FProgramFolder;
}

QString TMainForm::LanguageFolder() const
{
    return FProgramFolder + QStringLiteral("lng") + QDir::separator();
}

QString TMainForm::PictureFolder() const
{
    return FProgramFolder + QStringLiteral("pic") + QDir::separator();
}

QString TMainForm::TemplateFolder() const
{
    return FProgramFolder + QStringLiteral("res") + QDir::separator();
}

void TMainForm::acSaveMeasurementsExecute()
{
    if (Image->IsPhotoEmpty()) {
        ShowError(LangText(QStringLiteral("errorSaveNoPhoto")));
        return;
    }
    if (FPhotoFile.isEmpty()) {
        ShowError(LangText(QStringLiteral("errorSaveNoPhotoFile")));
        return;
    }
    if (TMeasurementsFile::Entries(FMeasureStore, [this](int n) { return FGuideLines->LineOf(n) != nullptr; }).isEmpty()) {
        ShowError(LangText(QStringLiteral("errorSaveNoLines")));
        return;
    }
    // The extension without its leading dot, as the dialog adds it.
    const QString filter = measurementsFilter(LangText(QStringLiteral("measurementsFilter")));
    if (FMeasurementsDialog->ExecuteSave(filter, QLatin1String(TMeasurementsFile::Extension + 1)))
        SaveMeasurements(FMeasurementsDialog->FileName());
}

void TMainForm::SaveMeasurements(const QString &path)
{
    const QString file = path.endsWith(QLatin1String(TMeasurementsFile::Extension))
        ? path
        : path + QLatin1String(TMeasurementsFile::Extension);
    TMeasurements measurements{TMeasurementsFile::PhotoReference(file, FPhotoFile), Image->Photo().PixelSize(),
                               TMeasurementsFile::Sha256(FPhotoFile),
                               TMeasurementsFile::Entries(FMeasureStore, [this](int n) { return FGuideLines->LineOf(n) != nullptr; })};
    // A line still where the automatic placement put it was placed "auto".
    for (TMeasurementEntry &entry : measurements.Entries)
        entry.Auto = entry.Rect == FAutoLines[entry.Number];
    QString reason;
    if (measurements.PhotoSha256.isEmpty()) {
        QFile photo(FPhotoFile);
        photo.open(QIODevice::ReadOnly);
        reason = FPhotoFile + QStringLiteral(": ") + photo.errorString();
    } else if (TMeasurementsFile::Write(file, measurements, reason)) {
        return;
    }
    TMessageBox::critical(this, QStringLiteral("Orvessa"),
                          TOrvessaApplication::errorBoxText(LangText(QStringLiteral("errorSaveFailed")).arg(file, reason)));
}

void TMainForm::acOpenMeasurementsExecute()
{
    if (FMeasurementsDialog->ExecuteOpen(measurementsFilter(LangText(QStringLiteral("measurementsFilter")))))
        OpenMeasurements(FMeasurementsDialog->FileName());
}

void TMainForm::OpenMeasurements(const QString &path)
{
    TMeasurementsFault fault;
    const std::optional<TMeasurements> measurements = TMeasurementsFile::Read(path, fault);
    if (!measurements) {
        ShowError(LangText(QStringLiteral("errorMeasurementsFile"))
                      .arg(path, fault.Text([this](const QString &key) { return LangText(key); })));
        return;
    }
    if (TakeMeasurementsPhoto(path, *measurements))
        ApplyMeasurements(*measurements);
}

bool TMainForm::TakeMeasurementsPhoto(const QString &filePath, const TMeasurements &measurements)
{
    const QString photoPath = TMeasurementsFile::PhotoPath(filePath, measurements.PhotoFile);
    const bool found = QFileInfo(photoPath).isFile();
    if (!found && Image->IsPhotoEmpty()) {
        ShowError(LangText(QStringLiteral("errorMeasurementsNoPhoto")).arg(photoPath));
        return false;
    }
    // The photo is read, but shown only once it is known to fit.
    const TPhoto photo = found ? TPhotoLoader::Load(photoPath) : Image->Photo();
    const QSize size = photo.PixelSize();
    if (size != measurements.PhotoSize) {
        ShowError(LangText(QStringLiteral("errorPhotoSize"))
                      .arg(found ? photoPath : FPhotoFile, QString::number(size.width()), QString::number(size.height()),
                           QString::number(measurements.PhotoSize.width()),
                           QString::number(measurements.PhotoSize.height())));
        return false;
    }
    if (!found) {
        TMessageBox::warning(this, QStringLiteral("Orvessa"), LangText(QStringLiteral("warningPhotoMissing")).arg(photoPath));
        return true;
    }
    if (TMeasurementsFile::Sha256(photoPath) != measurements.PhotoSha256
        && !TMessageBox::question(this, QStringLiteral("Orvessa"),
                                  LangText(QStringLiteral("questionPhotoChanged")).arg(photoPath)))
        return false;
    // The marks go in the file's own step (ApplyMeasurements), which Undo
    // takes back.
    Image->SetPhoto(photo);
    FPhotoFile = photoPath;
    return true;
}

void TMainForm::ApplyMeasurements(const TMeasurements &measurements)
{
    const TMeasureStore store = TMeasurementsFile::Store(measurements.Entries);
    const int last = measurements.Entries.isEmpty() ? 0 : measurements.Entries.last().Number;
    // One step of the history: every line placed as the file has it, the
    // others taken away with their entries and glyphs, as never started;
    // no item asks to be checked.
    FMeasureHistory->Record(StepOpenMeasurements, last, allMeasures(), [&] {
        ClearCheckMarks();
        for (int n = 1; n <= MeasureCount; ++n) {
            const bool inFile = std::any_of(measurements.Entries.begin(), measurements.Entries.end(),
                                            [n](const TMeasurementEntry &e) { return e.Number == n; });
            if (inFile) {
                FGuideLines->PlaceLine(n, store[n]);
            } else {
                FGuideLines->RemoveLine(n);
                FGuideLines->SetEntry(n, TFloatRect{});
            }
            ToolPanelMeasure->setItemImageIndex(MeasureSection, n - 1, inFile ? TMeasurePick::TickGlyph : TMeasurePick::NotStartedGlyph);
        }
        FGuideLines->ShowMeasure(last);
    });
    Image->Invalidate();
}

void TMainForm::acPlaceLinesAutoExecute()
{
    if (Image->IsPhotoEmpty()) {
        ShowError(LangText(QStringLiteral("errorFileNotOpen")));
        return;
    }
    if (!TFaceFinder::ModelInstalled()) {
        ShowError(LangText(QStringLiteral("errorLandmarkModelMissing")));
        return;
    }
    // The lines are as thick as their pictures.
    const TLandmarkPlacement placement(
        float(TPhotoLoader::Load(FGuideLines->GuideLinePicture(1)).PixelSize().height()),
        float(TPhotoLoader::Load(FGuideLines->GuideLinePicture(MeasureCount)).PixelSize().width()));
    if (!FAutoPlacer) {
        FAutoPlacer = new TAutoPlacer(this);
        FAutoPlacer->setObjectName(QStringLiteral("AutoPlacer"));
        connect(FAutoPlacer, &TAutoPlacer::finished, this, &TMainForm::AutoPlacerFinished);
        FBusyCursor = new QTimer(this);
        FBusyCursor->setObjectName(QStringLiteral("AutoPlacerBusyCursor"));
        FBusyCursor->setSingleShot(true);
        FBusyCursor->setInterval(300);
        connect(FBusyCursor, &QTimer::timeout, this, [this] {
            QApplication::setOverrideCursor(Qt::BusyCursor);
            FBusyCursorShown = true;
        });
    }
    action(QStringLiteral("acPlaceLinesAuto"))->setEnabled(false);
    statusBar()->showMessage(LangText(QStringLiteral("autoPlaceLooking")));
    FBusyCursor->start();
    FAutoPlacer->Start(Image->Photo().Pixels(), placement);
}

void TMainForm::EndAutoPlacement()
{
    FBusyCursor->stop();
    if (FBusyCursorShown) {
        QApplication::restoreOverrideCursor();
        FBusyCursorShown = false;
    }
    action(QStringLiteral("acPlaceLinesAuto"))->setEnabled(true);
    statusBar()->clearMessage();
}

void TMainForm::AutoPlacerFinished(qint64 photoKey, const std::optional<TPlacedLines> &lines, const QString &error)
{
    EndAutoPlacement();
    // The answer of a photo that has been replaced meanwhile is dropped.
    if (photoKey != Image->Photo().Pixels().cacheKey())
        return;
    if (!error.isEmpty()) {
        ShowError(error);
        return;
    }
    if (!lines) {
        ShowError(LangText(QStringLiteral("errorNoFace")));
        return;
    }
    if (!MayReplaceHandPlacedLines())
        return;
    ApplyPlacedLines(*lines);
    if (lines->NeedsStraightening())
        statusBar()->showMessage(LangText(QStringLiteral("autoPlaceTilted")).arg(std::fabs(lines->TiltDegrees), 0, 'f', 1));
}

bool TMainForm::MayReplaceHandPlacedLines()
{
    bool handPlaced = false;
    for (int n = 1; n <= MeasureCount; ++n)
        handPlaced = handPlaced || (FMeasureStore.value(n) != TFloatRect{} && FMeasureStore.value(n) != FAutoLines[n]);
    return !handPlaced
        || TMessageBox::question(this, windowTitle(), LangText(QStringLiteral("autoPlaceReplaceQuestion")));
}

void TMainForm::ClearCheckMarks()
{
    for (int item = 0; item < MeasureCount; ++item)
        ToolPanelMeasure->setItemMarked(MeasureSection, item, false);
}

void TMainForm::ApplyPlacedLines(const TPlacedLines &placed)
{
    // The whole placement is one undo step: the lines, their store entries
    // and the items' glyphs and "(check)" marks.
    FMeasureHistory->Record(PlaceLinesAutoStep, 0, allMeasures(), [this, &placed] {
        for (int n = 1; n <= MeasureCount; ++n) {
            FGuideLines->PlaceLine(n, placed.Lines[n]);
            ToolPanelMeasure->setItemImageIndex(MeasureSection, n - 1, TMeasurePick::PlacedAutomaticallyGlyph);
            ToolPanelMeasure->setItemMarked(MeasureSection, n - 1, placed.Check[n]);
        }
    });
    for (int n = 1; n <= MeasureCount; ++n)
        FAutoLines[n] = FMeasureStore.value(n);
    // Every line is shown, so that the user can check them all at once.
    action(QStringLiteral("acShowAllLines"))->setChecked(true);
    Image->Invalidate();
}
