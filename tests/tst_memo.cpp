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

void TestMemo::backgroundFillsTheMemo()
{
    QWidget window;
    auto *memo = new TMemo(QStringLiteral("MemInfo"), QRect(0, 0, 40, 30), &window);
    memo->setBackground(QColor(0xF4, 0xF4, 0xF4));
    window.resize(40, 30);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(memo->grab().toImage().pixelColor(20, 15), QColor(0xF4, 0xF4, 0xF4));
}

QTEST_MAIN(TestMemo)
#include "tst_memo.moc"
