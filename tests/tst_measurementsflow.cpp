// File > Save Measurements and File > Open Measurements through the real
// main window: the dialogs and boxes answer through their seams.
#include "TestSupport.h"

#include "app/TMainForm.h"
#include "app/TfrmErrorMsg.h"
#include "core/TMeasureCatalogue.h"
#include "core/TMeasurementsFile.h"
#include "input/TOpenDialog.h"
#include "lang/TLanguageSetting.h"
#include "measure/TGuideLine.h"
#include "measure/TGuideLines.h"
#include "measure/TImgView32.h"
#include "widgets/TAdvToolPanel.h"
#include "widgets/TMessageBox.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QtTest>

#include <cstring>
#include <memory>

namespace {

constexpr int QuestionKind = int(TMessageBox::Kind::Question);
constexpr int WarningKind = int(TMessageBox::Kind::Warning);
constexpr int CriticalKind = int(TMessageBox::Kind::Critical);

bool sameBits(const TMeasureStore &a, const TMeasureStore &b)
{
    return a.size() == b.size() && std::memcmp(a.constData(), b.constData(), size_t(a.size()) * sizeof(TFloatRect)) == 0;
}

} // namespace

class TestMeasurementsFlow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveRefusals_data();
    void saveRefusals();
    void randomSessionsRoundTrip();
    void openClearsWhatTheFileLacks();
    void openRefusesBadFilesAndChangesNothing_data();
    void openRefusesBadFilesAndChangesNothing();
    void changedPhotoAsksFirst_data();
    void changedPhotoAsksFirst();
    void missingPhotoKeepsTheCurrentOne();
    void failedSaveShowsTheReason();
    void openingIsOneUndoStep();

private:
    QString writeImage(const QString &name, QSize size, QColor colour) const;
    void openPhoto(const QString &path);
    void place(int n, const TFloatRect &rect);
    QString save(const QString &name);
    void open(const QString &path);
    QString errorText() const;
    bool hasLine(int n) const;

    TImgView32 *view() const { return FForm->findChild<TImgView32 *>(QStringLiteral("Image")); }
    TAdvToolPanel *measurePanel() const { return FForm->findChild<TAdvToolPanel *>(QStringLiteral("ToolPanelMeasure")); }
    QAction *action(const char *name) const { return FForm->findChild<QAction *>(QString::fromLatin1(name)); }

    std::unique_ptr<TestSupport::TProgramFolderCopy> FFolder;
    std::unique_ptr<TestSupport::TMessageRecorder> FMessages;
    std::unique_ptr<QTemporaryDir> FFiles;
    std::unique_ptr<TMainForm> FForm;
    QString FChosen; // the dialogs' answer
    int FMeasurementsDialogRuns = 0;
};

void TestMeasurementsFlow::init()
{
    TestSupport::isolateSettings();
    FFolder = std::make_unique<TestSupport::TProgramFolderCopy>();
    QVERIFY(TLanguageSetting::WriteLanguageSetting(TLanguageSetting::KeyPath, FFolder->path() + "lng/english.lng"));
    FMessages = std::make_unique<TestSupport::TMessageRecorder>();
    TMessageBox::setQuestionAnswer(false);
    FFiles = std::make_unique<QTemporaryDir>();
    FMeasurementsDialogRuns = 0;
    TOpenDialog::setHook([this](const QStringList &filters, const QString &) {
        if (filters.value(0).startsWith(QLatin1String("Orvessa measurements")))
            ++FMeasurementsDialogRuns;
        return FChosen;
    });
    FForm = std::make_unique<TMainForm>();
    FForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
}

void TestMeasurementsFlow::cleanup()
{
    FForm.reset();
    TOpenDialog::setHook({});
    FMessages.reset();
    FFiles.reset();
    FFolder.reset();
}

QString TestMeasurementsFlow::writeImage(const QString &name, QSize size, QColor colour) const
{
    const QString path = FFiles->filePath(name);
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    if (!picture.save(path, "BMP"))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestMeasurementsFlow::openPhoto(const QString &path)
{
    FChosen = path;
    action("acFileOpen")->trigger();
    QVERIFY(!view()->IsPhotoEmpty());
}

// A placement as the user makes it: the measurement's pick, then its line
// dragged to rect and released.
void TestMeasurementsFlow::place(int n, const TFloatRect &rect)
{
    measurePanel()->itemClicked(1, n - 1);
    TGuideLine *line = FForm->GuideLines()->Selection();
    QVERIFY(line && line->Tag() == n);
    line->SetLocation(rect);
    FForm->GuideLines()->StoreSelection();
}

QString TestMeasurementsFlow::save(const QString &name)
{
    FChosen = FFiles->filePath(name);
    action("acSaveMeasurements")->trigger();
    return FChosen;
}

void TestMeasurementsFlow::open(const QString &path)
{
    FChosen = path;
    action("acOpenMeasurements")->trigger();
}

QString TestMeasurementsFlow::errorText() const
{
    const auto *box = FForm->findChild<TfrmErrorMsg *>(QStringLiteral("frmErrorMsg"));
    return box->isVisible() ? box->message() : QString();
}

bool TestMeasurementsFlow::hasLine(int n) const
{
    for (int i = 0; i < view()->LayerCount(); ++i)
        if (dynamic_cast<TGuideLine *>(view()->Layer(i)) && view()->Layer(i)->Tag() == n)
            return true;
    return false;
}

void TestMeasurementsFlow::saveRefusals_data()
{
    QTest::addColumn<QString>("source"); // "", "file" or "paste"
    QTest::addColumn<bool>("line");
    QTest::addColumn<QString>("error");
    QTest::newRow("no photo") << "" << false << "Open a photo first, then save its measurements.";
    QTest::newRow("no line") << "file" << false << "Place at least one guide line, then save the measurements.";
    QTest::newRow("pasted photo") << "paste" << true
                                  << "The photo was not opened from a file. Open it from a file to save its measurements.";
}

void TestMeasurementsFlow::saveRefusals()
{
    QFETCH(QString, source);
    QFETCH(bool, line);
    QFETCH(QString, error);
    if (source == QLatin1String("file"))
        openPhoto(writeImage(QStringLiteral("p.bmp"), QSize(200, 300), Qt::gray));
    if (source == QLatin1String("paste")) {
        QImage picture(50, 60, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QGuiApplication::clipboard()->setImage(picture);
        action("acEditPaste")->trigger();
        QVERIFY(!view()->IsPhotoEmpty());
    }
    if (line)
        place(3, {1, 2, 30, 2});
    const QString path = save(QStringLiteral("x.orvessa.json"));
    QCOMPARE(errorText(), error);
    QCOMPARE(FMeasurementsDialogRuns, 0);
    QVERIFY(!QFile::exists(path));
}

// Random placements saved and opened again: the store comes back bit for
// bit, and so do the figures.
void TestMeasurementsFlow::randomSessionsRoundTrip()
{
    QRandomGenerator random(1616);
    const QString photo = writeImage(QStringLiteral("face.bmp"), QSize(320, 240), Qt::darkGray);
    openPhoto(photo);
    for (int round = 0; round < 8; ++round) {
        for (int n = 1; n <= MeasureCount; ++n)
            if (random.bounded(4) != 0)
                place(n, {float(-100 + random.bounded(500.0)), float(-50 + random.bounded(350.0)),
                          float(random.bounded(320.0)), float(random.bounded(240.0))});
        const TMeasureStore saved = FForm->MeasureStore();
        const TBeautyResult figures = FForm->GetBeautyResult();
        const QString file = save(QStringLiteral("session%1").arg(round)); // the extension is added
        QVERIFY2(errorText().isEmpty(), qPrintable(errorText()));
        QVERIFY(QFile::exists(file + ".orvessa.json"));
        TMeasurementsFault fault;
        const std::optional<TMeasurements> written = TMeasurementsFile::Read(file + ".orvessa.json", fault);
        QVERIFY(written);
        QCOMPARE(written->PhotoFile, QStringLiteral("face.bmp"));
        QCOMPARE(written->PhotoSize, QSize(320, 240));
        QCOMPARE(written->PhotoSha256, TMeasurementsFile::Sha256(photo));

        for (int n = 1; n <= MeasureCount; ++n)
            place(n, {5, 5, 6, 6}); // everything moved away
        open(file + ".orvessa.json");
        QVERIFY2(errorText().isEmpty(), qPrintable(errorText()));
        QVERIFY(sameBits(FForm->MeasureStore(), saved));
        const TBeautyResult again = FForm->GetBeautyResult();
        QCOMPARE(again.Status, figures.Status);
        QCOMPARE(again.Index, figures.Index);
        QCOMPARE(again.Dispersion, figures.Dispersion);
    }
    QVERIFY(FMessages->messages().isEmpty());
}

void TestMeasurementsFlow::openClearsWhatTheFileLacks()
{
    openPhoto(writeImage(QStringLiteral("p.bmp"), QSize(100, 100), Qt::gray));
    place(2, {10, 20, 30, 20});
    const QString file = save(QStringLiteral("two.orvessa.json"));
    place(5, {1, 1, 9, 1});
    place(9, {4, 1, 4, 50});
    open(file);
    QVERIFY(hasLine(2));
    for (int n : {5, 9}) {
        QVERIFY(!hasLine(n));
        QCOMPARE(FForm->MeasureStore()[n], TFloatRect{});
        QCOMPARE(measurePanel()->itemImageIndex(1, n - 1), 0);
    }
    QCOMPARE(FForm->MeasureStore()[2], (TFloatRect{10, 20, 30, 20}));
    QCOMPARE(FForm->GuideLines()->Selection()->Location(), (TFloatRect{10, 20, 30, 20}));
}

void TestMeasurementsFlow::openRefusesBadFilesAndChangesNothing_data()
{
    QTest::addColumn<QByteArray>("text"); // %SHA% stands for the photo's digest
    QTest::addColumn<QString>("error");   // %FILE% for the file's path
    const QByteArray head = "{\"format\": \"orvessa-measurements\", \"version\": 1, \"photo\": {\"file\": \"p.bmp\", ";
    QTest::newRow("not JSON") << QByteArray("{\"format\"")
                              << "The measurements file %FILE% cannot be opened: it is not valid JSON (the fault is at byte 9).";
    QTest::newRow("repeated number")
        << head + "\"width\": 100, \"height\": 100, \"sha256\": \"%SHA%\"}, \"measurements\": ["
                  "{\"number\": 4, \"left\": 1, \"top\": 2, \"right\": 3, \"bottom\": 4, \"placed\": \"manual\"},"
                  "{\"number\": 4, \"left\": 1, \"top\": 2, \"right\": 3, \"bottom\": 4, \"placed\": \"manual\"}]}"
        << "The measurements file %FILE% cannot be opened: measurement 4 appears more than once.";
    QTest::newRow("other photo size")
        << head + "\"width\": 100, \"height\": 90, \"sha256\": \"%SHA%\"}, \"measurements\": []}"
        << "The photo %PHOTO% is 100 x 100 pixels, but the measurements were taken on a photo of 100 x 90 pixels.";
}

void TestMeasurementsFlow::openRefusesBadFilesAndChangesNothing()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    const QString photo = writeImage(QStringLiteral("p.bmp"), QSize(100, 100), Qt::gray);
    openPhoto(photo);
    place(7, {3, 4, 3, 60});
    const TMeasureStore before = FForm->MeasureStore();
    const QString file = FFiles->filePath(QStringLiteral("bad.orvessa.json"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(text.replace("%SHA%", TMeasurementsFile::Sha256(photo)));
    out.close();
    open(file);
    QCOMPARE(errorText(), error.replace("%FILE%", file).replace("%PHOTO%", photo));
    QVERIFY(sameBits(FForm->MeasureStore(), before));
    QVERIFY(hasLine(7));
}

void TestMeasurementsFlow::changedPhotoAsksFirst_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("no") << false;
    QTest::newRow("yes") << true;
}

void TestMeasurementsFlow::changedPhotoAsksFirst()
{
    QFETCH(bool, yes);
    const QString photo = writeImage(QStringLiteral("p.bmp"), QSize(100, 100), Qt::gray);
    openPhoto(photo);
    place(1, {10, 50, 90, 50});
    const QString file = save(QStringLiteral("m.orvessa.json"));
    place(1, {20, 50, 80, 50});
    writeImage(QStringLiteral("p.bmp"), QSize(100, 100), Qt::white); // same size, other bytes
    TMessageBox::setQuestionAnswer(yes);
    open(file);
    QCOMPARE(FMessages->messages().size(), 1);
    QCOMPARE(FMessages->messages().first().kind, QuestionKind);
    QVERIFY(FMessages->messages().first().text.contains(photo));
    QCOMPARE(FForm->MeasureStore()[1], (yes ? TFloatRect{10, 50, 90, 50} : TFloatRect{20, 50, 80, 50}));
    QCOMPARE(view()->Photo().Pixels().pixel(0, 0), yes ? qRgb(255, 255, 255) : QColor(Qt::gray).rgb());
}

void TestMeasurementsFlow::missingPhotoKeepsTheCurrentOne()
{
    const QString photo = writeImage(QStringLiteral("p.bmp"), QSize(100, 100), Qt::gray);
    openPhoto(photo);
    place(6, {50, 10, 50, 90});
    const QString file = save(QStringLiteral("m.orvessa.json"));
    place(6, {50, 20, 50, 80});
    QVERIFY(QFile::remove(photo));
    open(file);
    QCOMPARE(FMessages->messages().size(), 1);
    QCOMPARE(FMessages->messages().first().kind, WarningKind);
    QCOMPARE(FMessages->messages().first().text,
             QStringLiteral("The photo %1 of the measurements file was not found. The measurements are placed on the "
                            "current photo.").arg(photo));
    QCOMPARE(FForm->MeasureStore()[6], (TFloatRect{50, 10, 50, 90}));
}

void TestMeasurementsFlow::failedSaveShowsTheReason()
{
    openPhoto(writeImage(QStringLiteral("p.bmp"), QSize(100, 100), Qt::gray));
    place(6, {50, 10, 50, 90});
    const QString path = save(QStringLiteral("none/m.orvessa.json"));
    QCOMPARE(FMessages->messages().size(), 1);
    QCOMPARE(FMessages->messages().first().kind, CriticalKind);
    QCOMPARE(FMessages->messages().first().text,
             QStringLiteral("The measurements could not be saved to %1: No such file or directory.").arg(path));
}

void TestMeasurementsFlow::openingIsOneUndoStep()
{
    openPhoto(writeImage(QStringLiteral("p.bmp"), QSize(100, 100), Qt::gray));
    place(2, {10, 20, 30, 20});
    place(8, {40, 5, 40, 50});
    const QString file = save(QStringLiteral("m.orvessa.json"));
    place(2, {12, 20, 28, 20});
    place(4, {30, 30, 70, 30});
    const TMeasureStore before = FForm->MeasureStore();
    open(file);
    QCOMPARE(FForm->MeasureStore()[4], TFloatRect{});
    QVERIFY(!hasLine(4));
    QCOMPARE(action("acEditUndo")->text(), QStringLiteral("Undo Open Measurements"));
    action("acEditUndo")->trigger();
    QVERIFY(sameBits(FForm->MeasureStore(), before));
    QVERIFY(hasLine(4));
    QCOMPARE(measurePanel()->itemImageIndex(1, 3) != 0, true);
    action("acEditRedo")->trigger();
    QCOMPARE(FForm->MeasureStore()[2], (TFloatRect{10, 20, 30, 20}));
    QVERIFY(!hasLine(4));
}

QTEST_MAIN(TestMeasurementsFlow)
#include "tst_measurementsflow.moc"
