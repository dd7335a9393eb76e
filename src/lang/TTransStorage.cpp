#include "TTransStorage.h"

#include "TLangText.h"

#include <algorithm>

void TTransStorage::clear()
{
    FSections.clear();
}

int TTransStorage::count() const
{
    return int(FSections.size());
}

bool TTransStorage::isSection(int section) const
{
    return section >= 0 && section < FSections.size();
}

int TTransStorage::addSection(const QByteArray &name)
{
    FSections.append(TSection{name, {}, {}, false});
    return int(FSections.size() - 1);
}

void TTransStorage::addLine(int section, const QByteArray &line)
{
    if (!isSection(section))
        return;
    TSection &entry = FSections[section];
    entry.lines.append(line);
    if (entry.keyIndexValid)
        indexLine(entry, entry.lines.size() - 1);
}

QByteArray TTransStorage::sectionName(int section) const
{
    return isSection(section) ? FSections[section].name : QByteArray();
}

QList<QByteArray> TTransStorage::sectionLines(int section) const
{
    if (!isSection(section))
        return {};
    const QList<QByteArray> &lines = FSections[section].lines;
    struct TFolded
    {
        QString folded;
        qsizetype line;
    };
    QList<TFolded> order;
    order.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        order.append({TLangText::foldCase(lines[i]), i});
    // Stable, so that of lines equal ignoring case the one added first leads
    // its run and is the one kept: what insertion at the sorted place keeps.
    std::stable_sort(order.begin(), order.end(), [](const TFolded &a, const TFolded &b) {
        return TLangText::compareFolded(a.folded, b.folded) < 0;
    });
    QList<QByteArray> result;
    for (qsizetype i = 0; i < order.size(); ++i) {
        if (i == 0 || order[i].folded != order[i - 1].folded) // equal exactly when compared equal
            result.append(lines[order[i].line]);
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
    const QByteArray &text = entry.lines[*found];
    return text.mid(text.indexOf('=') + 1);
}

const QHash<QString, qsizetype> &TTransStorage::keyIndex(const TSection &section)
{
    if (!section.keyIndexValid) {
        section.keyIndex.clear();
        for (qsizetype i = 0; i < section.lines.size(); ++i)
            indexLine(section, i);
        section.keyIndexValid = true;
    }
    return section.keyIndex;
}

void TTransStorage::indexLine(const TSection &section, qsizetype line)
{
    const QByteArray &text = section.lines[line];
    const qsizetype equals = text.indexOf('=');
    if (equals < 0)
        return; // a line without a value answers nothing
    const QString key = TLangText::foldCase(text.left(equals));
    const auto holder = section.keyIndex.find(key);
    if (holder == section.keyIndex.end()) {
        section.keyIndex.insert(key, line);
        return;
    }
    // A later line takes the key over only when it sorts before the holder;
    // one equal to the holder ignoring case would have been dropped.
    if (TLangText::compareFolded(TLangText::foldCase(text), TLangText::foldCase(section.lines[*holder])) < 0)
        *holder = line;
}
