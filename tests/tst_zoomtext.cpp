// The zoom level as the status bar writes it.
#include "measure/TZoomText.h"

#include <QTest>

class TestZoomText : public QObject
{
    Q_OBJECT

private slots:
    void text_data();
    void text();
};

void TestZoomText::text_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("locale");
    QTest::newRow("actual pixels") << 1.0f << "100 %" << "";
    QTest::newRow("zoom in once") << 1.2f << "120 %" << "";
    // Zoom Out's float steps land a hair above the round figures.
    QTest::newRow("zoom out once") << 0.8000000119f << "80 %" << "";
    QTest::newRow("zoom out four times") << 0.2000000328f << "20 %" << "";
    QTest::newRow("wheel notches") << float(1.1 * 1.1 * 1.1) << "133 %" << "";
    QTest::newRow("half up") << 0.125f << "13 %" << "";
    QTest::newRow("just under 100") << 0.9949f << "99 %" << "";
    QTest::newRow("rounds up to 100") << 0.9951f << "100 %" << "";
    QTest::newRow("large") << 250.0f << "25000 %" << "";
    QTest::newRow("one per cent") << 0.01f << "1 %" << "";
    QTest::newRow("rounds up to one per cent") << 0.00996f << "1 %" << "";
    QTest::newRow("just under one per cent") << 0.00994f << "0.99 %" << "";
    QTest::newRow("floor of every scale") << 0.001f << "0.10 %" << "";
    QTest::newRow("two digits kept") << 0.001234f << "0.12 %" << "";
    QTest::newRow("half a per cent") << 0.005f << "0.50 %" << "";
    QTest::newRow("below a tenth") << 0.000567f << "0.057 %" << "";
    QTest::newRow("rounds up to a tenth") << 0.000996f << "0.10 %" << "";
    QTest::newRow("zero") << 0.0f << "0 %" << "";
    QTest::newRow("Russian separator") << 0.005f << "0,50 %" << "ru_RU";
    QTest::newRow("Russian, no grouping") << 250.0f << "25000 %" << "ru_RU";
}

void TestZoomText::text()
{
    QFETCH(float, scale);
    QFETCH(QString, expected);
    QFETCH(QString, locale);
    QCOMPARE(TZoomText::Text(scale, locale.isEmpty() ? QLocale::c() : QLocale(locale)), expected);
}

QTEST_APPLESS_MAIN(TestZoomText)
#include "tst_zoomtext.moc"
