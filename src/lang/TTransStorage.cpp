#include "TTransStorage.h"

#include "TLangLines.h"
#include "TLangText.h"

#include <cstring>

#include <algorithm>

void TTransStorage::clear()
{
    FSections.clear();
    FTexts.clear();
}

void TTransStorage::keepText(const QByteArray &text)
{
    FTexts.append(text);
}

int TTransStorage::count() const
{
    return int(FSections.size());
}

bool TTransStorage::isSection(int section) const
{
    return section >= 0 && section < FSections.size();
}

int TTransStorage::addSection(const QByteArray &name, QByteArrayView body)
{
    FSections.append(TSection{name, body, {}, {}, false});
    return int(FSections.size() - 1);
}

std::vector<QByteArray> &TTransStorage::lines(const TSection &section)
{
    if (!section.body.isEmpty()) {
        const char *const begin = section.body.data();
        TLangLines::ForEach(begin, begin + section.body.size(), [&section](QByteArrayView line) {
            if (std::memchr(line.data(), '=', size_t(line.size())))
                section.lines.push_back(QByteArray::fromRawData(line.data(), line.size()));
            return true;
        });
        section.body = {};
    }
    return section.lines;
}

void TTransStorage::addLine(int section, const QByteArray &line)
{
    if (!isSection(section))
        return;
    TSection &entry = FSections[section];
    lines(entry).push_back(line);
    if (entry.keyIndexValid)
        indexLine(entry, qsizetype(entry.lines.size()) - 1);
}

QByteArray TTransStorage::sectionName(int section) const
{
    return isSection(section) ? FSections[section].name : QByteArray();
}

QList<QByteArray> TTransStorage::sectionLines(int section) const
{
    if (!isSection(section))
        return {};
    const std::vector<QByteArray> &lines = TTransStorage::lines(FSections[section]);
    struct TFolded
    {
        QString folded;
        qsizetype line;
    };
    QList<TFolded> order;
    order.reserve(qsizetype(lines.size()));
    for (qsizetype i = 0; i < qsizetype(lines.size()); ++i)
        order.append({TLangText::foldCase(lines[i]), i});
    // Stable, so that of lines equal ignoring case the one added first leads
    // its run and is the one kept: what insertion at the sorted place keeps.
    std::stable_sort(order.begin(), order.end(), [](const TFolded &a, const TFolded &b) {
        return TLangText::compareFolded(a.folded, b.folded) < 0;
    });
    QList<QByteArray> result;
    for (qsizetype i = 0; i < order.size(); ++i) {
        if (i == 0 || order[i].folded != order[i - 1].folded) { // equal exactly when compared equal
            const QByteArray &line = lines[size_t(order[i].line)];
            result.append(QByteArray(line.constData(), line.size())); // may outlive the kept text
        }
    }
    return result;
}

int TTransStorage::findSection(const QByteArray &name) const
{
    for (int i = 0; i < FSections.size(); ++i) {
        if (FSections[i].name == name)
            return i;
    }
    return -1;
}

QByteArray TTransStorage::value(int section, const QString &key) const
{
    if (!isSection(section))
        return {};
    // Folded texts compare equal exactly when they are equal (the collation
    // only decides the order of unequal ones), so a hash finds the line.
    const TSection &entry = FSections[section];
    const QHash<QString, qsizetype> &index = keyIndex(entry);
    const auto found = index.constFind(TLangText::foldCase(key));
    if (found == index.cend())
        return {};
    const QByteArray &text = entry.lines[size_t(*found)];
    const qsizetype value = text.indexOf('=') + 1;
    return QByteArray(text.constData() + value, text.size() - value); // a copy, as above
}

const QHash<QString, qsizetype> &TTransStorage::keyIndex(const TSection &section)
{
    if (!section.keyIndexValid) {
        section.keyIndex.clear();
        const qsizetype count = qsizetype(lines(section).size());
        section.keyIndex.reserve(count);
        for (qsizetype i = 0; i < count; ++i)
            indexLine(section, i);
        section.keyIndexValid = true;
    }
    return section.keyIndex;
}

void TTransStorage::indexLine(const TSection &section, qsizetype line)
{
    const QByteArray &text = section.lines[size_t(line)];
    const qsizetype equals = text.indexOf('=');
    if (equals < 0)
        return; // a line without a value answers nothing
    const QString key = TLangText::foldCase(QByteArray::fromRawData(text.constData(), equals));
    const auto holder = section.keyIndex.find(key);
    if (holder == section.keyIndex.end()) {
        section.keyIndex.insert(key, line);
        return;
    }
    // A later line takes the key over only when it sorts before the holder;
    // one equal to the holder ignoring case would have been dropped.
    if (TLangText::compareFolded(TLangText::foldCase(text), TLangText::foldCase(section.lines[size_t(*holder)])) < 0)
        *holder = line;
}
