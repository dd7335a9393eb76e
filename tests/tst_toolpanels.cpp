#include "widgets/TAdvToolPanel.h"
#include "widgets/TAdvToolPanelTab.h"
#include "widgets/TToolPanelGeometry.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {

const QColor ItemText(0x63, 0xED, 0x27);
const QColor ItemHover(0xFF, 0x00, 0xFF);

QIcon dotIcon(const QColor &color)
{
    QPixmap pixmap(8, 8);
    pixmap.fill(color);
    return QIcon(pixmap);
}

// The longest horizontal run of pixels of exactly this colour inside rect.
int longestRun(const QImage &image, const QRect &rect, const QColor &color)
{
    int best = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        int run = 0;
        for (int x = rect.left(); x <= rect.right(); ++x) {
            run = image.pixelColor(x, y).rgb() == color.rgb() ? run + 1 : 0;
            best = std::max(best, run);
        }
    }
    return best;
}

} // namespace

// A window laid out like the main window's client area: the strip, then the
// photo view; the panels float over the view or dock after the strip.
class TToolPanelsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void geometryPlacesSectionsAndFitsTheMainWindowsControls();
    void sectionGrowsWhenItsItemsDoNotFit();
    void hoverOpensAfterThreeTicks();
    void clickOpensAndSlidesBesideTheStrip();
    void clickOnTheOpenTabChangesNothing();
    void openingOneClosesTheOtherUnlessPinned();
    void clickOnTheStripAwayFromTabsCloses();
    void pinningDocksAndUnpinningFloats();
    void autoClosesAfterTenTicksAway();
    void focusInsideOrPinningKeepsThePanelOpen();
    void itemClickEmitsSectionAndItem();
    void hoveredItemIsUnderlinedInTheHoverColour();
    void markedItemShowsTheMarkAfterItsCaption_data();
    void markedItemShowsTheMarkAfterItsCaption();

private:
    void clickTab(int index);
    void tick(int times);
    void waitOpen(TAdvToolPanel *panel);
    void waitClosed(TAdvToolPanel *panel);

    QWidget *FHost = nullptr;
    QHBoxLayout *FRow = nullptr;
    QWidget *FView = nullptr;
    TAdvToolPanelTab *FStrip = nullptr;
    TAdvToolPanel *FImport = nullptr;
    TAdvToolPanel *FMeasure = nullptr;
};

void TToolPanelsTest::init()
{
    FHost = new QWidget;
    FHost->resize(700, 450);
    FRow = new QHBoxLayout(FHost);
    FRow->setContentsMargins(0, 0, 0, 0);
    FRow->setSpacing(0);
    FView = new QWidget(FHost);
    FStrip = new TAdvToolPanelTab(FHost, FHost, FHost);
    FStrip->setTickTimerActive(false);
    FRow->addWidget(FStrip);
    FRow->addWidget(FView, 1);

    FImport = new TAdvToolPanel(QStringLiteral("ToolPanelImport"), FHost);
    FImport->setCaption(QStringLiteral(" Import foto      "));
    FImport->addSection(QStringLiteral("Help"), 154);
    FImport->addSection(QStringLiteral("Import"), 72);
    FImport->addItem(1, QStringLiteral("Open Foto"));
    FImport->addItem(1, QStringLiteral("Import Foto..."));
    FStrip->addPanel(FImport);

    FMeasure = new TAdvToolPanel(QStringLiteral("ToolPanelMeasure"), FHost);
    FMeasure->setCaption(QStringLiteral(" Measure        "));
    FMeasure->setColors({QColor(0xEFE7E7), QColor(0xCECEC6), ItemText, ItemHover});
    FMeasure->setItemImages({dotIcon(Qt::red), dotIcon(Qt::blue), dotIcon(Qt::green)});
    FMeasure->setPinnable(true, QStringLiteral("Lock panel"), QStringLiteral("Unlock panel"));
    FMeasure->addSection(QStringLiteral("Sample preview"), 207);
    FMeasure->addSection(QStringLiteral("Measure"), 170);
    for (int i = 0; i < 11; ++i)
        FMeasure->addItem(1, QStringLiteral("Untitled %1").arg(i), 0);
    FStrip->addPanel(FMeasure);

    FHost->show();
    QVERIFY(QTest::qWaitForWindowExposed(FHost));
    QTest::mouseMove(FView, FView->rect().center());
}

void TToolPanelsTest::cleanup()
{
    delete FHost;
}

void TToolPanelsTest::clickTab(int index)
{
    QTest::mouseClick(FStrip, Qt::LeftButton, {}, FStrip->tabRect(index).center());
}

void TToolPanelsTest::tick(int times)
{
    for (int i = 0; i < times; ++i)
        FStrip->tick();
}

void TToolPanelsTest::waitOpen(TAdvToolPanel *panel)
{
    QVERIFY(FStrip->isPanelOpen(panel));
    QTRY_COMPARE(panel->geometry(), FStrip->openPanelRect());
}

void TToolPanelsTest::waitClosed(TAdvToolPanel *panel)
{
    QVERIFY(!FStrip->isPanelOpen(panel));
    QTRY_VERIFY(panel->isHidden());
}

void TToolPanelsTest::geometryPlacesSectionsAndFitsTheMainWindowsControls()
{
    TToolPanelGeometry import(200, 13);
    import.addSection(154);
    import.addSection(72);
    import.setItemCount(1, 2);
    // Caption bar 22, then 4 spacing: the first section at (4, 26), 192 wide.
    QCOMPARE(import.sectionRect(0), QRect(4, 26, 192, 154));
    QCOMPARE(import.sectionRect(1), QRect(4, 26 + 154 + 4, 192, 72));
    QCOMPARE(import.contentRect(0).top(), 26 + 1 + 18);
    QCOMPARE(import.itemLineRect(1, 1).top(), import.contentRect(1).top() + 3 + 13);

    // The main window's controls, in panel coordinates, lie in their section.
    QVERIFY(import.areaRect(0).contains(QRect(16, 56, 169, 81)));  // MemInfo
    QVERIFY(import.areaRect(0).contains(QRect(16, 144, 38, 16)));  // LabURL
    TToolPanelGeometry measure(200, 13);
    measure.addSection(207);
    QVERIFY(measure.areaRect(0).contains(QRect(29, 51, 137, 166))); // ImgPreview

    QCOMPARE(import.pinButtonRect(), QRect(200 - 4 - 18, 2, 18, 18));
}

void TToolPanelsTest::sectionGrowsWhenItsItemsDoNotFit()
{
    TToolPanelGeometry g(200, 13);
    g.addSection(170);
    g.addSection(50);
    g.setItemCount(0, 11);
    QCOMPARE(g.sectionHeight(0), 170); // 2 + 18 + 3 + 11 * 13 + 3 = 169 fits
    g.setItemHeight(16);
    QCOMPARE(g.sectionHeight(0), 2 + 18 + 3 + 11 * 16 + 3);
    QCOMPARE(g.sectionRect(1).top(), 26 + g.sectionHeight(0) + 4);
    QCOMPARE(g.areaRect(0).height(), 0);

    // In the widget, all eleven items lie inside their section.
    for (int i = 0; i < 11; ++i)
        QVERIFY(FMeasure->sectionRect(1).contains(FMeasure->itemRect(1, i)));
}

void TToolPanelsTest::hoverOpensAfterThreeTicks()
{
    QTest::mouseMove(FStrip, FStrip->tabRect(0).center());
    tick(2);
    QTest::mouseMove(FStrip, FStrip->tabRect(1).center()); // another tab: the count restarts
    tick(2);
    QVERIFY(!FStrip->isPanelOpen(FImport));
    QVERIFY(!FStrip->isPanelOpen(FMeasure));
    tick(1);
    QVERIFY(FStrip->isPanelOpen(FMeasure));
    QVERIFY(!FStrip->isPanelOpen(FImport));
    waitOpen(FMeasure);
}

void TToolPanelsTest::clickOpensAndSlidesBesideTheStrip()
{
    QVERIFY(FImport->isHidden());
    clickTab(0);
    QVERIFY(FStrip->isPanelOpen(FImport));
    QVERIFY(FImport->x() < FStrip->width()); // starts out of sight, under the strip
    QCOMPARE(FHost->childAt(QPoint(10, FStrip->tabRect(1).bottom() + 10)), FStrip);
    QTRY_COMPARE(FImport->x(), 23);
    QCOMPARE(FImport->width(), 200);
    QCOMPARE(FImport->y(), FStrip->y());
    QCOMPARE(FImport->height(), FStrip->height());
    // On top of the view: the view's area beside the strip shows the panel.
    QWidget *shown = FHost->childAt(QPoint(120, 300));
    QVERIFY(shown == FImport || FImport->isAncestorOf(shown));
    QCOMPARE(FView->width(), FHost->width() - 23); // floating takes no room
}

void TToolPanelsTest::clickOnTheOpenTabChangesNothing()
{
    clickTab(1);
    waitOpen(FMeasure);
    clickTab(1);
    QVERIFY(FStrip->isPanelOpen(FMeasure));
    QTest::qWait(3 * TAdvToolPanelTab::SlideMs);
    QCOMPARE(FMeasure->geometry(), FStrip->openPanelRect());
    QVERIFY(FImport->isHidden());
}

void TToolPanelsTest::openingOneClosesTheOtherUnlessPinned()
{
    clickTab(0);
    waitOpen(FImport);
    clickTab(1);
    waitClosed(FImport);
    waitOpen(FMeasure);

    FMeasure->setPinned(true);
    clickTab(0);
    QVERIFY(FStrip->isPanelOpen(FMeasure));
    waitOpen(FImport);
    QCOMPARE(FImport->x(), 23 + 200); // beside the docked panel
    QVERIFY(!FMeasure->isHidden());
}

void TToolPanelsTest::clickOnTheStripAwayFromTabsCloses()
{
    clickTab(1);
    waitOpen(FMeasure);
    const QPoint belowTabs(FStrip->width() / 2, FStrip->tabRect(1).bottom() + 20);
    QCOMPARE(FStrip->tabAt(belowTabs), -1);
    QTest::mouseClick(FStrip, Qt::LeftButton, {}, belowTabs);
    waitClosed(FMeasure);
}

void TToolPanelsTest::pinningDocksAndUnpinningFloats()
{
    const int viewWidth = FView->width();
    clickTab(1);
    waitOpen(FMeasure);
    QCOMPARE(FMeasure->pinHint(), QStringLiteral("Lock panel"));
    QSignalSpy pinned(FMeasure, &TAdvToolPanel::pinnedChanged);

    QTest::mouseClick(FMeasure, Qt::LeftButton, {}, FMeasure->pinButtonRect().center());
    QCOMPARE(pinned.size(), 1);
    QVERIFY(FMeasure->isPinned());
    QCOMPARE(FMeasure->pinHint(), QStringLiteral("Unlock panel"));
    QCOMPARE(FRow->indexOf(FMeasure), FRow->indexOf(FStrip) + 1);
    QTRY_COMPARE(FView->width(), viewWidth - 200);
    QCOMPARE(FMeasure->geometry(), QRect(23, 0, 200, FStrip->height()));
    QCOMPARE(FView->x(), 23 + 200);

    QTest::mouseClick(FMeasure, Qt::LeftButton, {}, FMeasure->pinButtonRect().center());
    QVERIFY(!FMeasure->isPinned());
    QCOMPARE(FRow->indexOf(FMeasure), -1);
    QTRY_COMPARE(FView->width(), viewWidth);
    QVERIFY(FStrip->isPanelOpen(FMeasure));
    QCOMPARE(FMeasure->geometry(), QRect(23, 0, 200, FStrip->height()));
    QWidget *shown = FHost->childAt(QPoint(120, 300));
    QVERIFY(shown == FMeasure || FMeasure->isAncestorOf(shown));
}

void TToolPanelsTest::autoClosesAfterTenTicksAway()
{
    clickTab(1);
    waitOpen(FMeasure);
    QTest::mouseMove(FView, QPoint(FView->width() - 20, 20));
    tick(9);
    QTest::mouseMove(FMeasure, QPoint(100, 100)); // back for one tick: the count restarts
    tick(1);
    QTest::mouseMove(FView, QPoint(FView->width() - 20, 20));
    tick(9);
    QVERIFY(FStrip->isPanelOpen(FMeasure));
    QTest::mouseMove(FStrip, FStrip->tabRect(1).center()); // its tab counts as near too
    tick(1);
    QTest::mouseMove(FView, QPoint(FView->width() - 20, 20));
    tick(9);
    QVERIFY(FStrip->isPanelOpen(FMeasure));
    tick(1);
    waitClosed(FMeasure);
    QCOMPARE(FMeasure->x(), 23 - 200); // slid back under the strip
}

void TToolPanelsTest::focusInsideOrPinningKeepsThePanelOpen()
{
    auto *edit = new QLineEdit(FImport->sectionArea(0));
    edit->setGeometry(16, 56, 100, 20);
    clickTab(0);
    waitOpen(FImport);
    FHost->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FHost));
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QTest::mouseMove(FView, QPoint(FView->width() - 20, 20));
    tick(15);
    QVERIFY(FStrip->isPanelOpen(FImport));
    edit->clearFocus();
    tick(10);
    waitClosed(FImport);

    clickTab(1);
    waitOpen(FMeasure);
    FMeasure->setPinned(true);
    QTest::mouseMove(FView, QPoint(FView->width() - 20, 20));
    tick(25);
    QVERIFY(FStrip->isPanelOpen(FMeasure));
    FStrip->closePanel(FMeasure); // a pinned panel stays
    QVERIFY(FStrip->isPanelOpen(FMeasure));
}

void TToolPanelsTest::itemClickEmitsSectionAndItem()
{
    // A section area must not take the clicks meant for the items.
    FMeasure->sectionArea(1);
    clickTab(1);
    waitOpen(FMeasure);
    QSignalSpy clicked(FMeasure, &TAdvToolPanel::itemClicked);

    QTest::mouseClick(FMeasure, Qt::LeftButton, {}, FMeasure->itemRect(1, 7).center());
    QTest::mouseClick(FMeasure, Qt::LeftButton, {}, FMeasure->itemRect(1, 0).center());
    QTest::mouseClick(FMeasure, Qt::LeftButton, {}, FMeasure->itemRect(1, 10).center());
    QCOMPARE(clicked.size(), 3);
    QCOMPARE(clicked.at(0), (QVariantList{1, 7}));
    QCOMPARE(clicked.at(1), (QVariantList{1, 0}));
    QCOMPARE(clicked.at(2), (QVariantList{1, 10}));

    // Not an item: the caption bars, beside an item's text, a press on one
    // item released on another, the right button.
    QTest::mouseClick(FMeasure, Qt::LeftButton, {}, QPoint(60, 10));
    QTest::mouseClick(FMeasure, Qt::LeftButton, {}, FMeasure->sectionRect(1).topLeft() + QPoint(30, 8));
    QTest::mouseClick(FMeasure, Qt::LeftButton, {}, FMeasure->itemRect(1, 3).topRight() + QPoint(20, 5));
    QTest::mousePress(FMeasure, Qt::LeftButton, {}, FMeasure->itemRect(1, 2).center());
    QTest::mouseRelease(FMeasure, Qt::LeftButton, {}, FMeasure->itemRect(1, 4).center());
    QTest::mouseClick(FMeasure, Qt::RightButton, {}, FMeasure->itemRect(1, 5).center());
    QCOMPARE(clicked.size(), 3);
}

void TToolPanelsTest::hoveredItemIsUnderlinedInTheHoverColour()
{
    clickTab(1);
    waitOpen(FMeasure);
    const QRect item = FMeasure->itemRect(1, 3);
    // The caption: right of the 8-pixel glyph and its 4-pixel gap.
    const QRect text = item.adjusted(12, 0, 0, 0);

    QTest::mouseMove(FMeasure, item.center());
    QTRY_VERIFY(FMeasure->isItemHot(1, 3));
    QVERIFY(!FMeasure->isItemHot(1, 4));
    QCOMPARE(FMeasure->cursor().shape(), Qt::PointingHandCursor);
    QImage hot = FMeasure->grab().toImage();
    QVERIFY(longestRun(hot, text, ItemHover) > text.width() / 2); // the underline
    QCOMPARE(longestRun(hot, text, ItemText), 0);
    QCOMPARE(hot.pixelColor(item.left() + 4, item.center().y()), QColor(Qt::red)); // glyph 0

    QTest::mouseMove(FMeasure, QPoint(100, 10));
    QTRY_VERIFY(!FMeasure->isItemHot(1, 3));
    QCOMPARE(FMeasure->cursor().shape(), Qt::ArrowCursor);
    QImage plain = FMeasure->grab().toImage();
    QCOMPARE(longestRun(plain, text, ItemHover), 0);
    QVERIFY(longestRun(plain, text, ItemText) > 0);
    QVERIFY(longestRun(plain, text, ItemText) < text.width() / 2); // no underline
}

void TToolPanelsTest::markedItemShowsTheMarkAfterItsCaption_data()
{
    QTest::addColumn<bool>("marked");
    QTest::addColumn<QString>("caption"); // set after the mark
    QTest::addColumn<QString>("mark");    // the panel's mark, set last
    QTest::addColumn<QString>("shown");
    QTest::newRow("not marked") << false << "Nose" << "check" << "Nose";
    QTest::newRow("marked") << true << "Nose" << "check" << "Nose (check)";
    QTest::newRow("a new caption and mark keep the item marked")
        << true << QStringLiteral("Нос") << QStringLiteral("проверьте") << QStringLiteral("Нос (проверьте)");
}

void TToolPanelsTest::markedItemShowsTheMarkAfterItsCaption()
{
    QFETCH(bool, marked);
    QFETCH(QString, caption);
    QFETCH(QString, mark);
    QFETCH(QString, shown);
    clickTab(1);
    waitOpen(FMeasure);
    FMeasure->setItemMark(QStringLiteral("old mark"));
    FMeasure->setItemMarked(1, 3, marked);
    FMeasure->setItemCaption(1, 3, caption);
    FMeasure->setItemMark(mark);
    QCOMPARE(FMeasure->itemText(1, 3), shown);
    QCOMPARE(FMeasure->itemCaption(1, 3), caption);
    QCOMPARE(FMeasure->isItemMarked(1, 3), marked);
    QVERIFY(!FMeasure->isItemMarked(1, 4));
    QCOMPARE(FMeasure->itemText(1, 4), QStringLiteral("Untitled 4"));
    // The clickable part covers the glyph (8 pixels and a 4-pixel gap) and
    // the whole text.
    QCOMPARE(FMeasure->itemRect(1, 3).width(), 12 + FMeasure->fontMetrics().horizontalAdvance(shown));
}

QTEST_MAIN(TToolPanelsTest)
#include "tst_toolpanels.moc"
