#pragma once

#include <QByteArrayView>

#include <cstring>

// The line rule of language files: CR, LF and CR LF each end a line, a NUL
// ends the text, and a line break at the very end starts no further line.
class TLangLines
{
public:
    // Calls visit(QByteArrayView) for each line from begin until stop, or
    // until visit returns false (false then). The text must go on to a NUL
    // (QByteArray keeps one after its bytes), and stop must be the start of a
    // line or that NUL: lines are found with strcspn, which reads to the
    // next break.
    template <typename TVisit>
    static bool ForEach(const char *begin, const char *stop, TVisit visit)
    {
        for (const char *start = begin; start < stop;) {
            const char *const end = LineEnd(start);
            if (!visit(QByteArrayView(start, end - start)))
                return false;
            start = AfterBreak(end);
        }
        return true;
    }

    // The end of the line starting at start: its line break or the NUL.
    static const char *LineEnd(const char *start) { return start + std::strcspn(start, "\r\n"); }

    // The start of the line after one that ends at end; the NUL stays put.
    static const char *AfterBreak(const char *end)
    {
        if (*end == '\0')
            return end;
        return end + (end[0] == '\r' && end[1] == '\n' ? 2 : 1); // CR LF is one line break
    }
};
