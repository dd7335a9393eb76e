#include "core/EOrvessaError.h"
#include "app/TAboutBox.h"
#include "app/THomePage.h"
#include "OrvessaBuild.h"
#include "input/TfrmImportDlg.h"

#include "TestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {
const QString Home = QString::fromLatin1(THomePage::HomePage);
const QString Version = QString::fromUtf8(OrvessaBuild::Version);
}

class TestHomePage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void address_data();
    void address();
    void originTagFromMainWindowFocus();
    void originTagFromActiveSecondaryWindow();
    void originTagEmptyWhenNoWindowQualifies();
    void openHandsAddressToShell();
    void openFailureIsReported();

    void aboutBoxLayout();
    void aboutBoxTextsFit();
    void aboutBoxHomePageClick();

private:
    QList<QWidget *> secondaryWindows() const;

    std::unique_ptr<QMainWindow> FMain;
    QLineEdit *FImage = nullptr; // a focusable control of the main window named "Image"
    TfrmImportDlg *FImportDlg = nullptr;
    TAboutBox *FAboutBox = nullptr;
};

void TestHomePage::init()
{
    FMain = std::make_unique<QMainWindow>();
    FMain->setObjectName(QStringLiteral("MainForm"));
    auto *client = new QWidget(FMain.get());
    FImage = new QLineEdit(client);
    FImage->setObjectName(QStringLiteral("Image"));
    FMain->setCentralWidget(client);
    FImportDlg = new TfrmImportDlg(FMain.get());
    FAboutBox = new TAboutBox(FMain.get());
}

void TestHomePage::cleanup()
{
    FMain.reset();
}

QList<QWidget *> TestHomePage::secondaryWindows() const
{
    // The report viewer and the error dialog are not needed here: plain
    // windows of those names stand in for them.
    static QWidget viewer, error;
    viewer.setObjectName(QStringLiteral("frmOrvessaView"));
    error.setObjectName(QStringLiteral("frmErrorMsg"));
    return {&viewer, &error, FImportDlg, FAboutBox};
}

void TestHomePage::address_data()
{
    QTest::addColumn<QString>("countryPiece");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no country, main window control") << "" << ".Image" << Home + "?orvessa1.0.5_.Image";
    QTest::newRow("ru, about box") << "ru\\" << "AboutBox" << Home + "ru\\?orvessa1.0.5_AboutBox";
    QTest::newRow("no window") << "" << QString() << Home + "?orvessa1.0.5";
    QTest::newRow("ru, no window") << "ru\\" << QString() << Home + "ru\\?orvessa1.0.5";
    QTest::newRow("window with control") << "en\\" << "frmImportDlg.EdFileName"
                                         << Home + "en\\?orvessa1.0.5_frmImportDlg.EdFileName";
}

void TestHomePage::address()
{
    QFETCH(QString, countryPiece);
    QFETCH(QString, tag);
    QFETCH(QString, expected);
    QCOMPARE(THomePage::Address(Home, countryPiece, QStringLiteral("1.0.5"), tag), expected);
}

void TestHomePage::originTagFromMainWindowFocus()
{
    FMain->show();
    QVERIFY(QTest::qWaitForWindowActive(FMain.get()));
    FImage->setFocus();
    QCOMPARE(THomePage::OriginTag(FMain.get(), secondaryWindows()), QStringLiteral(".Image"));

    // The control that last had the focus counts while another window is
    // active, too.
    FImportDlg->show();
    FImportDlg->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FImportDlg));
    QCOMPARE(FMain->focusWidget(), FImage);
    QCOMPARE(THomePage::OriginTag(FMain.get(), secondaryWindows()), QStringLiteral(".Image"));
}

void TestHomePage::originTagFromActiveSecondaryWindow()
{
    // The about box has nothing that takes the focus: the tag is its name.
    FAboutBox->open();
    QVERIFY(QTest::qWaitForWindowActive(FAboutBox));
    QCOMPARE(THomePage::OriginTag(FMain.get(), secondaryWindows()), QStringLiteral("AboutBox"));
    FAboutBox->close();

    // The wizard with its path box focused: name, dot, control.
    FImportDlg->show();
    FImportDlg->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FImportDlg));
    FImportDlg->EdFileName->setFocus();
    QCOMPARE(THomePage::OriginTag(FMain.get(), secondaryWindows()), QStringLiteral("frmImportDlg.EdFileName"));
    QCOMPARE(THomePage::Address(Home, QString(), QStringLiteral("1.0.5"),
                                THomePage::OriginTag(FMain.get(), secondaryWindows())),
             Home + "?orvessa1.0.5_frmImportDlg.EdFileName");
}

void TestHomePage::originTagEmptyWhenNoWindowQualifies()
{
    // The main window is active but nothing in it has had the focus.
    FImage->setFocusPolicy(Qt::NoFocus);
    FMain->show();
    QVERIFY(QTest::qWaitForWindowActive(FMain.get()));
    QCOMPARE(THomePage::OriginTag(FMain.get(), secondaryWindows()), QString());
    // A window that holds the focus itself has no focused control.
    FMain->setFocusPolicy(Qt::StrongFocus);
    FMain->setFocus();
    QCOMPARE(FMain->focusWidget(), FMain.get());
    QCOMPARE(THomePage::OriginTag(FMain.get(), secondaryWindows()), QString());
    QCOMPARE(THomePage::Address(Home, QString(), QStringLiteral("1.0.5"),
                                THomePage::OriginTag(FMain.get(), secondaryWindows())),
             Home + "?orvessa1.0.5");
}

void TestHomePage::openHandsAddressToShell()
{
    TestSupport::TShellRecorder shell(true);
    const QString address = Home + "ru\\?orvessa" + Version + "_AboutBox";
    THomePage::Open(address);
    QCOMPARE(shell.addresses(), QStringList{address});
}

void TestHomePage::openFailureIsReported()
{
    TestSupport::TShellRecorder shell(false);
    const QString address = Home + "?orvessa" + Version;
    try {
        THomePage::Open(address);
        QFAIL("no error for a failed launch");
    } catch (const EOrvessaError &failure) {
        QVERIFY2(failure.message().contains(QLatin1Char('"') + address + QLatin1Char('"')), qPrintable(failure.message()));
    }
    QCOMPARE(shell.addresses().size(), 1);
}

void TestHomePage::aboutBoxLayout()
{
    QCOMPARE(FAboutBox->objectName(), QStringLiteral("AboutBox"));
    QVERIFY(FAboutBox->isModal());
    QCOMPARE(FAboutBox->size(), QSize(263, 268));
    QCOMPARE(FAboutBox->minimumSize(), FAboutBox->maximumSize());
    QCOMPARE(FAboutBox->LabVerValue->text(), Version);
    QCOMPARE(FAboutBox->LabVer->text(), QStringLiteral("Version:"));
    QCOMPARE(FAboutBox->LabProgramName->text(), QStringLiteral("Orvessa"));
    QCOMPARE(FAboutBox->ImgBackground->geometry(), FAboutBox->rect());
    QCOMPARE(FAboutBox->ImgIco->geometry(), QRect(16, 8, 48, 48));
    QCOMPARE(FAboutBox->LabLawInfo->geometry(), QRect(8, 96, 246, 39));
    QCOMPARE(FAboutBox->LabLawProtected->geometry(), QRect(8, 176, 193, 26));
    QCOMPARE(FAboutBox->LabHomePage->pos(), QPoint(16, 216));
    QCOMPARE(FAboutBox->LabCopyright->pos(), QPoint(16, 243));
    // The gradient runs from lavender blue down to pink.
    FAboutBox->show();
    QVERIFY(QTest::qWaitForWindowExposed(FAboutBox));
    const QImage background = FAboutBox->ImgBackground->pixmap().toImage();
    const QColor top = background.pixelColor(100, 0), bottom = background.pixelColor(100, background.height() - 1);
    QVERIFY(top.blue() > top.red() && bottom.red() > bottom.blue());
}

void TestHomePage::aboutBoxTextsFit()
{
    // Texts are measured when the box is shown.
    FAboutBox->show();
    QVERIFY(QTest::qWaitForWindowExposed(FAboutBox));
    const QList<QLabel *> labels = FAboutBox->findChildren<QLabel *>();
    for (const QLabel *label : labels) {
        if (label->text().isEmpty())
            continue;
        const QString name = label->objectName();
        QVERIFY2(FAboutBox->rect().contains(label->geometry()), qPrintable(name));
        if (label->wordWrap())
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(name));
        else
            QVERIFY2(label->sizeHint().width() <= label->width() && label->sizeHint().height() <= label->height(),
                     qPrintable(name));
    }
    // "Version:" ends before the version number starts.
    QVERIFY(FAboutBox->LabVer->x() + FAboutBox->LabVer->sizeHint().width() <= FAboutBox->LabVerValue->x());
}

void TestHomePage::aboutBoxHomePageClick()
{
    QSignalSpy clicked(FAboutBox, &TAboutBox::homePageClicked);
    FAboutBox->show();
    QTest::mouseClick(FAboutBox->LabHomePage, Qt::RightButton);
    QCOMPARE(clicked.size(), 0);
    QTest::mouseClick(FAboutBox->LabHomePage, Qt::LeftButton);
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(FAboutBox->LabHomePage->cursor().shape(), Qt::PointingHandCursor);
}

QTEST_MAIN(TestHomePage)
#include "tst_homepage.moc"
