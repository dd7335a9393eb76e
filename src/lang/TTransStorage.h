#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <vector>

// The sections of a language file, one entry per section header in file
// order (a repeated header makes a further entry with the same name).
//
// Each section keeps its key lines sorted, ignoring case under the user's
// locale (TLangText), and drops a line equal, ignoring case, to one it holds
// already. Lines and names are the file's bytes, unchanged.
//
// A section's lines can be handed over as a stretch of the kept text, split
// into lines when first asked. Adding a line only appends it: the sorted list is built when it is first
// asked for (a stable sort, then the first of each run of equal lines
// stays), and lookups use an index of the lines in the order they came. Both
// give what inserting line by line at the sorted place would give, without
// its quadratic cost on large files.
class TTransStorage
{
public:
    void clear();
    // Keeps text until the next clear(): lines added as
    // QByteArray::fromRawData views into it stay valid that long.
    void keepText(const QByteArray &text);
    int count() const;

    // Appends a section and returns its index. Its key lines, the lines of
    // body that hold a "=", are split from body (a view into text kept with
    // keepText, starting at a line and ending at the start of one or at the
    // text's NUL) when first needed.
    int addSection(const QByteArray &name, QByteArrayView body = {});
    // Adds a key line to the section.
    void addLine(int section, const QByteArray &line);

    QByteArray sectionName(int section) const;
    QList<QByteArray> sectionLines(int section) const; // in sorted order, copies

    // Index of the first section whose name equals name byte for byte; -1 if none.
    int findSection(const QByteArray &name) const;

    // The text after the first "=" of the first line, in sorted order, whose
    // key (the text before its first "=") equals key ignoring case. Empty
    // when there is no such line or section is not an index of the table.
    QByteArray value(int section, const QString &key) const;

private:
    struct TSection
    {
        QByteArray name;
        mutable QByteArrayView body;           // lines not yet split
        mutable std::vector<QByteArray> lines; // in the order they were added
        // Folded key -> index in lines of the line that answers it: of the
        // lines with that key, the first in sorted order. Built by the first
        // lookup and kept up to date by later additions.
        mutable QHash<QString, qsizetype> keyIndex;
        mutable bool keyIndexValid = false;
    };

    bool isSection(int section) const;
    static std::vector<QByteArray> &lines(const TSection &section);
    static const QHash<QString, qsizetype> &keyIndex(const TSection &section);
    static void indexLine(const TSection &section, qsizetype line);

    QList<TSection> FSections;
    QList<QByteArray> FTexts;
};
