// The program's style: built-in pictures on the extension buttons, flat
// toolbars in their palette's window colour, buttons without gaps.
#include "widgets/TOrvessaStyle.h"

#include <QApplication>
#include <QMainWindow>
#include <QTest>
#include <QToolBar>

class TestOrvessaStyle : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void extensionButtonsShowBuiltInPictures_data();
    void extensionButtonsShowBuiltInPictures();
    void toolBarIsAFlatPanelWithoutGaps();
};

void TestOrvessaStyle::initTestCase()
{
    QApplication::setStyle(new TOrvessaStyle);
}

void TestOrvessaStyle::extensionButtonsShowBuiltInPictures_data()
{
    QTest::addColumn<QStyle::StandardPixmap>("icon");
    QTest::newRow("horizontal") << QStyle::SP_ToolBarHorizontalExtensionButton;
    QTest::newRow("vertical") << QStyle::SP_ToolBarVerticalExtensionButton;
}

void TestOrvessaStyle::extensionButtonsShowBuiltInPictures()
{
    QFETCH(QStyle::StandardPixmap, icon);
    QCOMPARE(QApplication::style()->standardIcon(icon).availableSizes(), (QList<QSize>{QSize(16, 16), QSize(32, 32)}));
}

// The whole bar, wherever no button lies, is its palette's window colour (no
// gradient, frame line or handle, as other styles draw), and neighbouring
// buttons touch.
void TestOrvessaStyle::toolBarIsAFlatPanelWithoutGaps()
{
    const QColor panel(0x20, 0x80, 0x40); // a colour no style draws by itself
    QMainWindow window;
    QToolBar *toolBar = window.addToolBar(QStringLiteral("tools"));
    QPalette colours = toolBar->palette();
    colours.setColor(QPalette::Window, panel);
    toolBar->setPalette(colours);
    toolBar->setMovable(false);
    toolBar->setFixedHeight(42);
    toolBar->setIconSize(QSize(32, 32));
    QPixmap picture(32, 32);
    picture.fill(Qt::white);
    QAction *first = toolBar->addAction(QIcon(picture), QStringLiteral("first"));
    QAction *second = toolBar->addAction(QIcon(picture), QStringLiteral("second"));
    window.resize(200, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QRect a = toolBar->widgetForAction(first)->geometry();
    const QRect b = toolBar->widgetForAction(second)->geometry();
    QCOMPARE(b.left(), a.right() + 1);

    const QImage shot = toolBar->grab().toImage();
    int other = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (!a.contains(x, y) && !b.contains(x, y) && shot.pixelColor(x, y) != panel)
                ++other;
    QCOMPARE(other, 0);
}

QTEST_MAIN(TestOrvessaStyle)
#include "tst_orvessastyle.moc"
