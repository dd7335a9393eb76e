#include "TestSupport.h"

#include "core/EOrvessaError.h"
#include "input/TImportWizard.h"
#include "input/TOpenDialog.h"
#include "input/TPhotoPreview.h"
#include "input/TfrmImportDlg.h"
#include "widgets/TNpsUrl.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include "widgets/TMemo.h"
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QStringList Page0Controls{"EdFileName", "LabFileOpen", "ImgBorder", "MemBeginInfo", "BtnOpen"};
const QStringList RequirementControls{"ImgSample", "Image", "MemInfo", "CheckBox"};

void writePicture(const QString &path, const QSize &size, const QColor &colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    QVERIFY(picture.save(path, "JPG"));
}

} // namespace

class TestImportWizard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dialogLayout_data();
    void dialogLayout();
    void tabOrder();
    void labelsGrowWithTheirText();

    void pageLayout_data();
    void pageLayout();
    void page0NextFollowsPath_data();
    void page0NextFollowsPath();
    void everyEntryUnticksAndRereadsPhoto();
    void finishCaptionOnlyOnPage3();
    void reopenStartsAtPage0();
    void handlersAreWiredOnce();
    void cancelEscAndCloseBoxLoadNothing_data();
    void cancelEscAndCloseBoxLoadNothing();
    void finishHidesThenLoads();
    void openButtonFillsPath();
    void missingSampleKeepsEarlierSteps();
    void missingFirstSampleLeavesBackDisabled();
    void unreadablePhotoReturnsToPage0();

    void previewFitRect_data();
    void previewFitRect();
    void previewSamplesNearestPixel();

    void dropFillsThePathOnPage0Only_data();
    void dropFillsThePathOnPage0Only();
    void focusGoesToThePageNotToCancel();

private:
    QWidget *control(const QString &name) const;
    void goToPage(int page);
    QString photoPath() const;
    QString pictureFolder() const;

    std::unique_ptr<QTemporaryDir> FDir;
    std::unique_ptr<QMainWindow> FMain;
    TfrmImportDlg *FDialog = nullptr;
    TOpenDialog *FOpenDialog = nullptr;
    std::unique_ptr<TImportWizard> FWizard;
    QStringList FLoaded;   // every path handed to the loader
    QStringList FFinished; // every path handed to the finish action
    QSet<QString> FMissingKeys;
};

QString TestImportWizard::pictureFolder() const
{
    return FDir->path() + QStringLiteral("/pic/");
}

QString TestImportWizard::photoPath() const
{
    return FDir->path() + QStringLiteral("/photo.jpg");
}

void TestImportWizard::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir().mkpath(pictureFolder()));
    for (int i = 0; i < 3; ++i)
        writePicture(pictureFolder() + QStringLiteral("imp%1.jpg").arg(i), QSize(145, 161), QColor(40 * i, 80, 160));
    writePicture(photoPath(), QSize(300, 400), Qt::darkYellow);
    FLoaded.clear();
    FFinished.clear();
    FMissingKeys.clear();

    FMain = std::make_unique<QMainWindow>();
    FMain->setObjectName(QStringLiteral("MainForm"));
    FMain->resize(708, 498);
    FDialog = new TfrmImportDlg(FMain.get());
    FOpenDialog = new TOpenDialog(FMain.get());
    auto lookup = [this](const QString &key) {
        return FMissingKeys.contains(key) ? QStringLiteral("<UNTRANSLATED>") : QStringLiteral("T:") + key;
    };
    auto loader = [this](const QString &path) {
        FLoaded.append(path);
        QImage picture(path);
        if (picture.isNull())
            throw EOrvessaError(QStringLiteral("Cannot open file \"%1\".").arg(path));
        return TPhoto(picture);
    };
    auto finish = [this](const QString &path) { FFinished.append(path); };
    FWizard = std::make_unique<TImportWizard>(FDialog, lookup, pictureFolder(), FOpenDialog, loader, finish);
    FDialog->EdFileName->setText(photoPath());
}

void TestImportWizard::cleanup()
{
    TOpenDialog::setHook({});
    FWizard.reset();
    FMain.reset();
    FDir.reset();
}

QWidget *TestImportWizard::control(const QString &name) const
{
    auto *found = FDialog->findChild<QWidget *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

void TestImportWizard::goToPage(int page)
{
    FWizard->acImportFotoExecute();
    for (int i = 0; i < page; ++i) {
        if (i > 0)
            FDialog->CheckBox->click();
        QVERIFY(FDialog->BtnNext->isEnabled());
        FDialog->BtnNext->click();
    }
    QCOMPARE(FWizard->ImportStep(), page);
}

void TestImportWizard::dialogLayout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::newRow("ImgSample") << "ImgSample" << QRect(32, 16, 145, 161);
    QTest::newRow("ImgBorder") << "ImgBorder" << QRect(8, 16, 105, 273);
    QTest::newRow("BtnBack") << "BtnBack" << QRect(384, 288, 75, 25);
    QTest::newRow("BtnNext") << "BtnNext" << QRect(464, 288, 75, 25);
    QTest::newRow("BtnCancel") << "BtnCancel" << QRect(304, 288, 75, 25);
    QTest::newRow("Image") << "Image" << QRect(280, 16, 233, 241);
    QTest::newRow("MemInfo") << "MemInfo" << QRect(32, 192, 241, 65);
    QTest::newRow("EdFileName") << "EdFileName" << QRect(112, 184, 377, 19);
    QTest::newRow("BtnOpen") << "BtnOpen" << QRect(495, 183, 25, 22);
    QTest::newRow("CheckBox") << "CheckBox" << QRect(32, 264, 489, 16);
    QTest::newRow("MemBeginInfo") << "MemBeginInfo" << QRect(112, 56, 385, 105);
}

void TestImportWizard::dialogLayout()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QCOMPARE(FDialog->objectName(), QStringLiteral("frmImportDlg"));
    QCOMPARE(FDialog->size(), QSize(552, 323));
    QVERIFY(!FDialog->isModal());
    QCOMPARE(control(name)->geometry(), place);
}

void TestImportWizard::tabOrder()
{
    const QStringList expected{"BtnBack", "BtnNext", "BtnCancel", "Image", "MemInfo",
                               "EdFileName", "BtnOpen", "CheckBox", "MemBeginInfo"};
    QWidget *widget = FDialog->BtnBack;
    for (const QString &name : expected) {
        QCOMPARE(widget->objectName(), name);
        do
            widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus && widget != FDialog->BtnBack);
    }
    QCOMPARE(FDialog->LabURL->focusPolicy(), Qt::NoFocus);
}

void TestImportWizard::labelsGrowWithTheirText()
{
    // A translation set while the dialog is open keeps the labels readable;
    // left and top stay where the layout puts them.
    FWizard->acImportFotoExecute();
    FDialog->LabURL->setText(QStringLiteral("Справка по мастеру импорта..."));
    FDialog->LabFileOpen->setText(QStringLiteral("Чтобы начать измерения, выберите фотографию."));
    for (QLabel *label : {static_cast<QLabel *>(FDialog->LabURL), FDialog->LabFileOpen})
        QTRY_VERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
    QCOMPARE(FDialog->LabURL->pos(), QPoint(18, 294));
    QCOMPARE(FDialog->LabFileOpen->pos(), QPoint(112, 168));
    QCOMPARE(FDialog->LabURL->protocol(), TNpsUrl::ptFILE);
}

void TestImportWizard::pageLayout_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("nextCaption");
    // Page 1 keeps the Next text of page 0.
    QTest::newRow("page 0") << 0 << QString() << "T:frmImportDlg.BtnNext.Caption";
    QTest::newRow("page 1") << 1 << "imp0.jpg" << "T:frmImportDlg.BtnNext.Caption";
    QTest::newRow("page 2") << 2 << "imp1.jpg" << "T:frmImportDlg.BtnNext.Caption";
    QTest::newRow("page 3") << 3 << "imp2.jpg" << "T:frmImportDlg.BtnFinish.Caption";
}

void TestImportWizard::pageLayout()
{
    QFETCH(int, page);
    QFETCH(QString, sample);
    QFETCH(QString, nextCaption);
    goToPage(page);

    QVERIFY(FDialog->isVisible());
    const bool requirementPage = page > 0;
    for (const QString &name : Page0Controls)
        QVERIFY2(control(name)->isVisibleTo(FDialog) == !requirementPage, qPrintable(name));
    for (const QString &name : RequirementControls)
        QVERIFY2(control(name)->isVisibleTo(FDialog) == requirementPage, qPrintable(name));
    for (const char *name : {"LabURL", "BtnBack", "BtnNext", "BtnCancel"})
        QVERIFY2(control(QString::fromLatin1(name))->isVisibleTo(FDialog), name);

    QCOMPARE(FDialog->BtnBack->isEnabled(), requirementPage);
    // Page 0 with an existing file allows Next; the other pages wait for the tick.
    QCOMPARE(FDialog->BtnNext->isEnabled(), !requirementPage);
    QVERIFY(!FDialog->CheckBox->isChecked());
    QCOMPARE(FDialog->BtnNext->text(), nextCaption);
    if (requirementPage) {
        const QString number = QString::number(page);
        QCOMPARE(FDialog->MemInfo->toPlainText(), "T:frmImportDlg.ReqInfo" + number);
        QCOMPARE(FDialog->CheckBox->text(), "T:frmImportDlg.CheckBox.ReqText" + number);
        QCOMPARE(FLoaded.last(), pictureFolder() + sample);
        QVERIFY(!FDialog->ImgSample->pixmap().isNull());
        QCOMPARE(FDialog->Image->picture().PixelSize(), QSize(300, 400));
        FDialog->CheckBox->click();
        QVERIFY(FDialog->BtnNext->isEnabled());
        FDialog->CheckBox->click();
        QVERIFY(!FDialog->BtnNext->isEnabled());
    }
}

void TestImportWizard::page0NextFollowsPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("missing file") << "/no/such/photo.jpg" << false;
    QTest::newRow("folder") << "<dir>" << false;
    QTest::newRow("existing file") << "<photo>" << true;
}

void TestImportWizard::page0NextFollowsPath()
{
    QFETCH(QString, path);
    QFETCH(bool, enabled);
    path.replace(QStringLiteral("<dir>"), FDir->path()).replace(QStringLiteral("<photo>"), photoPath());
    FDialog->EdFileName->clear();
    FWizard->acImportFotoExecute();
    QVERIFY(!FDialog->BtnNext->isEnabled());

    // Typing the path: Next follows every keystroke, so the last letter decides.
    FDialog->EdFileName->setFocus();
    QTest::keyClicks(FDialog->EdFileName, path.chopped(qMin<qsizetype>(1, path.size())));
    QVERIFY(!FDialog->BtnNext->isEnabled());
    if (!path.isEmpty())
        QTest::keyClicks(FDialog->EdFileName, path.right(1));
    QCOMPARE(FDialog->EdFileName->text(), path);
    QCOMPARE(FDialog->BtnNext->isEnabled(), enabled);
}

void TestImportWizard::everyEntryUnticksAndRereadsPhoto()
{
    goToPage(1);
    FDialog->CheckBox->click();
    FDialog->BtnBack->click();
    QCOMPARE(FWizard->ImportStep(), 0);
    QVERIFY(!FDialog->CheckBox->isChecked());
    QVERIFY(FDialog->BtnNext->isEnabled()); // the file still exists

    // The photo changed on disk meanwhile: page 1 reads it again.
    writePicture(photoPath(), QSize(120, 90), Qt::cyan);
    const qsizetype photoReads = FLoaded.count(photoPath());
    FDialog->BtnNext->click();
    QCOMPARE(FLoaded.count(photoPath()), photoReads + 1);
    QCOMPARE(FDialog->Image->picture().PixelSize(), QSize(120, 90));
    QVERIFY(!FDialog->CheckBox->isChecked());
    QVERIFY(!FDialog->BtnNext->isEnabled());

    // Forth to page 2 ticked, back to page 1: unticked again.
    FDialog->CheckBox->click();
    FDialog->BtnNext->click();
    FDialog->CheckBox->click();
    FDialog->BtnBack->click();
    QCOMPARE(FWizard->ImportStep(), 1);
    QVERIFY(!FDialog->CheckBox->isChecked());
    QVERIFY(!FDialog->BtnNext->isEnabled());
}

void TestImportWizard::finishCaptionOnlyOnPage3()
{
    goToPage(3);
    QCOMPARE(FDialog->BtnNext->text(), QStringLiteral("T:frmImportDlg.BtnFinish.Caption"));
    FDialog->BtnBack->click();
    QCOMPARE(FDialog->BtnNext->text(), QStringLiteral("T:frmImportDlg.BtnNext.Caption"));
    QCOMPARE(FDialog->MemInfo->toPlainText(), QStringLiteral("T:frmImportDlg.ReqInfo2"));

    // Texts come from the lookup at page entry: a key that has gone missing
    // shows as the lookup gives it.
    FMissingKeys.insert(QStringLiteral("frmImportDlg.ReqInfo2"));
    FDialog->BtnBack->click();
    FDialog->CheckBox->click();
    FDialog->BtnNext->click();
    QCOMPARE(FDialog->MemInfo->toPlainText(), QStringLiteral("<UNTRANSLATED>"));
}

void TestImportWizard::reopenStartsAtPage0()
{
    goToPage(2);
    FDialog->CheckBox->click();
    FWizard->acImportFotoExecute(); // while open: starts again
    QVERIFY(FDialog->isVisible());
    QCOMPARE(FWizard->ImportStep(), 0);
    QVERIFY(FDialog->EdFileName->isVisibleTo(FDialog));
    QVERIFY(!FDialog->MemInfo->isVisibleTo(FDialog));
    QCOMPARE(FDialog->EdFileName->text(), photoPath());
    QVERIFY(FDialog->BtnNext->isEnabled());
    QCOMPARE(FDialog->BtnNext->text(), QStringLiteral("T:frmImportDlg.BtnNext.Caption"));

    // After Cancel the path stays; a file deleted meanwhile keeps Next off.
    FDialog->BtnCancel->click();
    QVERIFY(QFile::remove(photoPath()));
    FWizard->acImportFotoExecute();
    QCOMPARE(FDialog->EdFileName->text(), photoPath());
    QVERIFY(!FDialog->BtnNext->isEnabled());
}

void TestImportWizard::handlersAreWiredOnce()
{
    FWizard->acImportFotoExecute();
    FWizard->acImportFotoExecute();
    FWizard->acImportFotoExecute();
    FDialog->BtnNext->click();
    QCOMPARE(FWizard->ImportStep(), 1);
    FDialog->CheckBox->click();
    FDialog->BtnNext->click();
    QCOMPARE(FWizard->ImportStep(), 2);
}

void TestImportWizard::cancelEscAndCloseBoxLoadNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << "cancel";
    QTest::newRow("Esc") << "esc";
    QTest::newRow("close box") << "close";
}

void TestImportWizard::cancelEscAndCloseBoxLoadNothing()
{
    QFETCH(QString, how);
    goToPage(3);
    FDialog->CheckBox->click();
    if (how == QLatin1String("cancel"))
        FDialog->BtnCancel->click();
    else if (how == QLatin1String("esc"))
        QTest::keyClick(FDialog->CheckBox, Qt::Key_Escape);
    else
        FDialog->close();
    QVERIFY(!FDialog->isVisible());
    QVERIFY(FFinished.isEmpty());
    QCOMPARE(FWizard->ImportStep(), 3);
}

void TestImportWizard::finishHidesThenLoads()
{
    bool hiddenFirst = false;
    FWizard = std::make_unique<TImportWizard>(
        FDialog, [](const QString &key) { return key; }, pictureFolder(), FOpenDialog, [](const QString &path) { return TPhoto(QImage(path)); },
        [this, &hiddenFirst](const QString &path) {
            hiddenFirst = !FDialog->isVisible();
            FFinished.append(path);
        });
    goToPage(3);
    FDialog->CheckBox->click();
    FDialog->BtnNext->click();
    QCOMPARE(FWizard->ImportStep(), 4);
    QCOMPARE(FFinished, QStringList{photoPath()});
    QVERIFY(hiddenFirst);
    QVERIFY(!FDialog->isVisible());
}

void TestImportWizard::openButtonFillsPath()
{
    const QString other = FDir->path() + QStringLiteral("/other.jpg");
    writePicture(other, QSize(10, 10), Qt::red);
    FDialog->EdFileName->clear();
    FWizard->acImportFotoExecute();

    QString answer;
    int asked = 0;
    TOpenDialog::setHook([&](const QStringList &, const QString &) {
        ++asked;
        return answer;
    });
    FDialog->BtnOpen->click(); // cancelled
    QCOMPARE(asked, 1);
    QVERIFY(FDialog->EdFileName->text().isEmpty());
    QVERIFY(!FDialog->BtnNext->isEnabled());

    answer = other;
    FDialog->BtnOpen->click();
    QCOMPARE(FDialog->EdFileName->text(), other);
    QVERIFY(FDialog->BtnNext->isEnabled());
    QCOMPARE(FOpenDialog->FileName(), other);
    QVERIFY(FFinished.isEmpty()); // nothing reaches the main view
    QVERIFY(FLoaded.isEmpty());   // nor is anything read yet

    // Cancel later leaves the chosen path alone.
    answer.clear();
    FDialog->BtnOpen->click();
    QCOMPARE(FDialog->EdFileName->text(), other);
    QVERIFY(FDialog->BtnNext->isEnabled());
}

void TestImportWizard::missingSampleKeepsEarlierSteps()
{
    goToPage(1);
    QVERIFY(QFile::remove(pictureFolder() + QStringLiteral("imp1.jpg")));
    FDialog->CheckBox->click();
    QVERIFY_THROWS_EXCEPTION(EOrvessaError, FDialog->BtnNext->click());
    // The step number moved; the page stopped at its first step.
    QCOMPARE(FWizard->ImportStep(), 2);
    QCOMPARE(FDialog->MemInfo->toPlainText(), QStringLiteral("T:frmImportDlg.ReqInfo1"));
    QCOMPARE(FDialog->CheckBox->text(), QStringLiteral("T:frmImportDlg.CheckBox.ReqText1"));
    QVERIFY(!FDialog->CheckBox->isChecked());
    QVERIFY(!FDialog->BtnNext->isEnabled());
    QVERIFY(FDialog->isVisible());

    // Back still works and reaches a page that loads.
    FDialog->BtnBack->click();
    QCOMPARE(FWizard->ImportStep(), 1);
}

void TestImportWizard::missingFirstSampleLeavesBackDisabled()
{
    QVERIFY(QFile::remove(pictureFolder() + QStringLiteral("imp0.jpg")));
    FWizard->acImportFotoExecute();
    QVERIFY_THROWS_EXCEPTION(EOrvessaError, FDialog->BtnNext->click());
    QCOMPARE(FWizard->ImportStep(), 1);
    QVERIFY(FDialog->MemInfo->isVisibleTo(FDialog));
    QCOMPARE(FDialog->MemInfo->toPlainText(), QStringLiteral("T:frmImportDlg.ReqInfo1"));
    QVERIFY(!FDialog->BtnBack->isEnabled());
    // Cancel and a new opening still work.
    FDialog->BtnCancel->click();
    QVERIFY(!FDialog->isVisible());
    FWizard->acImportFotoExecute();
    QCOMPARE(FWizard->ImportStep(), 0);
    QVERIFY(FDialog->EdFileName->isVisibleTo(FDialog));
}

void TestImportWizard::unreadablePhotoReturnsToPage0()
{
    goToPage(1);
    FDialog->BtnBack->click();
    const QImage shownBefore = FDialog->Image->picture().Pixels();
    QFile broken(photoPath());
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("not a picture");
    broken.close();

    QVERIFY_THROWS_EXCEPTION(EOrvessaError, FDialog->BtnNext->click());
    QCOMPARE(FWizard->ImportStep(), 0);
    for (const QString &name : Page0Controls)
        QVERIFY2(control(name)->isVisibleTo(FDialog), qPrintable(name));
    for (const QString &name : RequirementControls)
        QVERIFY2(!control(name)->isVisibleTo(FDialog), qPrintable(name));
    QVERIFY(!FDialog->BtnBack->isEnabled());
    QVERIFY(FDialog->BtnNext->isEnabled()); // the file exists: the user may retry
    QCOMPARE(FDialog->Image->picture().Pixels(), shownBefore);
    QVERIFY(FFinished.isEmpty());

    // Picking another file goes on as usual.
    writePicture(photoPath(), QSize(50, 60), Qt::green);
    FDialog->BtnNext->click();
    QCOMPARE(FWizard->ImportStep(), 1);
    QCOMPARE(FDialog->Image->picture().PixelSize(), QSize(50, 60));
}

void TestImportWizard::previewFitRect_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("fits: natural size, centred") << QSize(100, 50) << QSize(233, 241) << QRect(66, 95, 100, 50);
    QTest::newRow("exactly the box") << QSize(233, 241) << QSize(233, 241) << QRect(0, 0, 233, 241);
    // 466 x 300 → width-limited: 233 x 150.
    QTest::newRow("too wide") << QSize(466, 300) << QSize(233, 241) << QRect(0, 45, 233, 150);
    // 300 x 482 → height-limited: 150 x 241.
    QTest::newRow("too tall") << QSize(300, 482) << QSize(233, 241) << QRect(41, 0, 150, 241);
    // Only one side too big still reduces: 240 x 10 → 233 x 9 (9.7 rounded down).
    QTest::newRow("one side over") << QSize(240, 10) << QSize(233, 241) << QRect(0, 116, 233, 9);
    QTest::newRow("sliver keeps a pixel") << QSize(100000, 1) << QSize(233, 241) << QRect(0, 120, 233, 1);
    QTest::newRow("huge photo") << QSize(60000, 40000) << QSize(233, 241) << QRect(0, 43, 233, 155);
    QTest::newRow("empty picture") << QSize(0, 0) << QSize(233, 241) << QRect();
}

void TestImportWizard::previewFitRect()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, box);
    QFETCH(QRect, expected);
    const QRect fit = TPhotoPreview::fitRect(picture, box);
    QCOMPARE(fit, expected);
    if (!fit.isEmpty())
        QVERIFY(QRect(QPoint(0, 0), box).contains(fit));
}

void TestImportWizard::previewSamplesNearestPixel()
{
    // A 2 x 2 checkerboard of 1-pixel squares at twice the box size: halving
    // by nearest neighbour gives pure black or white, never a blended grey.
    QImage board(466, 482, QImage::Format_RGB32);
    for (int y = 0; y < board.height(); ++y)
        for (int x = 0; x < board.width(); ++x)
            board.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    TPhotoPreview preview;
    preview.resize(233, 241);
    preview.setPicture(TPhoto(board));
    const QImage shown = preview.grab().toImage();
    for (int y = 0; y < shown.height(); y += 7)
        for (int x = 0; x < shown.width(); x += 5) {
            const int grey = qGray(shown.pixel(x, y));
            QVERIFY2(grey == 0 || grey == 255, qPrintable(QStringLiteral("%1,%2 = %3").arg(x).arg(y).arg(grey)));
        }
}

void TestImportWizard::dropFillsThePathOnPage0Only_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("dropped"); // file names in the test folder, or addresses
    QTest::addColumn<bool>("fills");
    QTest::newRow("one file") << 0 << QStringList{"other.jpg"} << true;
    QTest::newRow("several: the first") << 0 << QStringList{"other.jpg", "photo.jpg"} << true;
    QTest::newRow("web address") << 0 << QStringList{"https://example.org/other.jpg"} << false;
    QTest::newRow("folder") << 0 << QStringList{"pic"} << false;
    QTest::newRow("requirement page") << 1 << QStringList{"other.jpg"} << false;
    QTest::newRow("last page") << 3 << QStringList{"other.jpg"} << false;
}

void TestImportWizard::dropFillsThePathOnPage0Only()
{
    QFETCH(int, page);
    QFETCH(QStringList, dropped);
    QFETCH(bool, fills);
    const QString other = FDir->path() + QStringLiteral("/other.jpg");
    writePicture(other, QSize(10, 10), Qt::red);
    QList<QUrl> urls;
    for (const QString &name : std::as_const(dropped))
        urls << (name.contains(QLatin1String("://")) ? QUrl(name) : QUrl::fromLocalFile(FDir->filePath(name)));
    goToPage(page);
    FDialog->EdFileName->setText(page == 0 ? QString() : photoPath());

    // On the path box itself: the dialog takes it, the box adds no text.
    QCOMPARE(TestSupport::dropUrls(FDialog->EdFileName, urls), fills);
    QCOMPARE(FDialog->EdFileName->text(), fills ? other : (page == 0 ? QString() : photoPath()));
    if (page == 0)
        QCOMPARE(FDialog->BtnNext->isEnabled(), fills);
    QCOMPARE(FWizard->ImportStep(), page);
    QVERIFY(FFinished.isEmpty());
}

// Space after Next ticks the new page's box; it used to land on Cancel.
void TestImportWizard::focusGoesToThePageNotToCancel()
{
    FWizard->acImportFotoExecute();
    QVERIFY(QTest::qWaitForWindowActive(FDialog));
    QCOMPARE(QApplication::focusWidget(), FDialog->EdFileName);
    for (int page = 1; page <= 3; ++page) {
        FDialog->BtnNext->setFocus();
        QTest::keyClick(FDialog->BtnNext, Qt::Key_Space);
        QCOMPARE(FWizard->ImportStep(), page);
        QCOMPARE(QApplication::focusWidget(), FDialog->CheckBox);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(FDialog->CheckBox->isChecked());
        QVERIFY(FDialog->isVisible());
    }
    for (int page = 2; page >= 0; --page) {
        FDialog->BtnBack->setFocus();
        QTest::keyClick(FDialog->BtnBack, Qt::Key_Space);
        QCOMPARE(FWizard->ImportStep(), page);
        QCOMPARE(QApplication::focusWidget(), page == 0 ? static_cast<QWidget *>(FDialog->EdFileName) : FDialog->CheckBox);
    }
    QVERIFY(FDialog->isVisible());
}

QTEST_MAIN(TestImportWizard)
#include "tst_importwizard.moc"
