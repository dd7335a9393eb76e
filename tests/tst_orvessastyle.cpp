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

void TestOrvessaStyle::toolBarIsAFlatPanelWithoutGaps()
{
    QMainWindow window;
    QToolBar *toolBar = window.addToolBar(QStringLiteral("tools"));
    QPalette colours = toolBar->palette();
    colours.setColor(QPalette::Window, QColor(0xF5, 0xF5, 0xF5));
    toolBar->setPalette(colours);
    toolBar->setMovable(false);
    toolBar->setFixedHeight(42);
    window.resize(200, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage shot = toolBar->grab(QRect(0, 0, 200, 42)).toImage();
    for (const QPoint corner : {QPoint(0, 0), QPoint(199, 0), QPoint(0, 41), QPoint(199, 41)})
        QCOMPARE(shot.pixelColor(corner), QColor(0xF5, 0xF5, 0xF5));
    QCOMPARE(QApplication::style()->pixelMetric(QStyle::PM_ToolBarItemSpacing), 0);
}

QTEST_MAIN(TestOrvessaStyle)
#include "tst_orvessastyle.moc"
