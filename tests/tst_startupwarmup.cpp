// The start-up warm-up must never hold up the program: it ends whether or not
// the application became ready, and leaves the font database filled.
#include "app/TStartupWarmUp.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTest>

class TestStartupWarmUp : public QObject
{
    Q_OBJECT

private slots:
    void endsWhetherOrNotTheApplicationIsReady_data();
    void endsWhetherOrNotTheApplicationIsReady();
};

void TestStartupWarmUp::endsWhetherOrNotTheApplicationIsReady_data()
{
    QTest::addColumn<bool>("ready");
    QTest::newRow("application ready") << true;
    QTest::newRow("never ready") << false;
}

void TestStartupWarmUp::endsWhetherOrNotTheApplicationIsReady()
{
    QFETCH(bool, ready);
    {
        TStartupWarmUp warmUp;
        if (ready) {
            warmUp.applicationReady();
            warmUp.applicationReady(); // a second call changes nothing
        }
        warmUp.wait();
        warmUp.wait(); // nor does a second wait
    } // nor the destructor's
    QVERIFY(!QFontDatabase::families().isEmpty());
}

QTEST_MAIN(TestStartupWarmUp)
#include "tst_startupwarmup.moc"
