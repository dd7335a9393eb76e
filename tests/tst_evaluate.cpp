#include "evaluate/TBeautyResult.h"

#include <QtTest>
#include <limits>

Q_DECLARE_METATYPE(TBeautyStatus)

namespace {

// A complete store: every measurement 10 pixels long, measurement 8 ending
// at 142 and measurement 11 from 100 to 140, which puts Y at 80 and D at 62.
TMeasureStore completeStore()
{
    TMeasureStore store(StoreLength);
    for (int n = 1; n <= MeasureCount; ++n)
        store[n] = IsVerticalFaceValue(n) ? TFloatRect{5, 0, 5, 10} : TFloatRect{0, 5, 10, 5};
    store[8] = {5, 0, 5, 142};
    store[11] = {5, 100, 5, 140};
    return store;
}

// The store of the worked example: L1 62, L2 160, L6 162, L9 100, D 62.
TMeasureStore workedExampleStore()
{
    TMeasureStore store = completeStore();
    store[1] = {0, 5, 62, 5};
    store[2] = {0, 5, 160, 5};
    store[6] = {5, 0, 5, 162};
    store[9] = {5, 0, 5, 100};
    return store;
}

TFaceProportions proportions(float l1, float l2, float l6, float l9, float d)
{
    TFaceProportions p;
    p.MeasureLength.fill(10.0f);
    p.MeasureLength[1] = l1;
    p.MeasureLength[2] = l2;
    p.MeasureLength[6] = l6;
    p.MeasureLength[9] = l9;
    p.FacePositionDistance = d;
    return p;
}

QString text(double x, const QLocale &locale = QLocale::c())
{
    return GetTextBeautyResult(x, locale).value_or(QStringLiteral("<none>"));
}

} // namespace

class TstEvaluate : public QObject
{
    Q_OBJECT

private slots:
    void verticalMeasurements();
    void faceProportions_data();
    void faceProportions();
    void workedExampleSteps();
    void beautyResult_data();
    void beautyResult();
    void incompleteStoreGivesMarker();
    void textForm_data();
    void textForm();
};

void TstEvaluate::verticalMeasurements()
{
    QList<int> vertical;
    for (int n = 0; n <= StoreLength; ++n)
        if (IsVerticalFaceValue(n))
            vertical.append(n);
    QCOMPARE(vertical, QList<int>({6, 7, 8, 9, 10, 11}));
}

void TstEvaluate::faceProportions_data()
{
    QTest::addColumn<TMeasureStore>("store");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<int>("measure");
    QTest::addColumn<float>("length");
    QTest::addColumn<float>("distance");

    const TMeasureStore example = workedExampleStore();
    QTest::newRow("worked example") << example << true << 6 << 162.0f << 62.0f;

    TMeasureStore store = example;
    store[4] = {};
    QTest::newRow("never placed: incomplete, D still computed") << store << false << 4 << 0.0f << 62.0f;

    store = example;
    store[3] = {7, 0, 7, 50}; // tall, but a horizontal measurement
    QTest::newRow("horizontal with zero width") << store << false << 3 << 0.0f << 62.0f;

    store = example;
    store[10] = {0, 20, 90, 20}; // wide, but a vertical measurement
    QTest::newRow("vertical with zero height") << store << false << 10 << 0.0f << 62.0f;

    store = example;
    store[6] = {5, 162, 5, 0};
    QTest::newRow("vertical stored upside down") << store << true << 6 << 162.0f << 62.0f;

    store = example;
    store[1] = {62, 5, 0, 5};
    QTest::newRow("horizontal stored right to left") << store << true << 1 << 62.0f << 62.0f;

    store = example;
    store[8] = {5, 0, 5, 300};
    QTest::newRow("Top 100 Bottom 140: Y 80") << store << true << 11 << 40.0f << 220.0f;

    store[11] = {5, 140, 5, 100};
    QTest::newRow("Top 140 Bottom 100: Y 160") << store << true << 11 << 40.0f << 140.0f;

    store = example;
    store[11] = {5, 100.25f, 5, 100.75f}; // Y = 100.25 - 0.25 = 100
    store[8] = {5, 0, 5, 0.5f};
    QTest::newRow("fractional Y") << store << true << 11 << 0.5f << 99.5f;

    store = example;
    store.resize(9);
    QTest::newRow("short store reads as empty entries") << store << false << 9 << 0.0f << 142.0f;
}

void TstEvaluate::faceProportions()
{
    QFETCH(TMeasureStore, store);
    QFETCH(bool, complete);
    QFETCH(int, measure);
    QFETCH(float, length);
    QFETCH(float, distance);

    TFaceProportions p;
    p.MeasureLength.fill(-5.0f); // stale values must all be overwritten
    p.FacePositionDistance = -5.0f;
    QCOMPARE(p.IsCalceFacePosition(store), complete);
    QCOMPARE(p.MeasureLength[measure], length);
    QCOMPARE(p.FacePositionDistance, distance);
    for (int n = 1; n <= MeasureCount; ++n)
        QVERIFY2(p.MeasureLength[n] >= 0.0f, qPrintable(QString::number(n)));
}

void TstEvaluate::workedExampleSteps()
{
    TFaceProportions p;
    QVERIFY(p.IsCalceFacePosition(workedExampleStore()));
    const TBeautySteps s = GetBeautySteps(p);

    // The published figures, each to the digits given.
    const auto near = [](float actual, double expected, double tolerance) {
        return std::fabs(double(actual) - expected) <= tolerance;
    };
    QVERIFY(near(s.Ratio[0], 1.6375, 5e-8));
    QVERIFY(near(s.Ratio[1], 1.62, 5e-8));
    QVERIFY(near(s.Ratio[2], 1.62, 5e-8));
    QVERIFY(near(s.Ratio[3], 1.6129032, 5e-8));
    QVERIFY(near(s.Mean, 1.6226008, 5e-8));
    QVERIFY(near(s.Variance, 0.0000274632, 5e-11));
    QVERIFY(near(s.Root, 0.0052405, 5e-8));
    QVERIFY(near(s.Spread, 0.0146735, 5e-8));
    // The final figures are the exact 32-bit values.
    QCOMPARE(s.Index, 100.28224f);
    QCOMPARE(s.Dispersion, 0.9068722f);
}

void TstEvaluate::beautyResult_data()
{
    QTest::addColumn<TFaceProportions>("proportions");
    QTest::addColumn<TBeautyStatus>("status");
    QTest::addColumn<QString>("index");
    QTest::addColumn<QString>("dispersion");
    QTest::addColumn<QString>("error");

    const auto complete = TBeautyStatus::Complete;
    const auto degenerate = TBeautyStatus::Degenerate;
    QTest::newRow("worked example") << proportions(62, 160, 162, 100, 62) << complete
                                    << "100.28" << "0.9" << "0.9";
    // All four ratios 2: V = 0, so no spread at all.
    QTest::newRow("equal ratios") << proportions(1, 3, 4, 2, 2) << complete << "123.6" << "0" << "0";
    // D beyond L6 turns R2 and R4 negative; a small L1 drags the mean below 0.
    QTest::newRow("negative index") << proportions(1, 160, 162, 100, 400) << complete
                                    << "-3637.48" << "10334.03" << "-284.09";
    QTest::newRow("D equals L6") << proportions(62, 160, 162, 100, 162) << degenerate << "" << "" << "";
    // Ratios 1, -1, 1, -1 average to exactly 0: the error is undefined.
    QTest::newRow("index 0") << proportions(1, 2, 1, 1, 2) << degenerate << "" << "" << "";
    QTest::newRow("index beyond text range") << proportions(62, 1, 1e30f, 100, 62) << degenerate << "" << "" << "";
    QTest::newRow("ratio overflows a float") << proportions(62, 1e-30f, 3e38f, 3e38f, 62) << degenerate
                                             << "" << "" << "";
}

void TstEvaluate::beautyResult()
{
    QFETCH(TFaceProportions, proportions);
    QFETCH(TBeautyStatus, status);

    const TBeautyResult result = GetBeautyResult(proportions);
    QCOMPARE(result.Status, status);
    if (status != TBeautyStatus::Complete) {
        QCOMPARE(result.Index, -1.0f);
        QCOMPARE(result.Dispersion, -1.0f);
        return;
    }
    QTEST(text(result.Index), "index");
    QTEST(text(result.Dispersion), "dispersion");
    QTEST(text(result.ErrorPercent()), "error");
}

void TstEvaluate::incompleteStoreGivesMarker()
{
    TMeasureStore store = workedExampleStore();
    store[7] = {};
    TFaceProportions p;
    const TBeautyResult result = GetBeautyResult(store, p);
    QCOMPARE(result.Status, TBeautyStatus::Incomplete);
    QCOMPARE(result.Index, -1.0f);
    QCOMPARE(result.Dispersion, -1.0f);
    QCOMPARE(p.MeasureLength[6], 162.0f); // the lengths are still filled in

    const TBeautyResult full = GetBeautyResult(workedExampleStore(), p);
    QCOMPARE(full.Status, TBeautyStatus::Complete);
    QCOMPARE(full.Index, 100.28224f);
}

void TstEvaluate::textForm_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");

    const QLocale c = QLocale::c();
    const QLocale comma(QLocale::German, QLocale::Germany);
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("worked index") << double(100.28224f) << c << "100.28";
    QTest::newRow("float below 87.53") << double(87.53f) << c << "87.52";
    QTest::newRow("float below 0.29") << double(0.29f) << c << "0.28";
    QTest::newRow("truncates") << 87.539 << c << "87.53";
    QTest::newRow("whole") << 100.0 << c << "100";
    QTest::newRow("trailing zero") << 12.5 << c << "12.5";
    QTest::newRow("one decimal shown") << double(0.9068722f) << c << "0.9";
    QTest::newRow("negative truncates toward zero") << -3.207 << c << "-3.2";
    QTest::newRow("smallest negative") << -0.01 << c << "-0.01";
    QTest::newRow("tiny positive") << 0.0099 << c << "0";
    QTest::newRow("tiny negative") << -0.0099 << c << "0";
    QTest::newRow("comma locale") << double(100.28224f) << comma << "100,28";
    QTest::newRow("comma locale negative") << -3.207 << comma << "-3,2";
    QTest::newRow("no thousands separator") << 1234567.891 << comma << "1234567,89";
    QTest::newRow("below 1e15 fixed") << 999999999999999.0 << c << "999999999999999";
    QTest::newRow("1e15 in exponent form") << 1e15 << c << "1e+15";
    QTest::newRow("largest with a text") << 9.2e16 << c << "9.2e+16";
    QTest::newRow("hundredfold beyond int64") << 9.3e16 << c << "<none>";
    QTest::newRow("negative beyond int64") << -9.3e16 << c << "<none>";
    QTest::newRow("infinite") << inf << c << "<none>";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << c << "<none>";
}

void TstEvaluate::textForm()
{
    QFETCH(double, x);
    QFETCH(QLocale, locale);
    QTEST(text(x, locale), "expected");
}

QTEST_GUILESS_MAIN(TstEvaluate)
#include "tst_evaluate.moc"
