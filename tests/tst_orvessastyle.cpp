// The program's style: built-in pictures on the extension buttons, flat
// toolbars (#F5F5F5, or the window colour of a dark palette), buttons
// without gaps.
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
    void toolBarIsAFlatPanelWithoutGaps_data();
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

void TestOrvessaStyle::toolBarIsAFlatPanelWithoutGaps_data()
{
    QTest::addColumn<QColor>("window");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("panel");

    // Colours no style draws by itself.
    QTest::newRow("light palette") << QColor(0x20, 0x80, 0x40) << QColor(Qt::black) << QColor(0xF5, 0xF5, 0xF5);
    QTest::newRow("dark palette") << QColor(0x30, 0x28, 0x38) << QColor(Qt::white) << QColor(0x30, 0x28, 0x38);
}

// The whole bar, wherever no button lies, is one colour (no gradient, frame
// line or handle, as other styles draw): #F5F5F5 under a light palette, the
// palette's window colour under a dark one; neighbouring buttons touch.
void TestOrvessaStyle::toolBarIsAFlatPanelWithoutGaps()
{
    QFETCH(QColor, window);
    QFETCH(QColor, text);
    QFETCH(QColor, panel);
    QMainWindow mainWindow;
    QToolBar *toolBar = mainWindow.addToolBar(QStringLiteral("tools"));
    QPalette colours = toolBar->palette();
    colours.setColor(QPalette::Window, window);
    colours.setColor(QPalette::WindowText, text);
    toolBar->setPalette(colours);
    toolBar->setMovable(false);
    toolBar->setFixedHeight(42);
    toolBar->setIconSize(QSize(32, 32));
    QPixmap picture(32, 32);
    picture.fill(Qt::white);
    QAction *first = toolBar->addAction(QIcon(picture), QStringLiteral("first"));
    QAction *second = toolBar->addAction(QIcon(picture), QStringLiteral("second"));
    mainWindow.resize(200, 100);
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));

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
