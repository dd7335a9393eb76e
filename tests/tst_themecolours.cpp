// The colours of the program's own surfaces under light and dark palettes,
// and the widgets that paint with them.
#include "widgets/TAdvToolPanel.h"
#include "widgets/TAdvToolPanelTab.h"
#include "widgets/TMemo.h"
#include "widgets/TThemeColours.h"

#include <QApplication>
#include <QStyle>
#include <QTest>

#include <cmath>

namespace {

using S = TThemeColours::TSurface;

// A dark palette as desktops and styles give one: every role of its own.
QPalette darkPalette(int grey = 0x35)
{
    QPalette palette(QColor(grey, grey, grey), QColor(grey, grey, grey));
    palette.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
    palette.setColor(QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEE));
    palette.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
    palette.setColor(QPalette::Base, QColor(grey / 2, grey / 2, grey / 2));
    palette.setColor(QPalette::Highlight, QColor(0x2A, 0x82, 0xDA));
    return palette;
}

QPalette lightPalette()
{
    QPalette palette(QColor(0xEF, 0xEF, 0xEF), QColor(0xEF, 0xEF, 0xEF));
    palette.setColor(QPalette::WindowText, Qt::black);
    return palette;
}

// WCAG contrast ratio of two colours, 1 (none) to 21 (black on white).
double contrast(const QColor &a, const QColor &b)
{
    auto luminance = [](const QColor &c) {
        auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Equal but for the rounding of a gradient's first line.
bool near(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 && std::abs(a.blue() - b.blue()) <= 2;
}

} // namespace

class TestThemeColours : public QObject
{
    Q_OBJECT

private slots:
    void isDark_data();
    void isDark();
    void lightPaletteKeepsTheFixedLook_data();
    void lightPaletteKeepsTheFixedLook();
    void darkTextsReadOnTheirSurfaces_data();
    void darkTextsReadOnTheirSurfaces();
    void darkSurfacesFollowThePalette();
    void readable_data();
    void readable();
    void panelsAndStripPaintWithThePalette_data();
    void panelsAndStripPaintWithThePalette();
    void memoFollowsPaletteChanges();
};

void TestThemeColours::isDark_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<bool>("dark");

    QTest::newRow("light") << lightPalette() << false;
    QTest::newRow("dark grey") << darkPalette() << true;
    QTest::newRow("the style's own") << QApplication::style()->standardPalette() << false;
    QPalette contrast;
    contrast.setColor(QPalette::Window, Qt::black);
    contrast.setColor(QPalette::WindowText, Qt::white);
    QTest::newRow("black and white") << contrast << true;
    contrast.setColor(QPalette::WindowText, Qt::black);
    QTest::newRow("text as dark as the window") << contrast << false;
    QPalette pastel;
    pastel.setColor(QPalette::Window, QColor(0x20, 0x80, 0x40));
    pastel.setColor(QPalette::WindowText, Qt::black);
    QTest::newRow("mid green with black text") << pastel << false;
}

void TestThemeColours::isDark()
{
    QFETCH(QPalette, palette);
    QFETCH(bool, dark);
    QCOMPARE(TThemeColours::IsDark(palette), dark);
    QCOMPARE(TThemeColours(palette).isDark(), dark);
}

void TestThemeColours::lightPaletteKeepsTheFixedLook_data()
{
    QTest::addColumn<S>("surface");
    QTest::addColumn<QColor>("colour");

    const struct
    {
        const char *name;
        S surface;
        QRgb colour;
    } rows[] = {
        {"toolbar", S::ToolBar, 0xF5F5F5},
        {"strip from", S::StripFrom, 0xFFFFFF},
        {"strip to", S::StripTo, 0xF0EFEC},
        {"tab from", S::TabFrom, 0xFFFFFF},
        {"tab to", S::TabTo, 0xD5D1C9},
        {"tab under the mouse", S::TabHotTo, 0xB6BDD2},
        {"tab border", S::TabBorder, 0x002D96},
        {"focused caption from", S::CaptionFocusFrom, 0xDFDFDF},
        {"focused caption to", S::CaptionFocusTo, 0xA3A7AF},
        {"caption from", S::CaptionFrom, 0xEFEFEF},
        {"caption to", S::CaptionTo, 0xC9C9C0},
        {"caption text", S::CaptionText, 0x000000},
        {"button under the mouse", S::ButtonHot, 0xB6BDD2},
        {"button pressed", S::ButtonDown, 0x8592B5},
        {"section border", S::SectionBorder, 0xFFFFFF},
        {"section caption from", S::SectionCaptionFrom, 0xE7E7E7},
        {"section caption to", S::SectionCaptionTo, 0xDEDEDE},
        {"section caption text", S::SectionCaptionText, 0x000000},
        {"section from", S::SectionFrom, 0xF7F7F7},
        {"section to", S::SectionTo, 0xF0EFEC},
        {"memo", S::Memo, 0xF4F4F4},
        {"view background", S::ViewBackground, 0xC0C0C0},
    };
    for (const auto &row : rows)
        QTest::newRow(row.name) << row.surface << QColor::fromRgb(row.colour);
}

// The same colours under any light palette, whatever its roles hold.
void TestThemeColours::lightPaletteKeepsTheFixedLook()
{
    QFETCH(S, surface);
    QFETCH(QColor, colour);
    QPalette odd = lightPalette();
    odd.setColor(QPalette::Button, QColor(0xFF, 0xE0, 0xE0));
    odd.setColor(QPalette::Highlight, QColor(0x00, 0xA0, 0x00));
    for (const QPalette &palette : {lightPalette(), odd, QApplication::style()->standardPalette()})
        QCOMPARE(TThemeColours(palette).Colour(surface), colour);
}

void TestThemeColours::darkTextsReadOnTheirSurfaces_data()
{
    QTest::addColumn<S>("text");
    QTest::addColumn<S>("background");

    QTest::newRow("tab caption") << S::TabText << S::TabTo;
    QTest::newRow("tab caption, under the mouse") << S::TabText << S::TabHotFrom;
    QTest::newRow("panel caption") << S::CaptionText << S::CaptionFrom;
    QTest::newRow("panel caption, focused") << S::CaptionText << S::CaptionFocusTo;
    QTest::newRow("section caption") << S::SectionCaptionText << S::SectionCaptionFrom;
    QTest::newRow("pin") << S::PinInk << S::CaptionTo;
}

void TestThemeColours::darkTextsReadOnTheirSurfaces()
{
    QFETCH(S, text);
    QFETCH(S, background);
    for (int grey : {0x20, 0x35, 0x50}) {
        const TThemeColours colours(darkPalette(grey));
        QVERIFY2(contrast(colours.Colour(text), colours.Colour(background)) >= 4.5, qPrintable(QString::number(grey)));
    }
}

// Under a dark palette no surface keeps the pale fixed look, and each
// changes with the palette.
void TestThemeColours::darkSurfacesFollowThePalette()
{
    const TThemeColours darker(darkPalette(0x20));
    const TThemeColours dark(darkPalette(0x50));
    for (S surface : {S::ToolBar, S::StripFrom, S::StripTo, S::TabFrom, S::TabTo, S::CaptionFrom, S::CaptionTo,
                      S::CaptionFocusFrom, S::CaptionFocusTo, S::PanelFrom, S::PanelTo, S::SectionCaptionFrom,
                      S::SectionCaptionTo, S::SectionFrom, S::SectionTo, S::Memo, S::ViewBackground}) {
        QVERIFY2(dark.Colour(surface).lightness() < 128, qPrintable(QString::number(int(surface))));
        QVERIFY2(darker.Colour(surface) != dark.Colour(surface), qPrintable(QString::number(int(surface))));
    }
    QCOMPARE(dark.Colour(S::ToolBar), darkPalette(0x50).color(QPalette::Window));
    QCOMPARE(dark.Colour(S::Memo), darkPalette(0x50).color(QPalette::Base));
    QCOMPARE(dark.Own(QColor(0xF5F1F1), S::PanelFrom), dark.Colour(S::PanelFrom));
    QCOMPARE(TThemeColours(lightPalette()).Own(QColor(0xF5F1F1), S::PanelFrom), QColor(0xF5F1F1));
}

void TestThemeColours::readable_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QColor>("layout");
    QTest::addColumn<QColor>("shown");

    QTest::newRow("light: blue stays") << false << QColor(0x0000FF) << QColor(0x0000FF);
    QTest::newRow("light: green stays") << false << QColor(0x63ED27) << QColor(0x63ED27);
    QTest::newRow("dark: blue lightened")
        << true << QColor(0x0000FF) << QColor(QColor::fromHsl(240, 255, TThemeColours::MinDarkTextLightness).rgb());
    QTest::newRow("dark: magenta lightened")
        << true << QColor(0xFF00FF) << QColor(QColor::fromHsl(300, 255, TThemeColours::MinDarkTextLightness).rgb());
    QTest::newRow("dark: light green stays") << true << QColor(0xC8FFB0) << QColor(0xC8FFB0);
}

void TestThemeColours::readable()
{
    QFETCH(bool, dark);
    QFETCH(QColor, layout);
    QFETCH(QColor, shown);
    const TThemeColours colours(dark ? darkPalette() : lightPalette());
    QCOMPARE(colours.Readable(layout), shown);
    if (dark) // and it reads on the panel's sections
        QVERIFY(contrast(colours.Readable(layout), colours.Colour(S::SectionFrom)) >= 3.0);
}

void TestThemeColours::panelsAndStripPaintWithThePalette_data()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << false;
    QTest::newRow("dark") << true;
}

// A panel and the strip, painted after their window's palette changed: the
// section background, the strip's right edge and the caption bar take the
// surface colours of that palette.
void TestThemeColours::panelsAndStripPaintWithThePalette()
{
    QFETCH(bool, dark);
    QWidget window;
    window.resize(300, 300);
    auto *strip = new TAdvToolPanelTab(&window, &window, &window);
    strip->setGeometry(0, 0, TAdvToolPanelTab::StripWidth, 300);
    auto *panel = new TAdvToolPanel(QStringLiteral("ToolPanelMeasure"), &window);
    panel->setGeometry(30, 0, TAdvToolPanelTab::PanelWidth, 300);
    panel->addSection(QStringLiteral("Measure"), 120);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setPalette(dark ? darkPalette() : lightPalette());

    const TThemeColours colours(window.palette());
    const QImage panelShot = panel->grab().toImage();
    const QRect section = panel->sectionRect(0);
    QCOMPARE(panelShot.pixelColor(section.left(), section.center().y()), colours.Colour(S::SectionBorder));
    // The first line below the section's 1-pixel border and 18-pixel caption
    // bar starts the section's gradient.
    QVERIFY(near(panelShot.pixelColor(section.center().x(), section.top() + 19), colours.Colour(S::SectionFrom)));
    const QImage stripShot = strip->grab().toImage();
    QCOMPARE(stripShot.pixelColor(strip->width() - 1, 290), colours.Colour(S::StripEdge));
}

void TestThemeColours::memoFollowsPaletteChanges()
{
    QWidget window;
    auto *memo = new TMemo(QStringLiteral("MemInfo"), QRect(10, 10, 60, 30), &window);
    memo->setBackground(QColor(0xF4, 0xF4, 0xF4));
    window.resize(80, 50);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (const QPalette &palette : {darkPalette(), lightPalette(), darkPalette(0x20)}) {
        window.setPalette(palette);
        const QColor expected = TThemeColours::IsDark(palette) ? palette.color(QPalette::Base) : QColor(0xF4, 0xF4, 0xF4);
        QCOMPARE(window.grab().toImage().pixelColor(60, 35), expected);
        // Its text takes the palette's own text colour, which reads on it.
        QCOMPARE(memo->palette().color(QPalette::WindowText), palette.color(QPalette::WindowText));
    }
}

QTEST_MAIN(TestThemeColours)
#include "tst_themecolours.moc"
