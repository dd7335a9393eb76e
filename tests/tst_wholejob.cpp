// The whole job through the main window, as a user does it: open a portrait
// through File > Open, pick the eleven measurements in the Measure panel,
// drag each guide line with the mouse into place, press Ctrl+F9 and read
// the report page. Plus the runs that must not write a page.
#include "TestSupport.h"

#include "app/TMainForm.h"
#include "app/TOrvessaApplication.h"
#include "app/TfrmErrorMsg.h"
#include "input/TOpenDialog.h"
#include "lang/TLanguageSetting.h"
#include "measure/TGuideLine.h"
#include "measure/TGuideLines.h"
#include "measure/TImgView32.h"
#include "measure/TSelectionFrame.h"
#include "report/TReportPage.h"
#include "report/TReportPlace.h"
#include "report/TfrmOrvessaView.h"
#include "core/TProgramFolder.h"
#include "widgets/TAdvToolPanel.h"
#include "widgets/TAdvToolPanelTab.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cmath>
#include <iterator>
#include <memory>

using TFrameGeometry::TDragState;

namespace {

// Where a guide line is to go, in photo pixels: a horizontal line (1 to 5)
// spans `from`..`to` along x at row `across`; a vertical one (6 to 11) spans
// `from`..`to` along y at column `across`.
struct TPlacement
{
    int n;
    int across;
    int from;
    int to;
};

// The eleven measurements on the drawn portrait (see drawPortrait).
const TPlacement Face[] = {
    {1, 640, 340, 460},  // mouth width
    {2, 470, 204, 596},  // face width at the cheekbones
    {3, 540, 364, 436},  // nose width
    {4, 440, 320, 480},  // pupils
    {5, 444, 290, 350},  // one eye
    {6, 400, 440, 780},  // pupils to chin
    {7, 410, 640, 780},  // mouth to chin
    {8, 320, 396, 440},  // eyebrows to pupils
    {9, 390, 258, 440},  // hairline to pupils
    {10, 400, 446, 560}, // nose length
    {11, 430, 560, 632}, // nose base to mouth
};

// The figures of Face, worked out by hand (32-bit floats at every step):
//   L1 = 460 - 340 = 120, L2 = 596 - 204 = 392, L6 = 780 - 440 = 340,
//   L9 = 440 - 258 = 182; measurement 11 (Top 560, Bottom 632) gives
//   Y = 560 + (560 - 632) / 2 = 524, and with measurement 8's Bottom 440,
//   D = |524 - 440| = 84.
//   R1 = (340 + 182) / 392 = 1.3316326   R2 = 340 / (340 - 84) = 1.328125
//   R3 = 340 / 182 = 1.8681319          R4 = (340 - 84) / 120 = 2.1333334
//   M = (1.3316326 + 1.328125 + 1.8681319 + 2.1333334) / 4 = 1.6653057
//   d = 0.3336731, 0.3371807, -0.2028261, -0.4680277
//   V = (0.1113378 + 0.1136908 + 0.0411384 + 0.2190499) / 12 = 0.0404347
//   S = sqrt(V) = 0.2010839, W = 2.8 S = 0.5630350
//   Index = 1.6653057 / 1.6180339887 * 100 = 102.921555   -> "102.92"
//   Dispersion = 0.5630350 / 1.6180339887 * 100 = 34.797478 -> "34.79"
//     (truncated: rounding would show 34.8)
//   Error = 100 * 34.797478 / 102.921555 = 33.809709      -> "33.8"
//     (truncated: rounding would show 33.81)
const char *const FaceIndex = "102.92";
const char *const FaceDispersion = "34.79";
const char *const FaceError = "33.8";

constexpr QSize PhotoSize(800, 1000);

bool isVertical(int n)
{
    return n >= 6;
}

// Where each line ends up. A horizontal line keeps the Top it had after the
// move (row - 1.5, its picture being 3 pixels high) and gets Bottom = row + 1
// from the end drags; a vertical one keeps Left = column - 1.5 and gets
// Right = column + 1 (see TUser::place).
TFloatRect finalRect(const TPlacement &p)
{
    const float across = float(p.across);
    if (isVertical(p.n))
        return {across - 1.5f, float(p.from), across + 1.0f, float(p.to)};
    return {float(p.from), across - 1.5f, float(p.to), across + 1.0f};
}

// A frontal portrait: hair, an oval face, brows, eyes, nose and mouth at the
// places that Face measures.
void drawPortrait(const QString &path)
{
    QImage photo(PhotoSize, QImage::Format_RGB32);
    photo.fill(QColor(0xC8D8E8));
    QPainter painter(&photo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x4A3020));
    painter.drawEllipse(QPointF(400, 420), 230, 240); // hair
    painter.setBrush(QColor(0xF0C8A8));
    painter.drawEllipse(QPointF(400, 520), 196, 260); // face, chin at 780
    painter.drawRect(350, 770, 100, 230);             // neck
    painter.setBrush(QColor(0x4A3020));
    painter.drawRect(200, 240, 400, 18);              // hairline at 258
    painter.setPen(QPen(QColor(0x3A2010), 7));
    painter.drawLine(285, 396, 355, 392);             // brows at 396
    painter.drawLine(445, 392, 515, 396);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(320, 440), 30, 14);   // eyes, pupils at 440
    painter.drawEllipse(QPointF(480, 440), 30, 14);
    painter.setBrush(QColor(0x305070));
    painter.drawEllipse(QPointF(320, 440), 9, 9);
    painter.drawEllipse(QPointF(480, 440), 9, 9);
    painter.setPen(QPen(QColor(0xC09070), 4));
    painter.drawLine(400, 446, 392, 540);             // nose, base at 560
    painter.drawArc(364, 530, 72, 30, 180 * 16, 180 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xC04050));
    painter.drawEllipse(QRectF(340, 626, 120, 28));   // mouth at 640
    painter.end();
    QVERIFY(photo.save(path, "JPEG", 90));
}

// The installed program's bin folder, set by the installed-program test,
// which runs wholeJob against the installed, read-only data folder.
QString installedExecutableFolder()
{
    return qEnvironmentVariable("ORVESSA_TEST_INSTALLED_BIN");
}

// The page's relative links (pictures, style sheet) that lead to no file of
// the program folder.
QStringList brokenLinks(const QByteArray &page, const QString &programFolder)
{
    static const QRegularExpression link(QStringLiteral("(?:src|href)=\"([^\":]+)\""));
    QStringList broken;
    for (const QRegularExpressionMatch &m : link.globalMatch(QString::fromLatin1(page))) {
        if (!QFileInfo(QDir(programFolder).filePath(m.captured(1))).isFile())
            broken << m.captured(1);
    }
    return broken;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The figure as the report shows it: the decimal separator follows the
// user's regional settings.
QByteArray shown(const char *figure)
{
    return QString::fromLatin1(figure).replace(QLatin1Char('.'), QLocale::system().decimalPoint()).toUtf8();
}

int rounded(double v)
{
    return int(std::lround(v));
}

// One session of the program, driven through its window with the keyboard
// and real mouse events.
class TUser
{
public:
    TUser()
    {
        FForm = std::make_unique<TMainForm>();
        FForm->show();
        // Room for the whole photo at actual pixels beside the docked panel.
        FForm->resize(1260, 1160);
        FView = FForm->findChild<TImgView32 *>(QStringLiteral("Image"));
        FPanel = FForm->findChild<TAdvToolPanel *>(QStringLiteral("ToolPanelMeasure"));
    }

    TMainForm *form() const { return FForm.get(); }
    TImgView32 *view() const { return FView; }

    bool activate()
    {
        FForm->activateWindow();
        return QTest::qWaitForWindowActive(FForm.get());
    }

    // File > Open through its shortcut; the dialog answers path.
    void openPhoto(const QString &path)
    {
        TOpenDialog::setHook([path](const QStringList &, const QString &) { return path; });
        QVERIFY(activate());
        QTest::keyClick(FForm.get(), Qt::Key_O, Qt::ControlModifier);
        TOpenDialog::setHook({});
        QCOMPARE(FView->Photo().PixelSize(), PhotoSize);
    }

    // Opens the Measure panel by its tab and locks it, so that it stays
    // docked beside the view instead of covering it.
    void dockMeasurePanel()
    {
        auto *strip = FForm->findChild<TAdvToolPanelTab *>(QStringLiteral("AdvToolPanelTab1"));
        QVERIFY(strip && FPanel);
        const int tab = int(strip->panels().indexOf(FPanel));
        QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(tab).center());
        QTRY_VERIFY(FPanel->isVisible() && FPanel->geometry() == strip->openPanelRect());
        QTest::mouseClick(FPanel, Qt::LeftButton, {}, FPanel->pinButtonRect().center());
        QVERIFY(FPanel->isPinned());
        QTRY_VERIFY(FView->geometry().left() >= FPanel->geometry().right());
        QTRY_VERIFY(FView->ViewportRect().contains(FView->PhotoRect()));
        QCOMPARE(FView->Scale(), 1.0f);
    }

    // A click on measurement n's item.
    void pick(int n)
    {
        QTest::mouseClick(FPanel, Qt::LeftButton, {}, FPanel->itemRect(1, n - 1).center());
        QCOMPARE(FForm->GuideLines()->CurrentMeasure(), n);
    }

    TGuideLine *line(int n) const
    {
        for (int i = 0; i < FView->LayerCount(); ++i)
            if (auto *found = dynamic_cast<TGuideLine *>(FView->Layer(i)); found && found->Tag() == n)
                return found;
        return nullptr;
    }

    // Press at `from`, move in two steps and release at `to`, all in view
    // pixels of the viewport; the press must start drag state `state`.
    void drag(QPoint from, QPoint to, TDragState state)
    {
        QWidget *viewport = FView->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        QCOMPARE(FForm->GuideLines()->Frame()->DragState(), state);
        QTest::mouseMove(viewport, (from + to) / 2);
        QTest::mouseMove(viewport, to);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    }

    // Picks measurement p.n and lays its line as a user would: a rough move
    // from a point between the middle and an end, then the far end and the
    // near end stretched onto their places.
    //
    // The frame's grab zones are worked out on the line's view rectangle
    // rounded to whole pixels, right and bottom one pixel in; on a line 3
    // pixels thick both long edges are near any point of it, so its ends are
    // corners (8 and 9 on a horizontal line, 7 and 9 on a vertical one) and
    // its middle row or column, away from the middle and the ends, moves it.
    // At scale 1 a view pixel is a photo pixel, so every target is met
    // exactly.
    void place(const TPlacement &p)
    {
        pick(p.n);
        TGuideLine *guide = line(p.n);
        QVERIFY(guide);
        const bool vertical = isVertical(p.n);

        // Move: the near end goes 20 pixels short of its place, the line onto
        // its row or column (Top = row - 1.5, or Left = column - 1.5).
        const TFloatRect start = guide->Location();
        QRectF r = guide->ViewRect(*FView);
        const QPoint grip = vertical ? QPoint(middle(r.left(), r.right()), rounded(r.top()) + 30)
                                     : QPoint(rounded(r.left()) + 30, middle(r.top(), r.bottom()));
        const QPointF shift = vertical ? QPointF(p.across - 1.5 - start.Left, p.from - 20 - start.Top)
                                       : QPointF(p.from + 20 - start.Left, p.across - 1.5 - start.Top);
        drag(grip, grip + shift.toPoint(), TFrameGeometry::dsMove);
        const float length = vertical ? start.Bottom - start.Top : start.Right - start.Left;
        QCOMPARE(guide->Location().Left, vertical ? float(p.across - 1.5) : float(p.from + 20));
        QCOMPARE(guide->Location().Top, vertical ? float(p.from - 20) : float(p.across - 1.5));
        QCOMPARE(vertical ? guide->Location().Bottom - guide->Location().Top
                          : guide->Location().Right - guide->Location().Left,
                 length);

        // The far end (bottom, or right), then the near end (top, or left);
        // each release puts the pointer's cross position into the frame's
        // Right (vertical) or Bottom (horizontal): column + 1, row + 1.
        r = guide->ViewRect(*FView);
        if (vertical) {
            drag({middle(r.left(), r.right()), rounded(r.bottom()) - 1}, photoToView(p.across + 1, p.to),
                 TFrameGeometry::dsBottomRight);
            r = guide->ViewRect(*FView);
            drag({middle(r.left(), r.right()), rounded(r.top())}, photoToView(p.across + 1, p.from),
                 TFrameGeometry::dsTopRight);
        } else {
            drag({rounded(r.right()) - 1, middle(r.top(), r.bottom())}, photoToView(p.to, p.across + 1),
                 TFrameGeometry::dsBottomRight);
            r = guide->ViewRect(*FView);
            drag({rounded(r.left()), middle(r.top(), r.bottom())}, photoToView(p.from, p.across + 1),
                 TFrameGeometry::dsBottomLeft);
        }
        QCOMPARE(guide->Location(), finalRect(p));
        QCOMPARE(FForm->MeasureStore().at(p.n), finalRect(p));
    }

    // Stretches the bottom end of vertical line n down or up to photo row y.
    void stretchBottom(int n, int y)
    {
        pick(n);
        TGuideLine *guide = line(n);
        QVERIFY(guide);
        const QRectF r = guide->ViewRect(*FView);
        const int right = rounded(guide->Location().Right);
        drag({middle(r.left(), r.right()), rounded(r.bottom()) - 1}, photoToView(right, y),
             TFrameGeometry::dsBottomRight);
        QCOMPARE(guide->Location().Bottom, float(y));
    }

    // Lays the lines of the first `count` measurements of Face.
    void placeFirst(int count)
    {
        for (int i = 0; i < count && !QTest::currentTestFailed(); ++i)
            place(Face[i]);
    }

    void placeAll() { placeFirst(int(std::size(Face))); }

    // Get Beauty Index through its shortcut.
    void getBeautyIndex()
    {
        QVERIFY(activate());
        QTest::keyClick(FForm.get(), Qt::Key_F9, Qt::ControlModifier);
    }

    // Where the program writes its page: the program folder, or the cache
    // folder when the program folder is read-only.
    QString pagePath() const { return TReportPage::PathIn(TReportPlace(FForm->ProgramFolder()).Folder()); }

private:
    // The middle pixel of an edge pair as the frame takes it.
    static int middle(double from, double to) { return (rounded(from) + rounded(to) - 1) / 2; }

    QPoint photoToView(int x, int y) const { return FView->MapToView(QPoint(x, y)); }

    std::unique_ptr<TMainForm> FForm;
    TImgView32 *FView = nullptr;
    TAdvToolPanel *FPanel = nullptr;
};

} // namespace

class TestWholeJob : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void wholeJob();
    void refusedRunKeepsThePage_data();
    void refusedRunKeepsThePage();
    void incompleteWritesNoPage();
    void pageWriteFailure();
    void reportShowsTheFaceAndTheRatios();
    void failedPageLeavesNoNewPicture();
    void savedSessionReopensToTheSameFigures();

private:
    void startSession();

    QTemporaryDir FPhotos;
    QString FPhoto;
    std::unique_ptr<TestSupport::TProgramFolderCopy> FFolder;
    std::unique_ptr<TestSupport::TMessageRecorder> FMessages;
    std::unique_ptr<TUser> FUser;
};

void TestWholeJob::initTestCase()
{
    TestSupport::isolateSettings();
    FPhoto = FPhotos.filePath(QStringLiteral("portrait.jpg"));
    drawPortrait(FPhoto);
}

void TestWholeJob::init()
{
    QString folder;
    if (installedExecutableFolder().isEmpty()) {
        FFolder = std::make_unique<TestSupport::TProgramFolderCopy>();
        QVERIFY(FFolder->isValid());
        folder = FFolder->path();
    } else {
        folder = TProgramFolder::ForExecutableIn(installedExecutableFolder());
        TProgramFolder::setOverride(folder);
    }
    // The interface in English, with its report template.
    QVERIFY(TLanguageSetting::WriteLanguageSetting(TLanguageSetting::KeyPath, folder + QStringLiteral("lng/english.lng")));
    FMessages = std::make_unique<TestSupport::TMessageRecorder>();
    startSession();
}

void TestWholeJob::startSession()
{
    FUser.reset();
    FUser = std::make_unique<TUser>();
    QVERIFY(QTest::qWaitForWindowExposed(FUser->form()));
    FUser->openPhoto(FPhoto);
    FUser->dockMeasurePanel();
}

void TestWholeJob::cleanup()
{
    FUser.reset();
    FMessages.reset();
    FFolder.reset();
    TProgramFolder::setOverride(QString());
}

void TestWholeJob::wholeJob()
{
    FUser->placeAll();
    if (QTest::currentTestFailed())
        return;
    FUser->getBeautyIndex();

    const QByteArray page = readFile(FUser->pagePath());
    QVERIFY2(page.contains(">" + shown(FaceIndex) + "<"), page.constData());
    QVERIFY(page.contains(">" + shown(FaceDispersion) + "<"));
    QVERIFY(page.contains(">" + shown(FaceError) + "<"));
    QVERIFY(!page.contains("<#"));
    const QString programFolder = FUser->form()->ProgramFolder();
    QCOMPARE(brokenLinks(page, programFolder), QStringList());
    if (!installedExecutableFolder().isEmpty()) {
        // Read-only: the page lies in the cache folder, its links lead back.
        QCOMPARE(QFileInfo(FUser->pagePath()).absolutePath(),
                 QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
        QVERIFY(page.contains("<base href=\"" + QUrl::fromLocalFile(programFolder).toEncoded() + "\">"));
    }

    // Every store entry holds its own line's rectangle.
    for (const TPlacement &p : Face) {
        QVERIFY(FUser->line(p.n));
        QCOMPARE(FUser->form()->MeasureStore().at(p.n), FUser->line(p.n)->Location());
        QCOMPARE(FUser->form()->MeasureStore().at(p.n), finalRect(p));
    }
    // Only the line of the last pick is on screen.
    for (const TPlacement &p : Face)
        QCOMPARE(FUser->line(p.n)->Visible(), p.n == 11);

    TfrmOrvessaView *report = FUser->form()->findChild<TfrmOrvessaView *>(QStringLiteral("frmOrvessaView"));
    QVERIFY(report->isVisible());
    QVERIFY(report->Browser());
    QCOMPARE(report->Browser()->objectName(), QStringLiteral("Browser"));
    QVERIFY(!FUser->form()->findChild<TfrmErrorMsg *>(QStringLiteral("frmErrorMsg"))->isVisible());
    QVERIFY(FMessages->messages().isEmpty());
}

void TestWholeJob::refusedRunKeepsThePage_data()
{
    QTest::addColumn<bool>("newSession");
    QTest::addColumn<QString>("messageKey");
    // The next start of the program, with only some measurements placed.
    QTest::newRow("incomplete") << true << "errorMeausuresNotComplete";
    // Pupils to chin shortened to 524 - 440 = 84, which equals D = 84:
    // R2 = L6 / (L6 - D) would divide by zero.
    QTest::newRow("degenerate") << false << "errorMeasuresDegenerate";
}

void TestWholeJob::refusedRunKeepsThePage()
{
    QFETCH(bool, newSession);
    QFETCH(QString, messageKey);
    FUser->placeAll();
    if (QTest::currentTestFailed())
        return;
    FUser->getBeautyIndex();
    const QByteArray page = readFile(FUser->pagePath());
    QVERIFY(page.contains(">" + shown(FaceIndex) + "<"));

    if (newSession) {
        startSession();
        for (int n = 1; n <= 10; ++n)
            FUser->pick(n);
    } else {
        FUser->stretchBottom(6, 524);
    }
    if (QTest::currentTestFailed())
        return;
    FUser->getBeautyIndex();

    TfrmErrorMsg *error = FUser->form()->findChild<TfrmErrorMsg *>(QStringLiteral("frmErrorMsg"));
    QTRY_VERIFY(error->isVisible());
    const QString text = FUser->form()->LangText(messageKey);
    QVERIFY(!text.isEmpty() && text != QStringLiteral("<UNTRANSLATED>"));
    QCOMPARE(error->message(), text);
    QCOMPARE(readFile(FUser->pagePath()), page);
    // A refused run leaves the report window as it was.
    QCOMPARE(FUser->form()->findChild<TfrmOrvessaView *>(QStringLiteral("frmOrvessaView"))->isVisible(), !newSession);
    QVERIFY(FMessages->messages().isEmpty());
}

void TestWholeJob::incompleteWritesNoPage()
{
    // Three lines placed; measurements 4 to 11 never started.
    FUser->placeFirst(3);
    if (QTest::currentTestFailed())
        return;
    FUser->getBeautyIndex();

    TfrmErrorMsg *error = FUser->form()->findChild<TfrmErrorMsg *>(QStringLiteral("frmErrorMsg"));
    QTRY_VERIFY(error->isVisible());
    QCOMPARE(error->message(), FUser->form()->LangText(QStringLiteral("errorMeausuresNotComplete")));
    QVERIFY(!QFile::exists(FUser->pagePath()));
    QVERIFY(!FUser->form()->findChild<TfrmOrvessaView *>(QStringLiteral("frmOrvessaView"))->isVisible());
    QVERIFY(!FUser->form()->findChild<TfrmOrvessaView *>(QStringLiteral("frmOrvessaView"))->Browser());
    QVERIFY(FMessages->messages().isEmpty());
}

void TestWholeJob::pageWriteFailure()
{
    // A folder where the page file should go: it cannot be created.
    const QString page = FUser->pagePath();
    QVERIFY(QDir().mkpath(page));
    FUser->placeAll();
    if (QTest::currentTestFailed())
        return;
    FUser->getBeautyIndex();

    QCOMPARE(FMessages->messages().size(), 1);
    const TestSupport::TMessage &box = FMessages->messages().first();
    QCOMPARE(box.title, QStringLiteral("Orvessa"));
    const QString prefix = QStringLiteral("Cannot create file \"%1\". ").arg(page);
    QVERIFY2(box.text.startsWith(prefix), qPrintable(box.text));
    QVERIFY2(box.text.size() > prefix.size() + 1 && box.text.endsWith(QLatin1Char('.')), qPrintable(box.text));
    QVERIFY(!FUser->form()->findChild<TfrmOrvessaView *>(QStringLiteral("frmOrvessaView"))->isVisible());
    QVERIFY(!FUser->form()->findChild<TfrmErrorMsg *>(QStringLiteral("frmErrorMsg"))->isVisible());
    QVERIFY(QFileInfo(page).isDir());
}

// The report pictures beside the page.
QStringList reportPictures(const QString &pagePath)
{
    return QFileInfo(pagePath).dir().entryList({QStringLiteral("~orvessa-*.png")}, QDir::Files | QDir::Hidden);
}

void TestWholeJob::reportShowsTheFaceAndTheRatios()
{
    FUser->placeAll();
    if (QTest::currentTestFailed())
        return;
    FUser->getBeautyIndex();
    const QByteArray page = readFile(FUser->pagePath());
    static const QRegularExpression image(QStringLiteral("<img src=\"(file:[^\"]+)\" width=\"(\\d+)\""));
    const QRegularExpressionMatch m = image.match(QString::fromUtf8(page));
    QVERIFY2(m.hasMatch(), page.constData());
    const QString picturePath = QUrl(m.captured(1)).toLocalFile();
    QCOMPARE(QFileInfo(picturePath).absolutePath(), QFileInfo(FUser->pagePath()).absolutePath());
    const QImage picture(picturePath);
    QVERIFY(!picture.isNull());
    QCOMPARE(QString::number(picture.width()), m.captured(2));
    QVERIFY(picture.width() <= 480);

    TFaceProportions proportions;
    QCOMPARE(GetBeautyResult(FUser->form()->MeasureStore(), proportions).Status, TBeautyStatus::Complete);
    const TBeautySteps steps = GetBeautySteps(proportions);
    for (const float ratio : steps.Ratio) {
        QVERIFY(page.contains(">" + GetTextBeautyResult(ratio)->toUtf8() + "<"));
        QVERIFY(page.contains(">" + GetTextBeautyResult(std::fabs(ratio - GoldenRatio))->toUtf8() + "<"));
    }

    // A new result: a new picture, and the previous one is gone.
    FUser->stretchBottom(6, 530);
    FUser->getBeautyIndex();
    const QStringList pictures = reportPictures(FUser->pagePath());
    QCOMPARE(pictures.size(), 1);
    QVERIFY(pictures.first() != QFileInfo(picturePath).fileName());
    QVERIFY(readFile(FUser->pagePath()).contains(QUrl::fromLocalFile(QFileInfo(FUser->pagePath()).dir().filePath(pictures.first())).toEncoded()));
}

void TestWholeJob::failedPageLeavesNoNewPicture()
{
    FUser->placeAll();
    if (QTest::currentTestFailed())
        return;
    FUser->getBeautyIndex();
    const QStringList before = reportPictures(FUser->pagePath());
    QCOMPARE(before.size(), 1);
    // A folder where the page goes: the new page cannot be put in place.
    const QString pagePath = FUser->pagePath();
    QVERIFY(QFile::remove(pagePath));
    QVERIFY(QDir().mkpath(pagePath));
    FUser->stretchBottom(6, 530);
    FUser->getBeautyIndex();
    QCOMPARE(FMessages->messages().size(), 1);
    QCOMPARE(reportPictures(pagePath), before);
    QVERIFY(QDir().rmdir(pagePath));
}

void TestWholeJob::savedSessionReopensToTheSameFigures()
{
    FUser->placeAll();
    if (QTest::currentTestFailed())
        return;
    const QString file = FPhotos.filePath(QStringLiteral("portrait.orvessa.json"));
    TOpenDialog::setHook([file](const QStringList &, const QString &) { return file; });
    FUser->form()->findChild<QAction *>(QStringLiteral("acSaveMeasurements"))->trigger();
    TOpenDialog::setHook({});
    QVERIFY(QFile::exists(file));

    startSession(); // the next start of the program
    TOpenDialog::setHook([file](const QStringList &, const QString &) { return file; });
    FUser->form()->findChild<QAction *>(QStringLiteral("acOpenMeasurements"))->trigger();
    TOpenDialog::setHook({});
    FUser->getBeautyIndex();
    const QByteArray page = readFile(FUser->pagePath());
    QVERIFY2(page.contains(">" + shown(FaceIndex) + "<"), page.constData());
    QVERIFY(page.contains(">" + shown(FaceDispersion) + "<"));
    QVERIFY(page.contains(">" + shown(FaceError) + "<"));
    QVERIFY(FMessages->messages().isEmpty());
    QVERIFY(QFile::remove(file));
}

int main(int argc, char *argv[])
{
    TOrvessaApplication app(argc, argv);
    TestWholeJob test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_wholejob.moc"
