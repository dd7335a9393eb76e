// Whole flows through the real main window: the import wizard, File > Open,
// Copy and Paste, help and the home page, each started the way the user
// starts it and checked on what the user gets.
#include "TExifBlock.h"
#include "TestSupport.h"

#include "app/TAboutBox.h"
#include "app/TMainForm.h"
#include "widgets/TMessageBox.h"
#include "OrvessaBuild.h"
#include "app/TOrvessaApplication.h"
#include "app/TfrmErrorMsg.h"
#include "input/TImportWizard.h"
#include "input/TOpenDialog.h"
#include "input/TPhotoPreview.h"
#include "input/TfrmImportDlg.h"
#include "lang/TLanguageSetting.h"
#include "measure/TGuideLine.h"
#include "measure/TGuideLines.h"
#include "measure/TImgView32.h"
#include "widgets/TAdvToolPanel.h"
#include "widgets/TNpsUrl.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

const QString HomePageEn =
    QStringLiteral("http://www.tallowmere.example/en\\?orvessa%1_").arg(QString::fromUtf8(OrvessaBuild::Version));

QImage solid(const QSize &size, QColor colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

// A GIF of one colour (entry 1, red, of a four-colour table). Its LZW stream
// has 3-bit codes only: a clear code (4) before every two pixels keeps the
// code table at entry 6 at most, far below 8, where the width would grow.
QByteArray redGif(int width, int height)
{
    QByteArray gif("GIF87a");
    auto put16 = [&gif](int value) { gif.append(char(value & 0xFF)).append(char(value >> 8)); };
    for (int value : {width, height})
        put16(value);
    gif.append("\x81\0\0", 3); // a global table of 2^(1+1) colours: black, red, green, blue
    gif.append(QByteArray::fromHex("000000FF000000FF000000FF")).append(',');
    for (int value : {0, 0, width, height})
        put16(value);
    gif.append("\0\x02", 2); // no local table; minimum code size 2

    QByteArray data;
    quint32 bitBuffer = 0;
    int bitCount = 0;
    auto code = [&](quint32 value) { // low bits first
        bitBuffer |= value << bitCount;
        for (bitCount += 3; bitCount >= 8; bitCount -= 8, bitBuffer >>= 8)
            data.append(char(bitBuffer & 0xFF));
    };
    for (int i = 0; i < width * height; ++i) {
        if (i % 2 == 0)
            code(4);
        code(1);
    }
    code(5);
    if (bitCount > 0)
        data.append(char(bitBuffer & 0xFF));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        gif.append(char(block.size())).append(block);
    }
    return gif.append('\0').append(';');
}

bool sameColour(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) < 12 && qAbs(qGreen(a) - qGreen(b)) < 12 && qAbs(qBlue(a) - qBlue(b)) < 12;
}

} // namespace

class TestMainWindowFlows : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void wizardWalksToFinish_data();
    void wizardWalksToFinish();
    void wizardCancelLoadsNothing();
    void wizardBrowsesWithTheOpenDialog();
    void wizardFinishRereadsPhoto();

    void openLoadsEachFormat_data();
    void openLoadsEachFormat();
    void openFailureOrCancelKeepsPhoto_data();
    void openFailureOrCancelKeepsPhoto();
    void photoFromCommandLineOpensAsFileOpen_data();
    void photoFromCommandLineOpensAsFileOpen();

    void copyPutsPhotoOnClipboard();
    void pasteTakesClipboardPictureAsPhoto();
    void cameraJpegIsUprightEverywhere();

    void helpOpensHelpDocument_data();
    void helpOpensHelpDocument();
    void helpTargetOutsideProgramOpensNothing_data();
    void helpTargetOutsideProgramOpensNothing();

    void homePageFromMainView_data();
    void homePageFromMainView();
    void homePageFromAboutBox();

private:
    QString write(const QString &name, const QByteArray &content) const;
    QString writeImage(const QString &name, QSize size, QColor colour, const char *format = "BMP") const;
    void press(int key);
    void openFile(const QString &path);
    void clickNext();
    void tick();
    void walkToLastPage(const QString &path);
    void setHelpTarget(const QString &target);

    TImgView32 *view() const { return FForm->findChild<TImgView32 *>(QStringLiteral("Image")); }
    TfrmImportDlg *wizard() const { return FForm->findChild<TfrmImportDlg *>(QStringLiteral("frmImportDlg")); }
    TAdvToolPanel *panel(const QString &name) const { return FForm->findChild<TAdvToolPanel *>(name); }
    QAction *action(const char *name) const { return FForm->findChild<QAction *>(QString::fromLatin1(name)); }

    std::unique_ptr<TestSupport::TProgramFolderCopy> FFolder;
    std::unique_ptr<TestSupport::TMessageRecorder> FMessages;
    std::unique_ptr<QTemporaryDir> FFiles;
    std::unique_ptr<TMainForm> FForm;
    QString FChosen; // the open dialog's answer; empty for Cancel
    int FDialogRuns = 0;
};

void TestMainWindowFlows::init()
{
    TestSupport::isolateSettings();
    FFolder = std::make_unique<TestSupport::TProgramFolderCopy>();
    QVERIFY(QFile::exists(FFolder->path() + "help/english.html"));
    QVERIFY(TLanguageSetting::WriteLanguageSetting(TLanguageSetting::KeyPath, FFolder->path() + "lng/english.lng"));
    FMessages = std::make_unique<TestSupport::TMessageRecorder>();
    FFiles = std::make_unique<QTemporaryDir>();
    FChosen.clear();
    FDialogRuns = 0;
    TOpenDialog::setHook([this](const QStringList &, const QString &) {
        ++FDialogRuns;
        return FChosen;
    });
    FForm = std::make_unique<TMainForm>();
    FForm->show();
    QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
    view()->setFocus();
}

void TestMainWindowFlows::cleanup()
{
    FForm.reset();
    TOpenDialog::setHook({});
    FMessages.reset();
    FFiles.reset();
    FFolder.reset();
}

QString TestMainWindowFlows::write(const QString &name, const QByteArray &content) const
{
    const QString path = FFiles->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// A picture of one colour, written with Qt.
QString TestMainWindowFlows::writeImage(const QString &name, QSize size, QColor colour, const char *format) const
{
    const QString path = FFiles->filePath(name);
    if (!solid(size, colour).save(path, format))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// A shortcut as the user types it, into the main view.
void TestMainWindowFlows::press(int key)
{
    FForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
    QTest::keyClick(view(), Qt::Key(key), Qt::ControlModifier);
}

// File > Open, answering the dialog with path (empty: Cancel).
void TestMainWindowFlows::openFile(const QString &path)
{
    FChosen = path;
    press(Qt::Key_O);
}

void TestMainWindowFlows::clickNext()
{
    QVERIFY(wizard()->BtnNext->isEnabled());
    QTest::mouseClick(wizard()->BtnNext, Qt::LeftButton);
}

// A click on the check box's indicator, at its left end.
void TestMainWindowFlows::tick()
{
    QCheckBox *box = wizard()->CheckBox;
    QVERIFY(!box->isChecked());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(7, box->height() / 2));
    QVERIFY(box->isChecked());
}

// Opens the wizard, types the path and confirms pages 1 to 3.
void TestMainWindowFlows::walkToLastPage(const QString &path)
{
    action("acImportFoto")->trigger();
    QTRY_VERIFY(wizard()->isVisible());
    QTest::keyClicks(wizard()->EdFileName, path);
    for (int page = 1; page <= 3; ++page) {
        clickNext();
        tick();
    }
    QCOMPARE(FForm->findChild<TImportWizard *>(QStringLiteral("ImportWizard"))->ImportStep(), 3);
}

// Points both help links of the language file in force at target, as a
// language file that the user picked could, and translates again.
void TestMainWindowFlows::setHelpTarget(const QString &target)
{
    QFile file(FForm->CurrentLanguageFile());
    QVERIFY(file.open(QIODevice::ReadWrite));
    QString text = QString::fromLatin1(file.readAll());
    const QRegularExpression links(QStringLiteral("^((frmImportDlg\\.)?LabURL\\.URL)=.*$"),
                                   QRegularExpression::MultilineOption);
    QCOMPARE(text.count(links), 2);
    text.replace(links, QStringLiteral("\\1=") + target);
    file.resize(0);
    file.write(text.toLatin1());
    file.close();
    FForm->FormShow();
}

// ---------------------------------------------------------------------------
// Import wizard

void TestMainWindowFlows::wizardWalksToFinish_data()
{
    QTest::addColumn<bool>("fromPanel");
    QTest::newRow("File menu action") << false;
    QTest::newRow("import panel item") << true;
}

void TestMainWindowFlows::wizardWalksToFinish()
{
    QFETCH(bool, fromPanel);
    auto open = [&] {
        if (fromPanel)
            emit panel(QStringLiteral("ToolPanelImport"))->itemClicked(1, 1);
        else
            action("acImportFoto")->trigger();
    };
    const QString photo = writeImage(QStringLiteral("face.jpg"), QSize(120, 90), Qt::darkCyan, "JPG");
    TImportWizard *steps = FForm->findChild<TImportWizard *>(QStringLiteral("ImportWizard"));

    open();
    QTRY_VERIFY(wizard()->isVisible());
    QCOMPARE(steps->ImportStep(), 0);
    QVERIFY(wizard()->EdFileName->isVisible());
    QVERIFY(!wizard()->isModal());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(FForm->isEnabled());
    QVERIFY(!wizard()->BtnNext->isEnabled());

    FChosen = photo;
    QTest::mouseClick(wizard()->BtnOpen, Qt::LeftButton);
    QCOMPARE(wizard()->EdFileName->text(), photo);
    for (int page = 1; page <= 3; ++page) {
        clickNext();
        QCOMPARE(steps->ImportStep(), page);
        QVERIFY(!wizard()->BtnNext->isEnabled());
        tick();
    }
    QCOMPARE(wizard()->BtnNext->text(), QStringLiteral("&Finish"));
    clickNext();
    QTRY_VERIFY(!wizard()->isVisible());
    QCOMPARE(view()->Photo().PixelSize(), QSize(120, 90));
    QVERIFY(sameColour(view()->Photo().Pixels().pixel(60, 45), QColor(Qt::darkCyan).rgb()));
    QVERIFY(FMessages->messages().isEmpty());

    // Opening again starts over at page 0 with the last path, ready to go on.
    open();
    QTRY_VERIFY(wizard()->isVisible());
    QCOMPARE(steps->ImportStep(), 0);
    QVERIFY(wizard()->EdFileName->isVisible());
    QCOMPARE(wizard()->EdFileName->text(), photo);
    QVERIFY(wizard()->BtnNext->isEnabled());
    QCOMPARE(wizard()->BtnNext->text(), QStringLiteral("&Next"));
}

void TestMainWindowFlows::wizardCancelLoadsNothing()
{
    walkToLastPage(writeImage(QStringLiteral("face.bmp"), QSize(64, 48), Qt::yellow));
    QTest::mouseClick(wizard()->BtnCancel, Qt::LeftButton);
    QTRY_VERIFY(!wizard()->isVisible());
    QVERIFY(view()->IsPhotoEmpty());
    QVERIFY(FMessages->messages().isEmpty());
}

void TestMainWindowFlows::wizardBrowsesWithTheOpenDialog()
{
    const QString second = writeImage(QStringLiteral("second.bmp"), QSize(50, 40), Qt::blue);
    action("acImportFoto")->trigger();
    QTRY_VERIFY(wizard()->isVisible());
    // The open wizard leaves the main window at the user's service.
    openFile(writeImage(QStringLiteral("first.bmp"), QSize(30, 20), Qt::red));
    QCOMPARE(view()->Photo().PixelSize(), QSize(30, 20));

    // "..." runs File > Open's own dialog object, which now remembers the
    // second file, and loads nothing into the main view.
    FChosen = second;
    QTest::mouseClick(wizard()->BtnOpen, Qt::LeftButton);
    QCOMPARE(FDialogRuns, 2);
    QCOMPARE(wizard()->EdFileName->text(), second);
    QCOMPARE(FForm->findChild<TOpenDialog *>(QStringLiteral("OpenDialog"))->FileName(), second);
    QVERIFY(wizard()->BtnNext->isEnabled());
    QCOMPARE(view()->Photo().PixelSize(), QSize(30, 20));

    FChosen.clear(); // Cancel keeps the path
    QTest::mouseClick(wizard()->BtnOpen, Qt::LeftButton);
    QCOMPARE(FDialogRuns, 3);
    QCOMPARE(wizard()->EdFileName->text(), second);
    QVERIFY(wizard()->BtnNext->isEnabled());
}

void TestMainWindowFlows::wizardFinishRereadsPhoto()
{
    openFile(writeImage(QStringLiteral("before.bmp"), QSize(33, 22), Qt::green));
    const QImage before = view()->Photo().Pixels();
    const QString photo = writeImage(QStringLiteral("face.bmp"), QSize(64, 48), Qt::cyan);
    walkToLastPage(photo);
    QVERIFY(QFile::remove(photo));
    clickNext();
    QCOMPARE(FMessages->messages().size(), 1);
    QCOMPARE(FMessages->messages().first().text,
             QStringLiteral("Cannot open file \"%1\". No such file or directory.").arg(photo));
    QVERIFY(!wizard()->isVisible());
    QCOMPARE(view()->Photo().Pixels(), before);
}

// ---------------------------------------------------------------------------
// File > Open

void TestMainWindowFlows::openLoadsEachFormat_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("jpeg") << "a.jpg" << QSize(40, 30) << QColor(Qt::darkGreen);
    QTest::newRow("bmp") << "b.bmp" << QSize(41, 31) << QColor(Qt::magenta);
    QTest::newRow("ico") << "c.ico" << QSize(32, 32) << QColor(Qt::blue);
    QTest::newRow("gif") << "d.gif" << QSize(7, 5) << QColor(Qt::red);
}

void TestMainWindowFlows::openLoadsEachFormat()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(QColor, colour);
    const QByteArray format = QFileInfo(name).suffix().toUpper().toLatin1();
    openFile(format == "GIF" ? write(name, redGif(size.width(), size.height()))
                             : writeImage(name, size, colour, format.constData()));
    QCOMPARE(FDialogRuns, 1);
    QVERIFY(FMessages->messages().isEmpty());
    QCOMPARE(view()->Photo().PixelSize(), size);
    QVERIFY(sameColour(view()->Photo().Pixels().pixel(size.width() / 2, size.height() / 2), colour.rgb()));
}

void TestMainWindowFlows::openFailureOrCancelKeepsPhoto_data()
{
    QTest::addColumn<QString>("name"); // empty: the dialog is cancelled
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("cancel") << "" << QByteArray() << "";
    QTest::newRow("unknown extension") << "photo.png" << QByteArray("\x89PNG\r\n") << "Unknown picture file extension (.png)";
    QTest::newRow("corrupt bitmap") << "broken.bmp" << QByteArray("BM not a bitmap") << "Bitmap image is not valid.";
    QTest::newRow("corrupt gif") << "broken.gif" << redGif(7, 5).left(30) << "GIF image is not valid.";
}

void TestMainWindowFlows::openFailureOrCancelKeepsPhoto()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    openFile(writeImage(QStringLiteral("before.bmp"), QSize(33, 22), Qt::green));
    const QImage before = view()->Photo().Pixels();
    QCOMPARE(before.size(), QSize(33, 22));
    view()->SetScale(1.4f);

    openFile(name.isEmpty() ? QString() : write(name, content));
    QCOMPARE(FDialogRuns, 2);
    QCOMPARE(view()->Photo().Pixels(), before);
    QCOMPARE(view()->Scale(), 1.4f);
    QVERIFY(!FForm->findChild<TfrmErrorMsg *>(QStringLiteral("frmErrorMsg"))->isVisible());
    if (message.isEmpty()) {
        QVERIFY(FMessages->messages().isEmpty());
        return;
    }
    QCOMPARE(FMessages->messages().size(), 1);
    const TestSupport::TMessage box = FMessages->messages().first();
    QCOMPARE(box.kind, int(TMessageBox::Kind::Critical));
    QCOMPARE(box.title, QStringLiteral("Orvessa"));
    QCOMPARE(box.text, message);
}

// The photo named on the command line: opened once the window is shown, with
// File > Open's load and error box.
void TestMainWindowFlows::photoFromCommandLineOpensAsFileOpen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // empty: a green 21 x 13 bitmap
    QTest::addColumn<QString>("message");
    QTest::newRow("bitmap") << "good.bmp" << QByteArray() << "";
    QTest::newRow("corrupt bitmap") << "broken.bmp" << QByteArray("BM not a bitmap") << "Bitmap image is not valid.";
    QTest::newRow("missing file") << "" << QByteArray() << "";
}

void TestMainWindowFlows::photoFromCommandLineOpensAsFileOpen()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path = name.isEmpty()   ? FFiles->filePath(QStringLiteral("missing.jpg"))
                         : content.isEmpty() ? writeImage(name, QSize(21, 13), Qt::green)
                                             : write(name, content);
    FForm->OpenOnceShown(path);
    QVERIFY(view()->IsPhotoEmpty()); // not before the window's queued events
    if (name.isEmpty()) {
        // The message names the file: compare with what File > Open shows.
        QTRY_COMPARE(FMessages->messages().size(), 1);
        const QString shown = FMessages->messages().first().text;
        FMessages->clear();
        openFile(path);
        QCOMPARE(FMessages->messages().size(), 1);
        QCOMPARE(FMessages->messages().first().text, shown);
        QVERIFY(view()->IsPhotoEmpty());
        return;
    }
    if (message.isEmpty()) {
        QTRY_COMPARE(view()->Photo().PixelSize(), QSize(21, 13));
        QVERIFY(FMessages->messages().isEmpty());
        return;
    }
    QTRY_COMPARE(FMessages->messages().size(), 1);
    QCOMPARE(FMessages->messages().first().kind, int(TMessageBox::Kind::Critical));
    QCOMPARE(FMessages->messages().first().title, QStringLiteral("Orvessa"));
    QCOMPARE(FMessages->messages().first().text, message);
    QVERIFY(view()->IsPhotoEmpty());
}

// ---------------------------------------------------------------------------
// Copy and Paste

void TestMainWindowFlows::copyPutsPhotoOnClipboard()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("kept"));
    press(Qt::Key_C); // no photo: the clipboard stays as it was
    QCOMPARE(clipboard->text(), QStringLiteral("kept"));
    QVERIFY(clipboard->image().isNull());

    openFile(writeImage(QStringLiteral("copy.bmp"), QSize(57, 43), Qt::darkRed));
    view()->SetScale(2.5f); // zoom plays no part
    press(Qt::Key_C);
    const QImage copied = clipboard->image();
    QCOMPARE(copied.size(), QSize(57, 43));
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), view()->Photo().Pixels());
}

// A JPEG stored 60 x 40 with the EXIF tag 6 (shown turned clockwise): the
// wizard's preview, the photo and its copy are all the upright 40 x 60, with
// the stored bottom-left corner at the top left.
void TestMainWindowFlows::cameraJpegIsUprightEverywhere()
{
    QImage stored = solid(QSize(60, 40), Qt::red);
    QPainter(&stored).fillRect(0, 20, 30, 20, Qt::blue);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(stored.save(&buffer, "JPG", 95));
    using TestSupport::TExifBlock;
    const QString path = write(QStringLiteral("camera.jpg"),
                               TExifBlock::InJpeg(jpeg, TExifBlock(true).Directory({TExifBlock::Orientation(6)}).Bytes()));
    const auto isBlue = [](QRgb c) { return qBlue(c) > 200 && qRed(c) < 60; };

    walkToLastPage(path);
    const QImage preview = wizard()->Image->picture().Pixels();
    QCOMPARE(preview.size(), QSize(40, 60));
    QVERIFY(isBlue(preview.pixel(5, 5)));
    clickNext();
    QTRY_VERIFY(!wizard()->isVisible());
    QCOMPARE(view()->Photo().PixelSize(), QSize(40, 60));
    QCOMPARE(view()->Photo().Orientation(), 6);

    press(Qt::Key_C);
    const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(copied, view()->Photo().Pixels());
    QVERIFY(isBlue(copied.pixel(5, 5)));
    QVERIFY(!isBlue(copied.pixel(34, 54)));
}

void TestMainWindowFlows::pasteTakesClipboardPictureAsPhoto()
{
    openFile(writeImage(QStringLiteral("first.bmp"), QSize(200, 150), Qt::white));
    emit panel(QStringLiteral("ToolPanelMeasure"))->itemClicked(1, 2); // measurement 3
    QVERIFY(FMessages->messages().isEmpty());
    const TGuideLine *line = FForm->GuideLines()->Selection();
    QVERIFY(line);
    const TFloatRect lineBefore = line->Location();
    const TMeasureStore storeBefore = FForm->MeasureStore();
    QCOMPARE(storeBefore.at(3), lineBefore);

    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("no picture"));
    press(Qt::Key_V);
    QCOMPARE(view()->Photo().PixelSize(), QSize(200, 150));

    QImage pasted = solid(QSize(90, 70), Qt::darkBlue);
    pasted.setPixel(3, 4, qRgb(250, 200, 10));
    clipboard->setImage(pasted);
    press(Qt::Key_V);
    QVERIFY(FMessages->messages().isEmpty());
    QCOMPARE(view()->Photo().Pixels(), pasted);
    QCOMPARE(FForm->GuideLines()->Selection(), line);
    QCOMPARE(line->Location(), lineBefore);
    QCOMPARE(FForm->MeasureStore(), storeBefore);
    QCOMPARE(FForm->GuideLines()->CurrentMeasure(), 3);
}

// ---------------------------------------------------------------------------
// Help

void TestMainWindowFlows::helpOpensHelpDocument_data()
{
    QTest::addColumn<QString>("route");
    QTest::newRow("AcHelp") << "AcHelp";
    QTest::newRow("error dialog BtnHelp") << "BtnHelp";
    QTest::newRow("panel LabURL") << "LabURL";
    QTest::newRow("wizard LabURL") << "wizard";
}

void TestMainWindowFlows::helpOpensHelpDocument()
{
    QFETCH(QString, route);
    TestSupport::TShellRecorder shell;
    if (route == u"AcHelp") {
        action("AcHelp")->trigger();
    } else if (route == u"BtnHelp") {
        FForm->ShowError(QStringLiteral("something"));
        QTest::mouseClick(FForm->findChild<TfrmErrorMsg *>(QStringLiteral("frmErrorMsg"))->BtnHelp, Qt::LeftButton);
    } else if (route == u"LabURL") {
        auto *link = panel(QStringLiteral("ToolPanelImport"))->findChild<TNpsUrl *>(QStringLiteral("LabURL"));
        QVERIFY(link);
        QTest::mouseClick(link, Qt::LeftButton);
    } else {
        action("acImportFoto")->trigger();
        QTest::mouseClick(wizard()->LabURL, Qt::LeftButton);
    }
    QCOMPARE(shell.addresses(), QStringList{QStringLiteral("file:") + FFolder->path() + "help/english.html"});
    QVERIFY(FMessages->messages().isEmpty());
}

void TestMainWindowFlows::helpTargetOutsideProgramOpensNothing_data()
{
    QTest::addColumn<QString>("target"); // %1: a folder outside the program folder
    QTest::newRow("outside") << "../%1/help.html";
    QTest::newRow("not a document") << "lng/english.lng";
}

void TestMainWindowFlows::helpTargetOutsideProgramOpensNothing()
{
    QFETCH(QString, target);
    // A real document, outside: reached through ".." from the program folder.
    QTemporaryDir outside(FFolder->path() + "../outside-XXXXXX");
    QVERIFY(outside.isValid());
    QFile document(outside.filePath(QStringLiteral("help.html")));
    QVERIFY(document.open(QIODevice::WriteOnly));
    document.close();
    setHelpTarget(target.replace(QStringLiteral("%1"), QFileInfo(outside.path()).fileName()));

    TestSupport::TShellRecorder shell;
    action("AcHelp")->trigger();
    QTest::mouseClick(panel(QStringLiteral("ToolPanelImport"))->findChild<TNpsUrl *>(QStringLiteral("LabURL")),
                      Qt::LeftButton);
    QTest::mouseClick(wizard()->LabURL, Qt::LeftButton);
    QVERIFY(shell.addresses().isEmpty());
    QVERIFY(FMessages->messages().isEmpty());
    QVERIFY(!FForm->findChild<TfrmErrorMsg *>(QStringLiteral("frmErrorMsg"))->isVisible());
}

// ---------------------------------------------------------------------------
// Home page

void TestMainWindowFlows::homePageFromMainView_data()
{
    QTest::addColumn<bool>("shellOpens");
    QTest::newRow("opened") << true;
    QTest::newRow("shell fails") << false;
}

void TestMainWindowFlows::homePageFromMainView()
{
    QFETCH(bool, shellOpens);
    TestSupport::TShellRecorder shell(shellOpens);
    view()->setFocus();
    // Through the event loop, which shows what a command throws.
    QTimer::singleShot(0, action("AcGoToHomePage"), &QAction::trigger);
    const QString address = HomePageEn + ".Image";
    QTRY_COMPARE(shell.addresses(), QStringList{address});
    QCOMPARE(FMessages->messages().size(), shellOpens ? 0 : 1);
    if (!shellOpens) {
        QCOMPARE(FMessages->messages().first().title, QStringLiteral("Orvessa"));
        QCOMPARE(FMessages->messages().first().text,
                 QStringLiteral("Cannot open \"%1\". No program is set to open it.").arg(address));
        QVERIFY(!FForm->findChild<TfrmErrorMsg *>(QStringLiteral("frmErrorMsg"))->isVisible());
    }
}

void TestMainWindowFlows::homePageFromAboutBox()
{
    TestSupport::TShellRecorder shell;
    // No control of the main window holds the focus, so the tag names the
    // about box, the active window.
    if (QWidget *focused = FForm->focusWidget())
        focused->clearFocus();
    QVERIFY(!FForm->focusWidget());
    TAboutBox *about = FForm->findChild<TAboutBox *>(QStringLiteral("AboutBox"));
    QTimer::singleShot(0, about, [about] {
        const auto closeBox = qScopeGuard([about] { about->close(); });
        QTRY_VERIFY(about->isActiveWindow());
        QCOMPARE(QApplication::activeModalWidget(), about);
        QTest::mouseClick(about->LabHomePage, Qt::LeftButton);
    });
    action("acHelpAbout")->trigger(); // modal: returns when the box is closed
    QVERIFY(!about->isVisible());
    QCOMPARE(shell.addresses(), QStringList{HomePageEn + "AboutBox"});
    QVERIFY(FMessages->messages().isEmpty());
}

int main(int argc, char *argv[])
{
    TOrvessaApplication app(argc, argv);
    TestMainWindowFlows test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindowflows.moc"
