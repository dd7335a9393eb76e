#pragma once

#include <QByteArray>
#include <QByteArrayList>

// The line rule shared by the report template and the report page: a text
// breaks into lines at every CR LF, lone CR or lone LF, and a break at the
// very end starts no further line. Lines are bytes; nothing is decoded.
class TTextLines
{
public:
    static QByteArrayList Split(const QByteArray &text);
    // Each line followed by CR LF; no lines give an empty text.
    static QByteArray Join(const QByteArrayList &lines);
};
