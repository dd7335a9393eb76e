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
    const qsizetype equals = line.indexOf('=');
    TLine entry{line, TLangText::foldCase(line),
                TLangText::foldCase(equals < 0 ? line : line.left(equals))};

    QList<TLine> &lines = FSections[section].lines;
    const auto place = std::lower_bound(lines.begin(), lines.end(), entry, [](const TLine &a, const TLine &b) {
        return TLangText::compareFolded(a.folded, b.folded) < 0;
    });
    if (place != lines.end() && TLangText::compareFolded(place->folded, entry.folded) == 0)
        return; // a line equal to it, ignoring case, is already there
    lines.insert(place, std::move(entry));
    FSections[section].keyIndexValid = false;
}

QByteArray TTransStorage::sectionName(int section) const
{
    return isSection(section) ? FSections[section].name : QByteArray();
}

QList<QByteArray> TTransStorage::sectionLines(int section) const
{
    QList<QByteArray> result;
    if (isSection(section)) {
        for (const TLine &line : FSections[section].lines)
            result.append(line.text);
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
    const auto found = keyIndex(entry).constFind(TLangText::foldCase(key));
    if (found == keyIndex(entry).cend())
        return {};
    const QByteArray &text = entry.lines[*found].text;
    return text.mid(text.indexOf('=') + 1);
}

const QHash<QString, qsizetype> &TTransStorage::keyIndex(const TSection &section)
{
    if (!section.keyIndexValid) {
        section.keyIndex.clear();
        // From the end, so that the first line of a key in sorted order is
        // inserted last and stays.
        for (qsizetype i = section.lines.size() - 1; i >= 0; --i) {
            const TLine &line = section.lines[i];
            if (line.text.contains('='))
                section.keyIndex.insert(line.foldedKey, i);
        }
        section.keyIndexValid = true;
    }
    return section.keyIndex;
}
