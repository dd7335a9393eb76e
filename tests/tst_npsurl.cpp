#include "TestSupport.h"
#include "widgets/TNpsUrl.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QColor textColor(const TNpsUrl &label)
{
    return label.palette().color(QPalette::WindowText);
}

void setTextColor(TNpsUrl &label, const QColor &color)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, color);
    label.setPalette(palette);
}

} // namespace

class TNpsUrlTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void defaults();
    void clickOpensTheTargetThroughTheShell_data();
    void clickOpensTheTargetThroughTheShell();
    void clickNotifiesBeforeTheShellOpens();
    void disabledLabelDoesNothing();
    void leftPressShowsActiveColourUntilRelease();
    void releaseOutsideRestoresColourWithoutClick();
    void otherButtonsDoNothing();
    void disablingWhilePressedRestoresColour();
    void releaseWithoutPressKeepsColour();
    void autoSizeFitsTheTextWhenShown();
    void linkColourReadsOnItsPalette_data();
    void linkColourReadsOnItsPalette();

private:
    TNpsUrl *FLabel = nullptr;
    TestSupport::TShellRecorder *FShell = nullptr;
};

void TNpsUrlTest::init()
{
    FShell = new TestSupport::TShellRecorder;
    FLabel = new TNpsUrl;
    FLabel->setObjectName(QStringLiteral("LabURL"));
    FLabel->setGeometry(100, 100, 80, 20);
    FLabel->setUrl(QStringLiteral("help.html"));
    FLabel->show();
    QVERIFY(QTest::qWaitForWindowExposed(FLabel));
}

void TNpsUrlTest::cleanup()
{
    delete FLabel;
    delete FShell;
}

void TNpsUrlTest::defaults()
{
    const TNpsUrl label;
    QCOMPARE(label.protocol(), TNpsUrl::ptMAIL);
    QCOMPARE(label.activeColor(), QColor(0x80, 0x00, 0x80));
    QCOMPARE(label.text(), label.url());
    QCOMPARE(textColor(label), QColor(0x00, 0x00, 0xFF));
    QVERIFY(label.font().underline());
    QCOMPARE(label.font().pointSize(), 12);
    QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
}

void TNpsUrlTest::clickOpensTheTargetThroughTheShell_data()
{
    QTest::addColumn<TNpsUrl::TProtocol>("protocol");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("opened");

    // The prefix is left off only when Url already starts with it exactly.
    QTest::newRow("www, has prefix") << TNpsUrl::ptWWW << "http://x" << "http://x";
    QTest::newRow("www, upper case") << TNpsUrl::ptWWW << "HTTP://x" << "http://HTTP://x";
    QTest::newRow("www, bare") << TNpsUrl::ptWWW << "x.example" << "http://x.example";
    QTest::newRow("www, other scheme") << TNpsUrl::ptWWW << "ftp://x" << "http://ftp://x";
    QTest::newRow("none") << TNpsUrl::ptNONE << "HTTP://x" << "HTTP://x";
    QTest::newRow("none, empty") << TNpsUrl::ptNONE << "" << "";
    QTest::newRow("file, bare") << TNpsUrl::ptFILE << "/opt/orvessa/help/english.html"
                                << "file:/opt/orvessa/help/english.html";
    QTest::newRow("file, has prefix") << TNpsUrl::ptFILE << "file:/a b.html" << "file:/a b.html";
    QTest::newRow("file, upper case") << TNpsUrl::ptFILE << "FILE:/a" << "file:FILE:/a";
    QTest::newRow("mail, bare") << TNpsUrl::ptMAIL << "a@b.example" << "mailto:a@b.example";
    QTest::newRow("mail, has prefix") << TNpsUrl::ptMAIL << "mailto:a@b" << "mailto:a@b";
    QTest::newRow("mail, upper case") << TNpsUrl::ptMAIL << "MailTo:a@b" << "mailto:MailTo:a@b";
    QTest::newRow("ftp, bare") << TNpsUrl::ptFTP << "host/f" << "ftp://host/f";
    QTest::newRow("ftp, has prefix") << TNpsUrl::ptFTP << "ftp://host/f" << "ftp://host/f";
    QTest::newRow("ftp, prefix cut short") << TNpsUrl::ptFTP << "ftp:/host" << "ftp://ftp:/host";
}

void TNpsUrlTest::clickOpensTheTargetThroughTheShell()
{
    QFETCH(TNpsUrl::TProtocol, protocol);
    QFETCH(QString, url);
    QFETCH(QString, opened);

    FLabel->setProtocol(protocol);
    FLabel->setUrl(url);
    QCOMPARE(FLabel->target(), opened);
    FLabel->click();
    QTest::mouseClick(FLabel, Qt::LeftButton);
    QCOMPARE(FShell->addresses(), (QStringList{opened, opened}));
}

void TNpsUrlTest::clickNotifiesBeforeTheShellOpens()
{
    QStringList seenAtClick{QStringLiteral("not called")};
    connect(FLabel, &TNpsUrl::clicked, this, [&] { seenAtClick = FShell->addresses(); });
    TestSupport::TShellRecorder refusing(false); // the shell's answer is not looked at
    FLabel->click();
    QCOMPARE(seenAtClick, QStringList());
    QCOMPARE(refusing.addresses(), QStringList{QStringLiteral("mailto:help.html")});
}

void TNpsUrlTest::disabledLabelDoesNothing()
{
    QSignalSpy clicked(FLabel, &TNpsUrl::clicked);
    QSignalSpy down(FLabel, &TNpsUrl::mouseDown);
    FLabel->setEnabled(false);
    const QColor before = textColor(*FLabel);

    FLabel->click();
    QTest::ignoreMessage(QtWarningMsg, "Mouse event \"MousePress\" not accepted by receiving widget");
    QTest::ignoreMessage(QtWarningMsg, "Mouse event \"MouseRelease\" not accepted by receiving widget");
    QTest::mouseClick(FLabel, Qt::LeftButton);
    QCOMPARE(clicked.size(), 0);
    QCOMPARE(down.size(), 0);
    QCOMPARE(textColor(*FLabel), before);
    QVERIFY(FShell->addresses().isEmpty());
}

void TNpsUrlTest::leftPressShowsActiveColourUntilRelease()
{
    const QColor red(0xC0, 0x10, 0x10);
    setTextColor(*FLabel, red);
    FLabel->setActiveColor(QColor(0x12, 0x34, 0x56));
    QSignalSpy down(FLabel, &TNpsUrl::mouseDown);
    QSignalSpy up(FLabel, &TNpsUrl::mouseUp);
    QColor colorAtDown;
    connect(FLabel, &TNpsUrl::mouseDown, this, [&] { colorAtDown = textColor(*FLabel); });

    QTest::mousePress(FLabel, Qt::LeftButton);
    QCOMPARE(down.size(), 1);
    QCOMPARE(colorAtDown, QColor(0x12, 0x34, 0x56)); // set before the notification
    QCOMPARE(textColor(*FLabel), QColor(0x12, 0x34, 0x56));
    QVERIFY(FShell->addresses().isEmpty());

    QTest::mouseRelease(FLabel, Qt::LeftButton);
    QCOMPARE(up.size(), 1);
    QCOMPARE(textColor(*FLabel), red);
    QCOMPARE(FShell->addresses(), QStringList{QStringLiteral("mailto:help.html")});
}

void TNpsUrlTest::releaseOutsideRestoresColourWithoutClick()
{
    const QColor before = textColor(*FLabel);
    QTest::mousePress(FLabel, Qt::LeftButton);
    QTest::mouseRelease(FLabel, Qt::LeftButton, {}, QPoint(-10, -10));
    QCOMPARE(textColor(*FLabel), before);
    QVERIFY(FShell->addresses().isEmpty());
}

void TNpsUrlTest::otherButtonsDoNothing()
{
    QSignalSpy down(FLabel, &TNpsUrl::mouseDown);
    QSignalSpy up(FLabel, &TNpsUrl::mouseUp);
    const QColor before = textColor(*FLabel);

    QTest::mousePress(FLabel, Qt::RightButton);
    QCOMPARE(textColor(*FLabel), before);
    QTest::mouseRelease(FLabel, Qt::RightButton);
    QTest::mouseClick(FLabel, Qt::MiddleButton);
    QCOMPARE(down.size(), 0);
    QCOMPARE(up.size(), 0);
    QCOMPARE(textColor(*FLabel), before);
    QVERIFY(FShell->addresses().isEmpty());
}

void TNpsUrlTest::disablingWhilePressedRestoresColour()
{
    // A disabled label gets no mouse release, so the colour must come back
    // when it is disabled, not stay the active colour.
    const QColor before = textColor(*FLabel);
    QTest::mousePress(FLabel, Qt::LeftButton);
    FLabel->setEnabled(false);
    QTest::ignoreMessage(QtWarningMsg, "Mouse event \"MouseRelease\" not accepted by receiving widget");
    QTest::mouseRelease(FLabel, Qt::LeftButton);
    FLabel->setEnabled(true);
    QCOMPARE(textColor(*FLabel), before);
    QVERIFY(FShell->addresses().isEmpty());
}

void TNpsUrlTest::releaseWithoutPressKeepsColour()
{
    // The press went to the label while it was disabled; the release comes
    // after it was enabled again: there is no saved colour to restore.
    const QColor before = textColor(*FLabel);
    FLabel->setEnabled(false);
    QTest::ignoreMessage(QtWarningMsg, "Mouse event \"MousePress\" not accepted by receiving widget");
    QTest::mousePress(FLabel, Qt::LeftButton);
    FLabel->setEnabled(true);
    QTest::mouseRelease(FLabel, Qt::LeftButton);
    QCOMPARE(textColor(*FLabel), before);
}

void TNpsUrlTest::autoSizeFitsTheTextWhenShown()
{
    QWidget window;
    auto *link = new TNpsUrl(&window);
    link->setGeometry(16, 144, 38, 16);
    link->setText(QStringLiteral("A much longer help link than before"));
    link->setAutoSize(true);
    QCOMPARE(link->size(), QSize(38, 16)); // hidden: nothing measured yet
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(link->size(), link->sizeHint());
    QCOMPARE(link->pos(), QPoint(16, 144));

    link->setAutoSize(false);
    link->hide();
    link->setText(QStringLiteral("Short"));
    link->show();
    QVERIFY(link->width() > link->sizeHint().width()); // without auto size it keeps its size
}

// On a dark palette the link keeps its hue, made light enough to read, and
// gets its own colour back on a light one; a colour set through the
// palette meanwhile is the link's from then on.
void TNpsUrlTest::linkColourReadsOnItsPalette_data()
{
    QTest::addColumn<QColor>("window");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << QColor(0xF0, 0xF0, 0xF0) << QColor(Qt::black) << false;
    QTest::newRow("dark") << QColor(0x2D, 0x30, 0x34) << QColor(0xE8, 0xE9, 0xEB) << true;
}

void TNpsUrlTest::linkColourReadsOnItsPalette()
{
    QFETCH(QColor, window);
    QFETCH(QColor, text);
    QFETCH(bool, dark);
    QWidget surroundings;
    TNpsUrl *label = new TNpsUrl(&surroundings);
    const QPalette light = surroundings.palette();
    QPalette chosen = light;
    chosen.setColor(QPalette::Window, window);
    chosen.setColor(QPalette::WindowText, text);
    surroundings.setPalette(chosen);
    const QColor blue(0x00, 0x00, 0xFF);
    const QColor shown = textColor(*label);
    if (dark) {
        QCOMPARE(shown.hue(), blue.hue());
        QVERIFY(shown.lightness() >= 200);
    } else {
        QCOMPARE(shown, blue);
    }
    surroundings.setPalette(light);
    QCOMPARE(textColor(*label), blue);

    const QColor red(0xC0, 0x10, 0x10);
    setTextColor(*label, red);
    surroundings.setPalette(chosen);
    QCOMPARE(textColor(*label).hue(), red.hue());
    surroundings.setPalette(light);
    QCOMPARE(textColor(*label), red);
}

QTEST_MAIN(TNpsUrlTest)
#include "tst_npsurl.moc"
