// What the arrow keys do to a guide line's rectangle.
#include "measure/TLineKeyStep.h"

#include <QTest>

Q_DECLARE_METATYPE(TFloatRect)

class TestLineKeyStep : public QObject
{
    Q_OBJECT

private slots:
    void apply_data();
    void apply();
};

void TestLineKeyStep::apply_data()
{
    QTest::addColumn<TFloatRect>("rect");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("kind");
    QTest::addColumn<TFloatRect>("expected");

    const int none = int(TLineKeyStep::None);
    const int move = int(TLineKeyStep::Move);
    const int resize = int(TLineKeyStep::Resize);
    const int shift = int(Qt::ShiftModifier);
    const int ctrl = int(Qt::ControlModifier);
    const TFloatRect h{100, 50, 220, 53};
    const TFloatRect v{40, 10.5f, 43, 130.5f};

    QTest::newRow("left") << h << false << int(Qt::Key_Left) << 0 << move << TFloatRect{99, 50, 219, 53};
    QTest::newRow("right") << h << false << int(Qt::Key_Right) << 0 << move << TFloatRect{101, 50, 221, 53};
    QTest::newRow("up") << h << false << int(Qt::Key_Up) << 0 << move << TFloatRect{100, 49, 220, 52};
    QTest::newRow("shift down") << h << false << int(Qt::Key_Down) << shift << move << TFloatRect{100, 60, 220, 63};
    QTest::newRow("keypad left") << h << false << int(Qt::Key_Left) << int(Qt::KeypadModifier) << move
                                 << TFloatRect{99, 50, 219, 53};
    QTest::newRow("vertical moves too") << v << true << int(Qt::Key_Right) << shift << move
                                        << TFloatRect{50, 10.5f, 53, 130.5f};

    QTest::newRow("ctrl right lengthens") << h << false << int(Qt::Key_Right) << ctrl << resize
                                          << TFloatRect{99, 50, 221, 53};
    QTest::newRow("ctrl left shortens") << h << false << int(Qt::Key_Left) << ctrl << resize
                                        << TFloatRect{101, 50, 219, 53};
    QTest::newRow("ctrl shift left shortens by ten") << h << false << int(Qt::Key_Left) << (ctrl | shift) << resize
                                                     << TFloatRect{110, 50, 210, 53};
    QTest::newRow("ctrl down lengthens a vertical") << v << true << int(Qt::Key_Down) << ctrl << resize
                                                    << TFloatRect{40, 9.5f, 43, 131.5f};
    QTest::newRow("ctrl shift up shortens a vertical") << v << true << int(Qt::Key_Up) << (ctrl | shift) << resize
                                                       << TFloatRect{40, 20.5f, 43, 120.5f};

    // Shortening stops at a length of 1.0 about the centre.
    QTest::newRow("shortened to the minimum") << TFloatRect{100, 50, 102, 53} << false << int(Qt::Key_Left) << ctrl
                                              << resize << TFloatRect{100.5f, 50, 101.5f, 53};
    QTest::newRow("ten from 5 stops at 1") << TFloatRect{40, 10, 43, 15} << true << int(Qt::Key_Up) << (ctrl | shift)
                                           << resize << TFloatRect{40, 12, 43, 13};
    QTest::newRow("at the minimum stays") << TFloatRect{100, 50, 101, 53} << false << int(Qt::Key_Left) << ctrl
                                          << resize << TFloatRect{100, 50, 101, 53};
    QTest::newRow("exactly to the minimum") << TFloatRect{100, 50, 103, 53} << false << int(Qt::Key_Left) << ctrl
                                            << resize << TFloatRect{101, 50, 102, 53};

    QTest::newRow("ctrl across a horizontal") << h << false << int(Qt::Key_Up) << ctrl << none << TFloatRect{};
    QTest::newRow("ctrl across a vertical") << v << true << int(Qt::Key_Left) << ctrl << none << TFloatRect{};
    QTest::newRow("alt") << h << false << int(Qt::Key_Left) << int(Qt::AltModifier) << none << TFloatRect{};
    QTest::newRow("not an arrow") << h << false << int(Qt::Key_Home) << 0 << none << TFloatRect{};
}

void TestLineKeyStep::apply()
{
    QFETCH(TFloatRect, rect);
    QFETCH(bool, vertical);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, kind);
    QFETCH(TFloatRect, expected);
    const TLineKeyStep::TResult result = TLineKeyStep::Apply(rect, vertical, key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(int(result.kind), kind);
    if (kind != TLineKeyStep::None)
        QCOMPARE(result.rect, expected);
}

QTEST_GUILESS_MAIN(TestLineKeyStep)
#include "tst_linekeystep.moc"
