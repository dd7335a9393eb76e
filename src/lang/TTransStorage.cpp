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
    FSections.append({name, {}});
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
    const QString foldedKey = TLangText::foldCase(key);
    for (const TLine &line : FSections[section].lines) {
        if (line.text.contains('=') && TLangText::compareFolded(line.foldedKey, foldedKey) == 0)
            return line.text.mid(line.text.indexOf('=') + 1);
    }
    return {};
}
