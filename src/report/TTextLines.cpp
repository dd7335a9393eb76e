#include "TTextLines.h"

QByteArrayList TTextLines::Split(const QByteArray &text)
{
    QByteArrayList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

QByteArray TTextLines::Join(const QByteArrayList &lines)
{
    QByteArray text;
    qsizetype size = 0;
    for (const QByteArray &line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QByteArray &line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}
