// The Windows-1251 decoding of older language files, byte by byte.
#include "lang/TLangText.h"

#include <QtTest>

namespace {

// The code page's upper half, 0x80 to 0xBF, as the files were written; 0x98
// is unassigned and passes through as U+0098. 0xC0 to 0xFF are the Russian
// alphabet in order, U+0410 onwards.
const char16_t UpperHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // 0xB8
};

char16_t Expected(int byte)
{
    if (byte < 0x80)
        return char16_t(byte);
    if (byte < 0xC0)
        return UpperHalf[byte - 0x80];
    return char16_t(0x0410 + (byte - 0xC0));
}

} // namespace

class TestLangText : public QObject
{
    Q_OBJECT

private slots:
    void everyByteDecodes()
    {
        QByteArray all;
        for (int byte = 0; byte < 256; ++byte)
            all.append(char(byte));
        const QString text = TLangText::fromWindows1251(all);
        QCOMPARE(text.size(), 256);
        for (int byte = 0; byte < 256; ++byte)
            QVERIFY2(text.at(byte).unicode() == Expected(byte),
                     qPrintable(QStringLiteral("byte %1 gave U+%2").arg(byte, 2, 16).arg(text.at(byte).unicode(), 4, 16)));
    }

    // Each call starts afresh: nothing of one text carries into the next.
    void callsAreIndependent()
    {
        QCOMPARE(TLangText::fromWindows1251("\xCF\xF0\xE8"), QStringLiteral("При"));
        QCOMPARE(TLangText::fromWindows1251(QByteArray()), QString());
        QCOMPARE(TLangText::fromWindows1251("\xE2\xE5\xF2"), QStringLiteral("вет"));
    }

    // Text that is not valid UTF-8 is read as Windows-1251.
    void displayFallsBackToWindows1251()
    {
        QCOMPARE(TLangText::toDisplay("\xCF\xF0\xE8\xE2\xE5\xF2"), QStringLiteral("Привет"));
        QCOMPARE(TLangText::toDisplay("Привет"), QStringLiteral("Привет"));
    }
};

QTEST_GUILESS_MAIN(TestLangText)
#include "tst_langtext.moc"
