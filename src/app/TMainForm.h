#pragma once

#include <QMainWindow>
#include <memory>
#include "evaluate/TBeautyResult.h"
#include "evaluate/TFaceProportions.h"
#include "lang/TMultiLang.h"
#include "lang/TQtTranslation.h"
#include "report/TReportTags.h"
#include "core/TFloatRect.h"
#include <QVector>
#include <array>
#include <optional>

class QAction;
struct TMeasurements;
class TReportPlace;
class QMenu;
class QToolBar;
class QLabel;
class QTimer;
class TAboutBox;
class TAutoPlacer;
class TPhoto;
struct TPlacedLines;
class TFindFile;
class TGuideLines;
class THandTool;
class TLineAids;
class TMeasurePick;
class TLineCommands;
class TMeasureHistory;
class TImportWizard;
class TViewLayer;
class TOpenDialog;
class TPageProducer;
class TAdvToolPanel;
class TAdvToolPanelTab;
class TImageList;
class TImgView32;
class TMemo;
class TNpsUrl;
class TfrmErrorMsg;
class TfrmImportDlg;
class TfrmOrvessaView;

// The main window. It owns the program's state and its actions; each
// handler hands the work to the subsystem that owns it.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // Program folders, each absolute and ending in a separator.
    QString ProgramFolder() const;
    QString LanguageFolder() const;
    QString PictureFolder() const;
    QString TemplateFolder() const;

    const TMeasureStore &MeasureStore() const;

    void ShowError(const QString &message);

    // Runs the show handler again, as a language change does.
    void FormShow();

    // The beauty index of the measurement store as it stands.
    TBeautyResult GetBeautyResult();

    // The language lookup: the text of key in the language file in force.
    QString LangText(const QString &key) const;
    QString GetCountryCode(bool appendSeparator) const;
    QString CurrentLanguageFile() const;

    TGuideLines *GuideLines() const;
    const TLineAids &LineAids() const;
    // View > Show All Lines on or off (an automatic placement turns it on).
    void SetShowAllLines(bool on);

    // Load photo into the main view (File > Open, the wizard's Finish).
    void acFileOpenAccept(const QString &path);
    // Opens the photo as File > Open does, once the window has been shown
    // (the photo named on the command line, a photo dropped on the window).
    void OpenOnceShown(const QString &path);

    // File > Save Measurements and File > Open Measurements.
    void acSaveMeasurementsExecute();
    void acOpenMeasurementsExecute();
    // Saves the measurements of the photo in view to path.
    void SaveMeasurements(const QString &path);
    // Opens the measurements file at path, as File > Open Measurements does
    // once the dialog has answered.
    void OpenMeasurements(const QString &path);

protected:
    void showEvent(QShowEvent *event) override;
    // A photo file dropped on the window opens as File > Open opens it.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QAction *action(const QString &name) const;
    // Whether the photo of the file may take its measurements, opening it
    // when it exists; false after telling the user why not.
    bool TakeMeasurementsPhoto(const QString &filePath, const TMeasurements &measurements);
    // Gives every measurement the line and store entry of the file, clearing
    // those the file lacks, through the guide lines as a placement does.
    void ApplyMeasurements(const TMeasurements &measurements);
    void FormCreate();
    void createActions();
    void createMenu();
    void createToolBar();
    void createToolPanels();
    void createImportPanel();
    void createMeasurePanel();
    void createSecondaryWindows();
    void createZoomField(); // the zoom level at the status bar's right

    void Translate();
    // Shows the fatal message of an invalid language file and ends the
    // program once control is back in the event loop.
    void EndForInvalidLanguageFile();
    void RebuildLanguageMenu();
    void LoadReportTemplate();
    void ItLanguageClick(QAction *item);

    void acExitExecute();
    void acFileOpenExecute();
    void acEditCopyExecute();
    void acEditPasteExecute();
    void acImportFotoExecute();
    void acZoomInExecute();
    void acZoomOutExecute();
    void acActualPixelsExecute();
    void acFitToWindowExecute();
    void acHandToolExecute(bool checked);
    void ImageMouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos,
                        TViewLayer *layer);
    void ImageMouseMove(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos,
                        TViewLayer *layer);
    void ImageMouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos,
                      TViewLayer *layer);
    void ImgViewMouseWheelDown(Qt::KeyboardModifiers modifiers, QPoint pos);
    void ImgViewMouseWheelUp(Qt::KeyboardModifiers modifiers, QPoint pos);
    void ToolPanelMeasureItemClick(int section, int item);
    void connectView();
    void connectLineCommands();
    void AcHelpExecute();
    void AcGoToHomePageExecute();
    void HelpAbout1Execute();
    void AcGetBeautyIndexExecute();
    // Writes the report's picture and page at place; the page's path.
    QString WriteReport(const TReportPlace &place);
    QByteArray PageProducerHTMLTag(const QByteArray &tagName, const QByteArray &tagParams) const;
    void BtnHelpClick();
    void ToolPanelImportItemClick(int section, int item);

    // Place Lines Automatically: the face is looked for on the worker
    // thread; the answer places every line as a pick and a drag would.
    void acPlaceLinesAutoExecute();
    void AutoPlacerFinished(qint64 photoKey, const std::optional<TPlacedLines> &lines, const QString &error);
    void ApplyPlacedLines(const TPlacedLines &placed);
    // True when no line was placed by hand, or the user lets them go.
    bool MayReplaceHandPlacedLines();
    void EndAutoPlacement();
    // The Measure items lose their "(check)" marks.
    void ClearCheckMarks();
    // Shows photo, read from file (empty when it came from the clipboard),
    // as File > Open and Paste do: the marks of the previous photo's
    // placement go.
    void ShowPhoto(TPhoto photo, const QString &file);

    QString FProgramFolder;
    TMeasureStore FMeasureStore;
    QObject *ActionManager = nullptr; // holds the actions, each named
    TMultiLang FMultiLang;
    TQtTranslation FQtTranslation; // Qt's own texts in the same language
    TFaceProportions FFaceProportions;
    TAutoPlacer *FAutoPlacer = nullptr;
    QTimer *FBusyCursor = nullptr;
    bool FBusyCursorShown = false;
    // The rectangles the last automatic placement gave; an entry that
    // differs was placed or moved by hand.
    std::array<TFloatRect, MeasureCount + 1> FAutoLines{};
    TBeautyResult FBeautyResult;
    TReportTags::TContent FReportContent;

    TFindFile *FindFileLng = nullptr;
    TPageProducer *PageProducer = nullptr;
    TOpenDialog *FOpenDialog = nullptr;
    TOpenDialog *FMeasurementsDialog = nullptr; // File > Open and Save Measurements
    QString FPhotoFile; // the file the photo in view came from; empty for none
    TImportWizard *FImportWizard = nullptr;
    std::unique_ptr<THandTool> FHandTool;
    std::unique_ptr<TGuideLines> FGuideLines;
    std::unique_ptr<TMeasureHistory> FMeasureHistory;
    std::unique_ptr<TMeasurePick> FMeasurePick;
    std::unique_ptr<TLineCommands> FLineCommands;
    std::unique_ptr<TLineAids> FLineAids;

    TImageList *ImgListAction = nullptr;
    TImageList *ImgListToolPanel = nullptr;
    QToolBar *MainToolBar = nullptr;
    QMenu *ItLanguage = nullptr;
    TAdvToolPanelTab *AdvToolPanelTab1 = nullptr;
    TAdvToolPanel *ToolPanelImport = nullptr;
    TAdvToolPanel *ToolPanelMeasure = nullptr;
    TMemo *MemInfo = nullptr;
    TNpsUrl *LabURL = nullptr;
    QLabel *ImgPreview = nullptr;
    TImgView32 *Image = nullptr;

    TAboutBox *FAboutBox = nullptr;
    TfrmOrvessaView *FfrmOrvessaView = nullptr;
    TfrmImportDlg *FfrmImportDlg = nullptr;
    TfrmErrorMsg *FfrmErrorMsg = nullptr;
};
