// The start-up warm-up must never hold up the program: it ends whether or not
// the application became ready, and repeated calls neither block nor throw.
#include "app/TStartupWarmUp.h"

#include <QApplication>
#include <QTest>

#include <chrono>
#include <future>

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
    // On a thread of its own, so that a helper that never ends fails the
    // test instead of hanging it.
    auto run = std::async(std::launch::async, [ready] {
        TStartupWarmUp warmUp;
        if (ready) {
            warmUp.applicationReady();
            warmUp.applicationReady(); // a second call changes nothing
        }
        warmUp.wait();
        warmUp.wait(); // nor does a second wait
    }); // nor the destructor's
    QCOMPARE(run.wait_for(std::chrono::seconds(60)), std::future_status::ready);
    run.get(); // rethrows what the calls threw
}

QTEST_MAIN(TestStartupWarmUp)
#include "tst_startupwarmup.moc"
