// Place Lines Automatically in the real main window: the worker thread, the
// status text and busy cursor while it runs, and what the answer does to the
// lines, the store and the Measure panel.
#include "TSyntheticFace.h"
#include "TestSupport.h"
#include "app/TMainForm.h"
#include "app/TfrmErrorMsg.h"
#include "core/TMeasurementsFile.h"
#include "input/TOpenDialog.h"
#include "lang/TLanguageSetting.h"
#include "measure/TFaceFinder.h"
#include "measure/TGuideLines.h"
#include "measure/TImgView32.h"
#include "measure/TLandmarkDetector.h"
#include "widgets/TAdvToolPanel.h"
#include "widgets/TMessageBox.h"

#include <QAction>
#include <QApplication>
#include <QPainter>
#include <QScopeGuard>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QStatusBar>
#include <QtTest>
#include <memory>

namespace {

QString dataFile(const QString &name)
{
    return QStringLiteral(ORVESSA_TEST_DATA "/") + name;
}

// Answers with its face (or none) once the test opens the gate.
class TGateDetector : public TLandmarkDetector
{
public:
    std::optional<TFaceLandmarks> Face;
    QSemaphore Gate;

    std::optional<TFaceLandmarks> Detect(const QImage &, const QString &) override
    {
        Gate.acquire();
        return Face;
    }
};

// Points along a diagonal: every line gets a length, which is all the
// window's flows need.
TFaceLandmarks diagonalFace()
{
    TFaceLandmarks face;
    for (int n = 1; n <= TFaceLandmarks::Count; ++n)
        face.SetPoint(n, {100.0 + n, 60.0 + 2 * n});
    return face;
}

// A photo for the synthetic face: skin, with a band of shadow beside each
// nose wing and dark hair down to y 70 where asked; without them the
// placement falls back to its rules of thumb for lines 3 and 9.
QImage drawnFace(bool wings, bool hair)
{
    QImage photo(400, 400, QImage::Format_RGB32);
    photo.fill(QColor(224, 184, 160));
    QPainter painter(&photo);
    if (wings) {
        painter.fillRect(176, 200, 5, 40, QColor(130, 95, 85));
        painter.fillRect(219, 200, 5, 40, QColor(130, 95, 85));
    }
    if (hair)
        painter.fillRect(0, 0, 400, 70, QColor(30, 25, 25));
    return photo;
}

} // namespace

class TstAutoPlace : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void placesEveryLineOnThePortrait();
    void busyWhileItRuns();
    void noFaceChangesNothing();
    void answerForAReplacedPhotoIsDropped();
    void handPlacedLinesAskFirst_data();
    void handPlacedLinesAskFirst();
    void modelMissing();
    void oneUndoStepAndAllLinesShown();
    void savedLinesSayHowTheyWerePlaced();
    void checkMarksFollowUndoAndLanguage_data();
    void checkMarksFollowUndoAndLanguage();
    void openedMeasurementsClearTheMarksInTheirStep();

private:
    QAction *placeAction() const { return FForm->findChild<QAction *>(QStringLiteral("acPlaceLinesAuto")); }
    TAdvToolPanel *measurePanel() const { return FForm->findChild<TAdvToolPanel *>(QStringLiteral("ToolPanelMeasure")); }
    TfrmErrorMsg *errorBox() const { return FForm->findChild<TfrmErrorMsg *>(QStringLiteral("frmErrorMsg")); }
    void useGate(std::optional<TFaceLandmarks> face);
    QStringList shownCaptions() const;
    QStringList captions(const QList<int> &marked, const QString &mark) const;

    std::unique_ptr<TestSupport::TProgramFolderCopy> FFolder;
    std::unique_ptr<TestSupport::TMessageRecorder> FMessages;
    std::unique_ptr<TMainForm> FForm;
    std::unique_ptr<TGateDetector> FGate;
    int questions() const
    {
        return int(std::count_if(FMessages->messages().cbegin(), FMessages->messages().cend(), [](const auto &m) {
            return m.kind == int(TMessageBox::Kind::Question);
        }));
    }
};

void TstAutoPlace::init()
{
    TestSupport::isolateSettings();
    FFolder = std::make_unique<TestSupport::TProgramFolderCopy>();
    QVERIFY(TLanguageSetting::WriteLanguageSetting(TLanguageSetting::KeyPath, FFolder->path() + "lng/english.lng"));
    FMessages = std::make_unique<TestSupport::TMessageRecorder>();
    FForm = std::make_unique<TMainForm>();
    FForm->show();
    QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
    FForm->acFileOpenAccept(dataFile(QStringLiteral("astronaut.jpg")));
    QVERIFY(!FForm->findChild<TImgView32 *>(QStringLiteral("Image"))->IsPhotoEmpty());
}

void TstAutoPlace::cleanup()
{
    if (FGate)
        FGate->Gate.release(10);
    FForm.reset();
    TFaceFinder::SetDetector(nullptr);
    FGate.reset();
    TMessageBox::setQuestionAnswer(false);
    FMessages.reset();
    FFolder.reset();
}

void TstAutoPlace::useGate(std::optional<TFaceLandmarks> face)
{
    FGate = std::make_unique<TGateDetector>();
    FGate->Face = std::move(face);
    TFaceFinder::SetDetector(FGate.get());
}

void TstAutoPlace::placesEveryLineOnThePortrait()
{
    if (!TFaceFinder::ModelInstalled())
        QSKIP("The landmarks' model is not installed");
    QTest::keyClick(FForm.get(), Qt::Key_M, Qt::ControlModifier);
    QTRY_VERIFY_WITH_TIMEOUT(placeAction()->isEnabled(), 20000);
    QVERIFY(!errorBox()->isVisible());
    const TMeasureStore &store = FForm->MeasureStore();
    TImgView32 *view = FForm->findChild<TImgView32 *>(QStringLiteral("Image"));
    for (int i = 0; i < view->LayerCount(); ++i) {
        const int n = view->Layer(i)->Tag();
        if (n < 1 || n > MeasureCount)
            continue;
        // Each line lies in its own store entry, inside the photo.
        const TFloatRect r = store.value(n);
        QVERIFY(r.Left < r.Right && r.Top < r.Bottom);
        QVERIFY(r.Left > 0 && r.Right < 384 && r.Top > 0 && r.Bottom < 384);
    }
    QVERIFY(FForm->findChild<QAction *>(QStringLiteral("acShowAllLines"))->isChecked());
    for (int item = 0; item < MeasureCount; ++item)
        QCOMPARE(measurePanel()->itemImageIndex(1, item), 3);
    // The bangs hide the hairline: line 9 asks to be checked.
    QVERIFY(measurePanel()->itemText(1, 8).endsWith(QStringLiteral(" (check)")));
    QVERIFY(!measurePanel()->itemText(1, 0).endsWith(QStringLiteral(" (check)")));
    QCOMPARE(FForm->GetBeautyResult().Status, TBeautyStatus::Complete);
}

void TstAutoPlace::busyWhileItRuns()
{
    useGate(diagonalFace());
    placeAction()->trigger();
    QVERIFY(!placeAction()->isEnabled());
    QCOMPARE(FForm->statusBar()->currentMessage(), QStringLiteral("Looking for the face..."));
    // No busy cursor for a short wait; after 0.3 s there is one.
    QVERIFY(!QApplication::overrideCursor());
    QTRY_VERIFY(QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::BusyCursor);
    FGate->Gate.release();
    QTRY_VERIFY(placeAction()->isEnabled());
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(FForm->MeasureStore().value(1) != TFloatRect{});
    // The diagonal face's eyes' line rises 63.4 degrees: straighten it.
    QCOMPARE(FForm->statusBar()->currentMessage(),
             QStringLiteral("The head is tilted by 63.4°. Straighten the photo for a more exact result."));
}

void TstAutoPlace::noFaceChangesNothing()
{
    useGate(std::nullopt);
    FGate->Gate.release();
    placeAction()->trigger();
    QTRY_VERIFY(errorBox()->isVisible());
    QCOMPARE(errorBox()->message(), QStringLiteral("No face was found on the photo. The guide lines are unchanged."));
    for (int n = 1; n <= MeasureCount; ++n)
        QCOMPARE(FForm->MeasureStore().value(n), TFloatRect{});
    QCOMPARE(measurePanel()->itemImageIndex(1, 0), 0);
}

void TstAutoPlace::answerForAReplacedPhotoIsDropped()
{
    useGate(diagonalFace());
    placeAction()->trigger();
    FForm->acFileOpenAccept(dataFile(QStringLiteral("astronaut.jpg")));
    FGate->Gate.release();
    QTRY_VERIFY(placeAction()->isEnabled());
    QTest::qWait(50); // nothing may follow the dropped answer
    QCOMPARE(FForm->MeasureStore().value(4), TFloatRect{});
    QVERIFY(!errorBox()->isVisible());
}

void TstAutoPlace::handPlacedLinesAskFirst_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("replace") << true;
    QTest::newRow("keep") << false;
}

void TstAutoPlace::handPlacedLinesAskFirst()
{
    QFETCH(bool, answer);
    TMessageBox::setQuestionAnswer(answer);
    useGate(diagonalFace());
    FGate->Gate.release(2);
    // A first automatic placement asks nothing.
    placeAction()->trigger();
    QTRY_VERIFY(placeAction()->isEnabled());
    QCOMPARE(questions(), 0);
    // The user moves line 2 by hand.
    FForm->GuideLines()->PlaceLine(2, {10, 10, 50, 13});
    placeAction()->trigger();
    QTRY_VERIFY(placeAction()->isEnabled());
    QCOMPARE(questions(), 1);
    QCOMPARE(FForm->MeasureStore().value(2) == TFloatRect({10, 10, 50, 13}), !answer);
}

void TstAutoPlace::modelMissing()
{
    qputenv("ORVESSA_LANDMARK_MODEL", "/nonexistent/model.dat");
    placeAction()->trigger();
    qunsetenv("ORVESSA_LANDMARK_MODEL");
    QVERIFY(errorBox()->isVisible());
    QVERIFY(errorBox()->message().startsWith(QStringLiteral("The face landmark model is not installed")));
    QVERIFY(placeAction()->isEnabled());
}

void TstAutoPlace::oneUndoStepAndAllLinesShown()
{
    useGate(diagonalFace());
    FGate->Gate.release();
    QAction *showAll = FForm->findChild<QAction *>(QStringLiteral("acShowAllLines"));
    QVERIFY(!showAll->isChecked());
    placeAction()->trigger();
    QTRY_VERIFY(placeAction()->isEnabled());
    QVERIFY(showAll->isChecked());
    const TMeasureStore placed = FForm->MeasureStore();
    QAction *undo = FForm->findChild<QAction *>(QStringLiteral("acEditUndo"));
    QCOMPARE(undo->text(), QStringLiteral("Undo Automatic Placement"));
    undo->trigger();
    for (int n = 1; n <= MeasureCount; ++n)
        QCOMPARE(FForm->MeasureStore().value(n), TFloatRect{});
    QCOMPARE(measurePanel()->itemImageIndex(1, 0), 0);
    QVERIFY(!undo->isEnabled());
    FForm->findChild<QAction *>(QStringLiteral("acEditRedo"))->trigger();
    QCOMPARE(FForm->MeasureStore(), placed);
    QCOMPARE(measurePanel()->itemImageIndex(1, 10), 3);
}

// Saved after the placement and one line moved by hand: that line is
// "manual", the others "auto".
void TstAutoPlace::savedLinesSayHowTheyWerePlaced()
{
    useGate(diagonalFace());
    FGate->Gate.release();
    placeAction()->trigger();
    QTRY_VERIFY(placeAction()->isEnabled());
    FForm->GuideLines()->PlaceLine(5, {10, 10, 50, 13});
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("portrait.orvessa.json"));
    TOpenDialog::setHook([&file](const QStringList &, const QString &) { return file; });
    const auto unhook = qScopeGuard([] { TOpenDialog::setHook({}); });
    FForm->findChild<QAction *>(QStringLiteral("acSaveMeasurements"))->trigger();
    TMeasurementsFault fault;
    const std::optional<TMeasurements> saved = TMeasurementsFile::Read(file, fault);
    QVERIFY(saved);
    QCOMPARE(saved->Entries.size(), MeasureCount);
    for (const TMeasurementEntry &entry : saved->Entries)
        QCOMPARE(entry.Auto, entry.Number != 5);
}

// The Measure items' texts as the panel shows them.
QStringList TstAutoPlace::shownCaptions() const
{
    QStringList shown;
    for (int item = 0; item < MeasureCount; ++item)
        shown << measurePanel()->itemText(1, item);
    return shown;
}

// The items' captions in the language in force, the measurements `marked`
// followed by " (mark)".
QStringList TstAutoPlace::captions(const QList<int> &marked, const QString &mark) const
{
    QStringList expected;
    for (int n = 1; n <= MeasureCount; ++n) {
        const QString caption = FForm->LangText(QStringLiteral("ToolPanelMeasure.Section1.Item%1").arg(n - 1));
        expected << (marked.contains(n) ? caption + QStringLiteral(" (%1)").arg(mark) : caption);
    }
    return expected;
}

void TstAutoPlace::checkMarksFollowUndoAndLanguage_data()
{
    QTest::addColumn<bool>("wings");
    QTest::addColumn<bool>("hair");
    QTest::addColumn<QList<int>>("marked");
    QTest::newRow("neither shown: 3 and 9") << false << false << QList<int>{3, 9};
    QTest::newRow("no hairline: 9") << true << false << QList<int>{9};
    QTest::newRow("no nose wings: 3") << false << true << QList<int>{3};
    QTest::newRow("both shown: none") << true << true << QList<int>{};
}

// The "(check)" marks are part of the placement's undo step, survive a
// change of language in the new language's word, and go with a new photo.
void TstAutoPlace::checkMarksFollowUndoAndLanguage()
{
    QFETCH(bool, wings);
    QFETCH(bool, hair);
    QFETCH(QList<int>, marked);
    QTemporaryDir folder;
    const QString photo = folder.filePath(QStringLiteral("face.bmp"));
    QVERIFY(drawnFace(wings, hair).save(photo));
    FForm->acFileOpenAccept(photo);
    useGate(TestSupport::syntheticFace());
    FGate->Gate.release();
    placeAction()->trigger();
    QTRY_VERIFY(placeAction()->isEnabled());
    const QString check = QStringLiteral("check");
    QCOMPARE(shownCaptions(), captions(marked, check));

    FForm->findChild<QAction *>(QStringLiteral("acEditUndo"))->trigger();
    QCOMPARE(shownCaptions(), captions({}, check));
    FForm->findChild<QAction *>(QStringLiteral("acEditRedo"))->trigger();
    QCOMPARE(shownCaptions(), captions(marked, check));

    QVERIFY(TLanguageSetting::WriteLanguageSetting(TLanguageSetting::KeyPath, FFolder->path() + "lng/russian.lng"));
    FForm->FormShow();
    QCOMPARE(FForm->LangText(QStringLiteral("ToolPanelMeasure.Section1.Item2")), QStringLiteral("Ширина носа"));
    QCOMPARE(shownCaptions(), captions(marked, QStringLiteral("сверьте")));

    FForm->acFileOpenAccept(dataFile(QStringLiteral("astronaut.jpg")));
    QCOMPARE(shownCaptions(), captions({}, QStringLiteral("сверьте")));
}

// The file's lines are not the placement's: opening it takes the marks away,
// and its Undo brings them back with the placed lines.
void TstAutoPlace::openedMeasurementsClearTheMarksInTheirStep()
{
    QTemporaryDir folder;
    const QString photo = folder.filePath(QStringLiteral("face.bmp"));
    QVERIFY(drawnFace(false, false).save(photo));
    FForm->acFileOpenAccept(photo);
    const QString file = folder.filePath(QStringLiteral("face.orvessa.json"));
    FForm->GuideLines()->PlaceLine(5, {10, 10, 50, 13});
    FForm->SaveMeasurements(file);
    useGate(TestSupport::syntheticFace());
    FGate->Gate.release();
    TMessageBox::setQuestionAnswer(true); // the hand-placed line 5 may go
    placeAction()->trigger();
    QTRY_VERIFY(placeAction()->isEnabled());
    const QString check = QStringLiteral("check");
    QCOMPARE(shownCaptions(), captions({3, 9}, check));

    FForm->OpenMeasurements(file);
    QVERIFY(!errorBox()->isVisible());
    QCOMPARE(FForm->MeasureStore().value(5), TFloatRect({10, 10, 50, 13}));
    QCOMPARE(shownCaptions(), captions({}, check));
    FForm->findChild<QAction *>(QStringLiteral("acEditUndo"))->trigger();
    QCOMPARE(shownCaptions(), captions({3, 9}, check));
}

QTEST_MAIN(TstAutoPlace)
#include "tst_autoplace.moc"
