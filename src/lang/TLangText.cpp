#include "TLangText.h"

#include <QStringDecoder>

namespace {

// Windows-1251, bytes 0x80 to 0xBF. 0x98 is unassigned in the code page and
// passes through as the C1 control U+0098, as web browsers decode it.
// Bytes 0xC0 to 0xFF are the Russian alphabet in order: U+0410 + (byte - 0xC0).
const char16_t Cp1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // 0xB8
};

} // namespace

QString TLangText::fromWindows1251(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            *out++ = QChar(b);
        else if (b < 0xC0)
            *out++ = QChar(Cp1251High[b - 0x80]);
        else
            *out++ = QChar(char16_t(0x0410 + (b - 0xC0)));
    }
    return text;
}

QString TLangText::toDisplay(const QByteArray &bytes)
{
    // A BOM inside a value is kept as a character: the reader hands bytes on
    // unchanged, and so does the decoder.
    QStringDecoder utf8(QStringConverter::Utf8,
                        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? fromWindows1251(bytes) : text;
}

QString TLangText::foldCase(const QByteArray &bytes)
{
    // ASCII reads the same in both encodings, and folds to lower case.
    QString folded(bytes.size(), Qt::Uninitialized);
    QChar *out = folded.data();
    for (const char c : bytes) {
        if (uchar(c) >= 0x80)
            return toDisplay(bytes).toCaseFolded();
        *out++ = QLatin1Char(c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c);
    }
    return folded;
}

QString TLangText::foldCase(const QString &text)
{
    return text.toCaseFolded();
}

int TLangText::compareFolded(const QString &a, const QString &b)
{
    const int collated = QString::localeAwareCompare(a, b);
    return collated != 0 ? collated : a.compare(b);
}
