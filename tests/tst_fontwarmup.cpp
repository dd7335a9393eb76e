// The font warm-up must never hold up the program: it ends whether or not
// the application became ready, and leaves the font database filled.
#include "app/TFontWarmUp.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTest>

class TestFontWarmUp : public QObject
{
    Q_OBJECT

private slots:
    void endsWhetherOrNotTheApplicationIsReady_data();
    void endsWhetherOrNotTheApplicationIsReady();
};

void TestFontWarmUp::endsWhetherOrNotTheApplicationIsReady_data()
{
    QTest::addColumn<bool>("ready");
    QTest::newRow("application ready") << true;
    QTest::newRow("never ready") << false;
}

void TestFontWarmUp::endsWhetherOrNotTheApplicationIsReady()
{
    QFETCH(bool, ready);
    {
        TFontWarmUp warmUp;
        if (ready) {
            warmUp.applicationReady();
            warmUp.applicationReady(); // a second call changes nothing
        }
        warmUp.wait();
        warmUp.wait(); // nor does a second wait
    } // nor the destructor's
    QVERIFY(!QFontDatabase::families().isEmpty());
}

QTEST_MAIN(TestFontWarmUp)
#include "tst_fontwarmup.moc"
