#include "TLangText.h"

#include <QStringDecoder>

QString TLangText::fromWindows1251(const QByteArray &bytes)
{
    // Qt's converter for the code page (through ICU); the unassigned byte
    // 0x98 passes through as the C1 control U+0098, as web browsers decode it.
    // Stateless: one decoder serves every call of the thread.
    thread_local QStringDecoder windows1251("windows-1251", QStringConverter::Flag::Stateless);
    return windows1251.decode(bytes);
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
