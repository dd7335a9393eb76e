// The memo: selectable once the mouse is over it, painted in its own colour.
#include "widgets/TMemo.h"

#include <QEnterEvent>
#include <QTest>

class TestMemo : public QObject
{
    Q_OBJECT

private slots:
    void textBecomesSelectableUnderTheMouse();
    void backgroundFillsTheMemo();
};

void TestMemo::textBecomesSelectableUnderTheMouse()
{
    QWidget window;
    auto *memo = new TMemo(QStringLiteral("MemInfo"), QRect(0, 0, 120, 60), &window);
    memo->setPlainText(QStringLiteral("first line\nsecond line"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(memo, &enter);
    QCOMPARE(memo->textInteractionFlags(), Qt::TextSelectableByMouse);
    QCOMPARE(memo->toPlainText(), QStringLiteral("first line\nsecond line"));
    QCOMPARE(memo->textFormat(), Qt::PlainText);
}

// The memo paints its own background over whatever lies beneath it: seen in
// its window (not grabbed alone, which always draws a background), the
// memo's area has the memo's colour and the rest the window's.
void TestMemo::backgroundFillsTheMemo()
{
    QWidget window;
    QPalette blue = window.palette();
    blue.setColor(QPalette::Window, Qt::blue);
    window.setPalette(blue);
    window.setAutoFillBackground(true);
    auto *memo = new TMemo(QStringLiteral("MemInfo"), QRect(10, 10, 40, 30), &window);
    memo->setBackground(QColor(0xF4, 0xF4, 0xF4));
    window.resize(60, 50);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage shot = window.grab().toImage();
    QCOMPARE(shot.pixelColor(30, 25), QColor(0xF4, 0xF4, 0xF4));
    QCOMPARE(shot.pixelColor(5, 5), QColor(Qt::blue));
}

QTEST_MAIN(TestMemo)
#include "tst_memo.moc"
